// A failed archive operation (reading past the end, a damaged value).
#pragma once
#include "afx/CException.h"
#include "afx/CString.h"

class AFXKIT_API CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema
    };

    explicit CArchiveException(int cause = none, LPCSTR lpszArchiveName = NULL);

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] AFXKIT_API void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = NULL);
