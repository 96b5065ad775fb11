// The cause a toolkit exception carries, for tests that expect a failure of one kind.
#pragma once
#include <afx.h>

// The m_cause of the TException the action throws, -1 when it throws none, -2 when it
// throws a toolkit exception of another class; the exception is deleted here. Code that
// passes on what it caught throws it as a CException*, so the object tells the class.
template <class TException, class Action>
int CauseOf(Action action)
{
    try
    {
        action();
    }
    catch (CException* pException)
    {
        const TException* pTyped = dynamic_cast<const TException*>(pException);
        const int nCause = pTyped != NULL ? pTyped->m_cause : -2;
        pException->Delete();
        return nCause;
    }
    return -1;
}
