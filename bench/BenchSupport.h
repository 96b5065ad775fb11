// What the measuring programs share: a clock, and reagents of the size and shape a real
// library holds.
#pragma once
#include <CEnzymeDlg.h>

// Seconds from an arbitrary start, to the performance counter's precision.
inline double Seconds()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return (double)counter.QuadPart / (double)frequency.QuadPart;
}

// Names, efficiencies and patterns derive from the number.
inline void MakeSampleReagent(CEnzymeDlg& reagent, int nNumber)
{
    static const char* const kCells[] = {"K", "R", "{P}", "", "DE", "{KR}", "FWY", "L", "{DE}", "A"};
    reagent.m_strName.Format("Reagent %05d", nNumber);
    reagent.m_strRecognitionProbability.Format("%d", 50 + nNumber % 51);
    reagent.m_strExceptionProbability.Format("%d", nNumber % 101);
    reagent.m_recognition.m_nBegin = -(nNumber % 4);
    reagent.m_recognition.m_nCount = 4 + nNumber % 5;
    reagent.m_recognition.m_lstCells.RemoveAll();
    for (int i = 0; i < reagent.m_recognition.m_nCount * (1 + nNumber % 5); ++i)
        reagent.m_recognition.m_lstCells.AddTail(kCells[(nNumber + i) % 10]);
    reagent.m_exception.m_nBegin = 0;
    reagent.m_exception.m_nCount = 2;
    reagent.m_exception.m_lstCells.RemoveAll();
    for (int i = 0; i < 2 * (nNumber % 3); ++i)
        reagent.m_exception.m_lstCells.AddTail(kCells[(nNumber * 7 + i) % 10]);
}
