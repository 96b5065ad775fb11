// Thrown to stop an operation the user was already told about: a data exchange whose
// field was refused ends with it, and UpdateData answers FALSE.
#pragma once
#include "afx/CException.h"

class AFXKIT_API CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() = default;
};

[[noreturn]] AFXKIT_API void AFXAPI AfxThrowUserException();
