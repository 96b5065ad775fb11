#include "PreviewHost.h"

#include <cstdlib>
#include <cstring>

namespace
{
const char kHostClass[] = "CleavagePreviewHost";
HFONT g_hHostFont = NULL;

LRESULT CALLBACK HostWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETFONT)
        return (LRESULT)g_hHostFont;
    if (message == WM_TIMER)
        DestroyWindow(hWnd);
    else if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
}

int PreviewSeconds(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
    {
        if (strcmp(argv[i], "--seconds") == 0)
            return atoi(argv[i + 1]);
    }
    return 0;
}

BOOL CreatePreviewHost(CWnd& host, LPCSTR lpszTitle, int nWidth, int nHeight, HFONT hFont)
{
    g_hHostFont = hFont;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostWndProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = kHostClass;
    if (!RegisterClassA(&wc))
        return FALSE;
    return host.Attach(CreateWindowExA(0, kHostClass, lpszTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, nWidth,
                                       nHeight, NULL, NULL, wc.hInstance, NULL));
}

void RunPreview(CWnd& host, int nSeconds)
{
    // The host window closes itself when the timer fires, which ends the pump.
    if (nSeconds > 0)
        SetTimer(host.m_hWnd, 1, nSeconds * 1000, NULL);
    while (AfxPumpMessage())
    {
    }
    if (IsWindow(host.m_hWnd))
        host.DestroyWindow();
    host.Detach();
}
