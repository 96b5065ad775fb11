#include "afxwin.h"

#include <stdexcept>

namespace
{
CWinApp* g_pApp = NULL;
}

CWinApp::CWinApp(LPCSTR lpszAppName) : m_pszAppName(lpszAppName)
{
    if (g_pApp != NULL)
        throw std::logic_error("a program has one application object");
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    g_pApp = NULL;
}

CWinApp* AFXAPI AfxGetApp()
{
    return g_pApp;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    return g_pApp != NULL ? g_pApp->m_pMainWnd : NULL;
}
