#include "afx.h"

#include <cstdarg>
#include <cstdio>

namespace
{
AFX_MESSAGEBOX_HOOK g_pfnMessageBoxHook = NULL;

// The caption of every message box: the running program's file name without its extension.
CString GetAppTitle()
{
    char szPath[MAX_PATH];
    const DWORD nLength = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strTitle(szPath, (int)nLength);
    strTitle = strTitle.Mid(strTitle.ReverseFind('\\') + 1);
    const int nDot = strTitle.ReverseFind('.');
    return nDot > 0 ? strTitle.Left(nDot) : strTitle;
}
}

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT /*nIDHelp*/)
{
    if (g_pfnMessageBoxHook)
        return g_pfnMessageBoxHook(lpszText, nType);

    if ((nType & MB_ICONMASK) == 0)
    {
        switch (nType & MB_TYPEMASK)
        {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        }
    }
    const int nResult = ::MessageBoxA(GetActiveWindow(), lpszText, GetAppTitle(), nType);
    if (nResult == 0)
    {
        // No box could be shown: say so where a developer will see it, and answer as a
        // dismissed box would, so that no action goes ahead unconfirmed.
        OutputDebugStringA(CString("AfxMessageBox could not show: ") + lpszText);
        return (nType & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    }
    return nResult;
}

AFX_MESSAGEBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK pfnHook)
{
    const AFX_MESSAGEBOX_HOOK pfnPrevious = g_pfnMessageBoxHook;
    g_pfnMessageBoxHook = pfnHook;
    return pfnPrevious;
}

void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine)
{
    CString strMessage;
    strMessage.Format("Assertion failed: %s, line %d", lpszFileName, nLine);
    OutputDebugStringA(strMessage + "\n");
    AfxMessageBox(strMessage, MB_OK | MB_ICONSTOP);
}

void __cdecl AfxTrace(LPCSTR lpszFormat, ...)
{
    char szBuffer[1024];
    va_list args;
    va_start(args, lpszFormat);
    vsnprintf(szBuffer, sizeof(szBuffer), lpszFormat, args);
    va_end(args);
    OutputDebugStringA(szBuffer);
}
