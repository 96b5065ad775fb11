// Shows the settings form the way a host does: the real module is loaded, asked for its
// analysis, and the form is created in a top-level window and filled from a record. The
// window stays until it is closed or, with --seconds N, for N seconds.

#include <TessaroDB.h>
#include <afxwin.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
typedef DWORD (*GetPlugInFunction)(DWORD dwNumber, CAnalysisPlugIn** ppPlugIn);

LRESULT CALLBACK HostWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER)
        DestroyWindow(hWnd);
    else if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
}

int main(int argc, char** argv)
{
    int nSeconds = 0;
    for (int i = 1; i < argc; ++i)
    {
        if (strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            nSeconds = atoi(argv[++i]);
    }

    HMODULE hModule = LoadLibraryA("CleavagePlugin.tsplugin");
    GetPlugInFunction pfnGetPlugIn = hModule ? (GetPlugInFunction)(void*)GetProcAddress(hModule, "GetPlugIn") : NULL;
    CAnalysisPlugIn* pPlugIn = NULL;
    if (pfnGetPlugIn == NULL || pfnGetPlugIn(0, &pPlugIn) != 0 || pPlugIn == NULL)
    {
        fprintf(stderr, "cannot load CleavagePlugin.tsplugin (error %lu)\n", GetLastError());
        return 1;
    }
    std::unique_ptr<CAnalysisPlugIn> plugIn(pPlugIn);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostWndProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "SettingsFormPreview";
    if (!RegisterClassA(&wc))
        return 1;
    CWnd host;
    host.Attach(CreateWindowExA(0, wc.lpszClassName, "Cleavage analysis settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 660, 480, NULL, NULL, wc.hInstance, NULL));
    CWnd* pEditor = pPlugIn->CreateEditor(&host);
    if (pEditor == NULL)
    {
        fprintf(stderr, "the analysis made no settings form\n");
        return 1;
    }
    CRect rcClient;
    host.GetClientRect(&rcClient);
    pEditor->MoveWindow(&rcClient);

    CPkMol mol("Lysozyme C", 147);
    CAnalysisHeaderBase header(&mol);
    std::unique_ptr<CAnalysisData> record(pPlugIn->CreateData(&header));
    CAnalysisContext context(&header, record.get());
    pPlugIn->ExchangeData(pEditor, &context, FALSE);

    // The host window closes itself when the timer fires, which ends the pump.
    if (nSeconds > 0)
        SetTimer(host.m_hWnd, 1, nSeconds * 1000, NULL);
    while (AfxPumpMessage())
    {
    }
    host.DestroyWindow();
    host.Detach();
    return 0;
}
