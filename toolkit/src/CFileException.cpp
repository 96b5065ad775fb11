#include "afx.h"

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName)
{
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_CURRENT_DIRECTORY:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_DIR_NOT_EMPTY:
        return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
        return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;

    CString strReason;
    if (m_lOsError != -1 && m_lOsError != NO_ERROR)
        strReason = AfxGetSystemErrorText((DWORD)m_lOsError);
    if (strReason.IsEmpty())
    {
        static const char* const kCauseTexts[] = {
            "No error occurred.",
            "An unexpected file error occurred.",
            "The file was not found.",
            "The path is invalid.",
            "Too many files are open.",
            "Access was denied.",
            "The file handle is invalid.",
            "The current directory cannot be removed.",
            "The directory is full.",
            "The seek failed.",
            "A hardware I/O error occurred.",
            "A sharing violation occurred.",
            "A locking violation occurred.",
            "The disk is full.",
            "An attempt was made to read past the end of the file.",
        };
        const bool bKnownCause = m_cause >= 0 && m_cause < (int)(sizeof(kCauseTexts) / sizeof(kCauseTexts[0]));
        strReason = kCauseTexts[bKnownCause ? m_cause : genericException];
    }

    CString strMessage = strReason;
    if (!m_strFileName.IsEmpty())
        strMessage = m_strFileName + "\n" + strReason;
    return AfxCopyErrorMessage(strMessage, lpszError, nMaxError);
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

CString AFXAPI AfxGetSystemErrorText(DWORD dwError)
{
    LPSTR lpBuffer = NULL;
    const DWORD nLength = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
        dwError, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPSTR)&lpBuffer, 0, NULL);
    CString strText(lpBuffer, (int)nLength);
    if (lpBuffer)
        LocalFree(lpBuffer);
    return strText.TrimRight();
}
