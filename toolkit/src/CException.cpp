#include "afx.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (lpszError && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT /*nMessageID*/)
{
    // The toolkit keeps no string tables, so there is no fallback prompt to load.
    char szMessage[512];
    if (!GetErrorMessage(szMessage, sizeof(szMessage)))
        lstrcpynA(szMessage, "No error message is available.", sizeof(szMessage));
    return AfxMessageBox(szMessage, nType, 0);
}

BOOL AFXAPI AfxCopyErrorMessage(LPCSTR lpszText, LPSTR lpszError, UINT nMaxError)
{
    if (!lpszError || nMaxError == 0)
        return FALSE;
    lstrcpynA(lpszError, lpszText, (int)nMaxError);
    return TRUE;
}

IMPLEMENT_DYNAMIC(CMemoryException, CException)

BOOL CMemoryException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return AfxCopyErrorMessage("Out of memory.", lpszError, nMaxError);
}

void AFXAPI AfxThrowMemoryException()
{
    throw new CMemoryException;
}

IMPLEMENT_DYNAMIC(CUserException, CException)

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}
