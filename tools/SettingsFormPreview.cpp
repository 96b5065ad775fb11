// Shows the settings form the way a host does: the real module is loaded, asked for its
// analysis, and the form is created in a top-level window and filled from a record. With
// --sample it first writes a small reagent library into the installation folder. The
// window stays until it is closed or, with --seconds N, for N seconds.
#include "CReagentLibrary.h"

#include <TessaroDB.h>
#include <afxwin.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
typedef DWORD (*GetPlugInFunction)(DWORD dwNumber, CAnalysisPlugIn** ppPlugIn);

void AddSampleReagent(CFile& file, LPCSTR lpszName, LPCSTR lpszRecognition, int nBegin, int nCount)
{
    CEnzymeDlg reagent;
    reagent.m_strName = lpszName;
    reagent.m_strRecognitionProbability = "95";
    reagent.m_recognition.m_nBegin = nBegin;
    reagent.m_recognition.m_nCount = nCount;
    reagent.m_recognition.m_lstCells.AddTail(lpszRecognition);
    CReagentLibrary::AppendReagent(file, reagent);
}

bool WriteSampleLibrary()
{
    const CString strPath = CReagentLibrary::GetPath();
    CreateDirectoryA(strPath.Left(strPath.ReverseFind('\\')), NULL);
    CFile file;
    if (!CReagentLibrary::Open(file, CFile::modeWrite | CFile::modeCreate))
        return false;
    AddSampleReagent(file, "Trypsin", "KR", 0, 2);
    AddSampleReagent(file, "Chymotrypsin", "FYW", 0, 2);
    AddSampleReagent(file, "Asp-N", "D", 1, 1);
    AddSampleReagent(file, "Lys-C", "K", 0, 2);
    AddSampleReagent(file, "Glu-C", "E", 0, 2);
    return true;
}

LRESULT CALLBACK HostWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
}

int main(int argc, char** argv)
{
    bool bSample = false;
    int nSeconds = 0;
    for (int i = 1; i < argc; ++i)
    {
        if (strcmp(argv[i], "--sample") == 0)
            bSample = true;
        else if (strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            nSeconds = atoi(argv[++i]);
    }
    if (bSample && !WriteSampleLibrary())
    {
        fprintf(stderr, "cannot write the sample library %s\n", (LPCSTR)CReagentLibrary::GetPath());
        return 1;
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

    if (nSeconds > 0)
        SetTimer(NULL, 0, nSeconds * 1000, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
    {
        if (msg.message == WM_TIMER && msg.hwnd == NULL)
            break;
        if (!CWnd::WalkPreTranslateTree(NULL, &msg))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        AfxDeleteTempMap();
    }
    host.DestroyWindow();
    host.Detach();
    return 0;
}
