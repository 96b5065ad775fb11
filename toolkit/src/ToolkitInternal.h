// Helpers shared by the toolkit's own sources; not part of its interface.
#pragma once
#include "afx.h"

class CWnd;

#include <exception>
#include <stdexcept>
#include <vector>

// The one window procedure of every attached window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// The dialog procedure of every toolkit dialog and form: runs OnInitDialog, leaves the
// rest to the message map.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The toolkit DLL's own module handle.
HINSTANCE AfxGetToolkitInstance();
// Registers the list-view and header classes once, before the first window is made.
void AfxInitCommonControls();
// Where window classes and resources are looked for: the program, the extension modules
// from the last registered to the first, then the toolkit.
std::vector<HINSTANCE> AfxGetSearchModules();
LPCSTR AfxRegisterDefaultWndClass();
// The dialog template of that name and the module that holds it; NULL when none has it.
LPCDLGTEMPLATEA AfxLoadDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE& hInst);
// Creates a dialog window from the template with pWnd attached before its first message.
// Returns the window, or NULL; bAttached tells whether pWnd was attached, in which case
// a window that failed has already been through WM_NCDESTROY.
HWND AfxCreateDlgIndirect(CWnd* pWnd, LPCDLGTEMPLATEA lpTemplate, HWND hWndParent, HINSTANCE hInst,
                          BOOL& bAttached);
void AfxDeleteTempGdiMaps();
// Tells the user about an error that escaped a message handler.
void AfxReportUnexpectedError(const char* lpszWhat);

// Runs body so that no C++ exception crosses a Win32 callback: a toolkit exception is
// reported with its own message, anything else as an unexpected error; onError runs first.
template <class Body, class OnError>
void AfxCallGuarded(Body body, OnError onError)
{
    try
    {
        body();
    }
    catch (CException* e)
    {
        onError();
        e->ReportError(MB_OK | MB_ICONSTOP);
        e->Delete();
    }
    catch (const std::exception& e)
    {
        onError();
        AfxReportUnexpectedError(e.what());
    }
    catch (...)
    {
        onError();
        AfxReportUnexpectedError(NULL);
    }
}
