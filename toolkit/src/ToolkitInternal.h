// Helpers shared by the toolkit's own sources; not part of its interface.
#pragma once
#include "afx.h"

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
// Where window classes and resources are looked for: the program, the toolkit, then the
// extension modules in the order they registered.
std::vector<HINSTANCE> AfxGetSearchModules();
LPCSTR AfxRegisterDefaultWndClass();
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
