#include "afx.h"

IMPLEMENT_DYNAMIC(CArchiveException, CException)

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;

    static const char* const kCauseTexts[] = {
        "No error occurred.",
        "An unexpected error occurred while reading or writing the archive.",
        "An attempt was made to write to an archive opened for reading.",
        "An attempt was made to read past the end of the archive.",
        "An attempt was made to read from an archive opened for writing.",
        "The archive has an invalid format.",
        "The archive contains an unexpected object.",
        "The archive contains an object of an unsupported version.",
    };
    const bool bKnownCause = m_cause >= 0 && m_cause < (int)(sizeof(kCauseTexts) / sizeof(kCauseTexts[0]));
    CString strMessage = kCauseTexts[bKnownCause ? m_cause : genericException];
    if (!m_strFileName.IsEmpty())
        strMessage = m_strFileName + "\n" + strMessage;
    return AfxCopyErrorMessage(strMessage, lpszError, nMaxError);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
