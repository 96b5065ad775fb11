#include "afxwin.h"

namespace
{
CWinApp* g_pApp = NULL;
}

CWinApp::CWinApp(LPCSTR lpszAppName) : m_pszAppName(lpszAppName)
{
    ASSERT(g_pApp == NULL);  // a program has one application object
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = NULL;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    for (;;)
    {
        MSG msg;
        for (LONG lIdleCount = 0; !::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);)
        {
            if (!OnIdle(lIdleCount++))
                break;
        }
        if (!::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
            ::WaitMessage();
        if (!AfxPumpMessage(&m_nExitCode))
            return ExitInstance();
    }
}

int CWinApp::ExitInstance()
{
    return m_nExitCode;
}

BOOL CWinApp::OnIdle(LONG /*lCount*/)
{
    AfxDeleteTempMap();
    return FALSE;
}

CWinApp* AFXAPI AfxGetApp()
{
    return g_pApp;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    return g_pApp != NULL ? g_pApp->m_pMainWnd : NULL;
}

BOOL AFXAPI AfxPumpMessage(int* pnExitCode)
{
    MSG msg;
    const BOOL bResult = ::GetMessageA(&msg, NULL, 0, 0);
    if (bResult == -1)
    {
        TRACE("GetMessage failed: %lu\n", ::GetLastError());
        return TRUE;
    }
    if (!bResult)
    {
        if (pnExitCode != NULL)
            *pnExitCode = (int)msg.wParam;
        return FALSE;
    }
    CWnd* pMainWnd = AfxGetMainWnd();
    if (!CWnd::WalkPreTranslateTree(pMainWnd != NULL ? pMainWnd->m_hWnd : NULL, &msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL AFXAPI AfxPumpWaitingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
    {
        int nExitCode = 0;
        if (!AfxPumpMessage(&nExitCode))
        {
            ::PostQuitMessage(nExitCode);
            return FALSE;
        }
    }
    AfxDeleteTempMap();
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    ASSERT(pApp != NULL);
    if (pApp == NULL)
        return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}
