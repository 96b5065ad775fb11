// The application object and the toolkit's one message pump. A host program makes one
// application object, gives it its main window in InitInstance and runs it with Run; the
// modal loop, the tests and the tools pump through AfxPumpMessage as well.
#pragma once
#include "afx/CCmdTarget.h"

class CWnd;

class AFXKIT_API CWinApp : public CCmdTarget
{
public:
    explicit CWinApp(LPCSTR lpszAppName = NULL);
    ~CWinApp() override;

    // Makes the main window; FALSE ends the program at once.
    virtual BOOL InitInstance();
    // Pumps messages until WM_QUIT, idling whenever the queue is empty; returns ExitInstance().
    virtual int Run();
    // The program's exit code: the WM_QUIT code that ended Run.
    virtual int ExitInstance();
    // Called while the queue is empty; frees the temporary wrappers. TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG lCount);

    CWnd* m_pMainWnd = NULL;
    LPCSTR m_pszAppName;
    HINSTANCE m_hInstance = NULL;
    LPSTR m_lpCmdLine = NULL;
    int m_nCmdShow = SW_SHOWNORMAL;

protected:
    int m_nExitCode = 0;
};

// The one application object, or NULL when the program has none.
AFXKIT_API CWinApp* AFXAPI AfxGetApp();
// The application's main window, or NULL.
AFXKIT_API CWnd* AFXAPI AfxGetMainWnd();

// Waits for one message and dispatches it, first offering it to PreTranslateMessage of
// its window and that window's parents (up to the main window). FALSE on WM_QUIT, whose
// code is then in *pnExitCode when given.
AFXKIT_API BOOL AFXAPI AfxPumpMessage(int* pnExitCode = NULL);
// Dispatches every message already waiting, then frees the temporary wrappers. FALSE when
// a WM_QUIT was among them (it is posted again, for the loop that owns it).
AFXKIT_API BOOL AFXAPI AfxPumpWaitingMessages();

// The program's WinMain: the application object's InitInstance, then Run.
AFXKIT_API int AFXAPI AfxWinMain(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);
