// The application object: the host program makes one, and gives it its main window.
#pragma once
#include "afx/CCmdTarget.h"

class CWnd;

class AFXKIT_API CWinApp : public CCmdTarget
{
public:
    explicit CWinApp(LPCSTR lpszAppName = NULL);
    ~CWinApp() override;

    CWnd* m_pMainWnd = NULL;
    LPCSTR m_pszAppName;
};

// The one application object, or NULL when the program has none.
AFXKIT_API CWinApp* AFXAPI AfxGetApp();
// The application's main window, or NULL.
AFXKIT_API CWnd* AFXAPI AfxGetMainWnd();
