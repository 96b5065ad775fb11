#include "WindowTestSupport.h"
#include "PumpUntil.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <deque>
#include <stdexcept>

namespace
{
const char kHostClass[] = "CleavageTestHost";
const char kActionClass[] = "CleavageTestActions";
const UINT kRunActionMessage = WM_APP + 1;

std::deque<std::function<void()>>& PendingActions()
{
    static std::deque<std::function<void()>> actions;
    return actions;
}

void RegisterOnce(LPCSTR lpszClassName, WNDPROC pfnWndProc, HBRUSH hbrBackground)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExA(::GetModuleHandleA(NULL), lpszClassName, &wc))
        return;
    wc.lpfnWndProc = pfnWndProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = lpszClassName;
    if (!::RegisterClassExA(&wc))
        throw std::runtime_error("cannot register a test window class");
}

LRESULT CALLBACK ActionWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kRunActionMessage)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    std::function<void()> action = std::move(PendingActions().front());
    PendingActions().pop_front();
    action();
    return 0;
}

HWND ActionWindow()
{
    static HWND s_hWnd = NULL;
    if (s_hWnd == NULL)
    {
        RegisterOnce(kActionClass, ActionWndProc, NULL);
        s_hWnd = ::CreateWindowExA(0, kActionClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                                   ::GetModuleHandleA(NULL), NULL);
        if (s_hWnd == NULL)
            throw std::runtime_error("cannot create the test action window");
    }
    return s_hWnd;
}
}

TestHostWindow::TestHostWindow(const CRect& rect)
{
    RegisterOnce(kHostClass, ::DefWindowProcA, (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CreateEx(0, kHostClass, "Test host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, rect, NULL, 0))
        throw std::runtime_error("cannot create the test host window");
    PumpMessages();
}

TestHostWindow::~TestHostWindow()
{
    DestroyWindow();
    PumpMessages();
}

void PumpMessages()
{
    AfxPumpWaitingMessages();
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG nStart = ::GetTickCount64();
    for (;;)
    {
        PumpMessages();
        if (condition())
            return true;
        const ULONGLONG nElapsed = ::GetTickCount64() - nStart;
        if (nElapsed >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, (DWORD)std::min<ULONGLONG>(timeoutMs - nElapsed, 50),
                                    QS_ALLINPUT);
    }
}

bool PlatformReportsCursorClip()
{
    static const bool s_bReported = [] {
        const CRect rcProbe(10, 10, 20, 20);
        CRect rcRead;
        EXPECT_TRUE(::ClipCursor(&rcProbe) && ::GetClipCursor(&rcRead) && ::ClipCursor(NULL));
        return rcRead == rcProbe;
    }();
    if (!s_bReported)
        printf("NOTE: GetClipCursor does not report the clip rectangle on this platform; the clip is not checked\n");
    return s_bReported;
}

namespace
{
int g_nWatchdogFirings = 0;

BOOL CALLBACK DestroyDialogWindow(HWND hWnd, LPARAM /*lParam*/)
{
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (strcmp(szClass, "#32770") == 0)
        ::DestroyWindow(hWnd);
    return TRUE;
}

void CALLBACK WatchdogExpired(HWND /*hWnd*/, UINT /*message*/, UINT_PTR /*nIDEvent*/, DWORD /*dwTime*/)
{
    if (++g_nWatchdogFirings == 1)
    {
        ADD_FAILURE() << "the modal loop was still running when the watchdog expired";
        // Destroying its dialog ends a modal loop.
        ::EnumThreadWindows(::GetCurrentThreadId(), DestroyDialogWindow, 0);
        return;
    }
    fprintf(stderr, "the modal loop does not end even with its dialog destroyed\n");
    fflush(stderr);
    ::ExitProcess(3);
}
}

void RunWithWatchdog(const std::function<void()>& run, DWORD timeoutMs)
{
    g_nWatchdogFirings = 0;
    const UINT_PTR nTimer = ::SetTimer(NULL, 0, timeoutMs, WatchdogExpired);
    EXPECT_NE(0u, nTimer) << "cannot start the watchdog";
    run();
    ::KillTimer(NULL, nTimer);
}

INT_PTR DoModalWithWatchdog(CDialog& dialog, DWORD timeoutMs)
{
    INT_PTR nResult = 0;
    RunWithWatchdog([&] { nResult = dialog.DoModal(); }, timeoutMs);
    return nResult;
}

void PostTestAction(std::function<void()> action)
{
    PendingActions().push_back(std::move(action));
    ::PostMessageA(ActionWindow(), kRunActionMessage, 0, 0);
}

void PostKey(HWND hWnd, UINT nVirtualKey)
{
    const UINT nScanCode = ::MapVirtualKeyA(nVirtualKey, MAPVK_VK_TO_VSC);
    ::PostMessageA(hWnd, WM_KEYDOWN, nVirtualKey, 1 | (nScanCode << 16));
    ::PostMessageA(hWnd, WM_KEYUP, nVirtualKey, 1 | (nScanCode << 16) | 0xC0000000);
}

void HoldKey(UINT nVirtualKey, bool bDown)
{
    BYTE state[256] = {};
    ASSERT_TRUE(::GetKeyboardState(state));
    state[nVirtualKey] = bDown ? 0x80 : 0;
    ASSERT_TRUE(::SetKeyboardState(state));
}
