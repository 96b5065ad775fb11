// A failed file operation: its cause, the system's error code and the file's name.
#pragma once
#include "afx/CException.h"
#include "afx/CString.h"

class AFXKIT_API CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszFileName = NULL);

    static int PASCAL OsErrorToException(LONG lOsError);
    [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCSTR lpszFileName = NULL);

    // The system's text for the error code, after the file's name; the cause's
    // own text where the system has none.
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    int m_cause;
    LONG m_lOsError;  // -1 when no system error code is known
    CString m_strFileName;
};

[[noreturn]] AFXKIT_API void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1,
                                                          LPCSTR lpszFileName = NULL);
// The system's message for an error code, without the trailing line break; empty if it has none.
AFXKIT_API CString AFXAPI AfxGetSystemErrorText(DWORD dwError);
