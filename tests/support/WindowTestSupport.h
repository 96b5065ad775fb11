// Support for tests of real windows: a top-level host window to parent the window under
// test, message pumping, and actions that run inside a modal loop.
#pragma once
#include <afxwin.h>
#include <functional>

// A plain top-level window of the test program's own class, shown, with no map handlers.
class TestHostWindow : public CWnd
{
public:
    explicit TestHostWindow(const CRect& rect = CRect(50, 50, 650, 550));
    ~TestHostWindow() override;
};

// Dispatches every message waiting in the queue (through PreTranslateMessage, as the
// toolkit's modal loop does), then frees the toolkit's temporary objects.
void PumpMessages();

// Runs the action from the message loop that is running then (a dialog's modal loop),
// after the messages already posted.
void PostTestAction(std::function<void()> action);

// Posts a key press (WM_KEYDOWN and WM_KEYUP) to a window.
void PostKey(HWND hWnd, UINT nVirtualKey);
// Holds a key such as Shift or Ctrl down (or lets it go) in the thread's keyboard state,
// as GetKeyState reads it while posted keys are handled.
void HoldKey(UINT nVirtualKey, bool bDown);

// Whether GetClipCursor reports a clip back (32-bit Wine's reports the whole screen), probed
// once with a small clip that is then released; when not, says so on the test's output.
bool PlatformReportsCursorClip();

// Runs code that runs a modal loop (a dialog, or a command that opens one). A loop still
// running after timeoutMs fails the test: the thread's dialogs are destroyed, and if even
// that does not end the loop, the program ends, so a hanging dialog costs seconds, not the
// test run's limit.
void RunWithWatchdog(const std::function<void()>& run, DWORD timeoutMs = 5000);
INT_PTR DoModalWithWatchdog(CDialog& dialog, DWORD timeoutMs = 5000);
