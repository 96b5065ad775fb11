// Thrown when memory for a toolkit object (a memory file's buffer) cannot be had.
#pragma once
#include "afx/CException.h"

class AFXKIT_API CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() = default;

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

[[noreturn]] AFXKIT_API void AFXAPI AfxThrowMemoryException();
