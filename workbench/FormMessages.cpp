#include "FormMessages.h"
#include <MainDir.h>

namespace
{
CFormMessages* g_pCurrent = NULL;

// How long a form step is tried again while the reagent library is held elsewhere, and
// the pause between tries.
const DWORD kLibraryWaitMs = 5000;
const DWORD kRetryPauseMs = 50;
const int kTriesWhenFree = 2;

// A message naming the library and the reason when another program holds it now.
BOOL DescribeHeldLibrary(CString& strMessage)
{
    const CString strPath = MAINDIR.GetPath() + "\\AM\\Enzymes.dat";
    HANDLE hFile = CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile != INVALID_HANDLE_VALUE)
    {
        CloseHandle(hFile);
        return FALSE;
    }
    const DWORD dwError = GetLastError();
    if (dwError != ERROR_SHARING_VIOLATION && dwError != ERROR_LOCK_VIOLATION)
        return FALSE;
    strMessage.Format("The reagent library %s is held by another program (%lu s waited): %s", (LPCSTR)strPath,
                      kLibraryWaitMs / 1000, (LPCSTR)AfxGetSystemErrorText(dwError));
    return TRUE;
}
}

CFormMessages::CFormMessages() : m_pOuter(g_pCurrent)
{
    g_pCurrent = this;
    m_pfnPrevious = AfxSetMessageBoxHook(Hook);
}

CFormMessages::~CFormMessages()
{
    AfxSetMessageBoxHook(m_pfnPrevious);
    g_pCurrent = m_pOuter;
}

int CFormMessages::Hook(LPCSTR lpszText, UINT /*nType*/)
{
    g_pCurrent->m_lstMessages.AddTail(lpszText);
    return IDOK;
}

BOOL RunFormStep(const std::function<BOOL()>& step, CStringList& lstMessages)
{
    const DWORD dwStart = GetTickCount();
    // A library that was free when looked at may have been held a moment before.
    int nTriesFree = 0;
    for (;;)
    {
        CFormMessages messages;
        const BOOL bDone = step();
        if (messages.GetMessages().IsEmpty())
            return bDone;
        CString strHeld;
        const BOOL bHeld = DescribeHeldLibrary(strHeld);
        if (GetTickCount() - dwStart >= kLibraryWaitMs || (!bHeld && ++nTriesFree > kTriesWhenFree))
        {
            lstMessages.RemoveAll();
            lstMessages.AddTail(&messages.GetMessages());
            if (bHeld)
                lstMessages.AddTail(strHeld);
            return FALSE;
        }
        Sleep(kRetryPauseMs);
    }
}
