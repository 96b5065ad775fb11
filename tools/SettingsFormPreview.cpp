// Shows the settings form the way a host does: the real module is loaded, asked for its
// analysis, and the form is created in a top-level window and filled from a record. The
// window stays until it is closed or, with --seconds N, for N seconds. With --edit NAME the
// form's Edit command opens the reagent dialog on that reagent, as a click would.
#include "PreviewHost.h"

#include <TessaroDB.h>
#include <cstdio>
#include <cstring>
#include <memory>

namespace
{
typedef DWORD (*GetPlugInFunction)(DWORD dwNumber, CAnalysisPlugIn** ppPlugIn);

// The form's reagent list and Edit button, as its template numbers them.
const int kReagentListId = 8003;
const int kEditReagentId = 8002;

LPCSTR ReagentToEdit(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
    {
        if (strcmp(argv[i], "--edit") == 0)
            return argv[i + 1];
    }
    return NULL;
}
}

int main(int argc, char** argv)
{
    HMODULE hModule = LoadLibraryA("CleavagePlugin.tsplugin");
    GetPlugInFunction pfnGetPlugIn = hModule ? (GetPlugInFunction)(void*)GetProcAddress(hModule, "GetPlugIn") : NULL;
    CAnalysisPlugIn* pPlugIn = NULL;
    if (pfnGetPlugIn == NULL || pfnGetPlugIn(0, &pPlugIn) != 0 || pPlugIn == NULL)
    {
        fprintf(stderr, "cannot load CleavagePlugin.tsplugin (error %lu)\n", GetLastError());
        return 1;
    }
    std::unique_ptr<CAnalysisPlugIn> plugIn(pPlugIn);

    CWnd host;
    if (!CreatePreviewHost(host, "Cleavage analysis settings", 660, 480))
        return 1;
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

    if (LPCSTR lpszReagent = ReagentToEdit(argc, argv))
    {
        ::SendDlgItemMessageA(pEditor->m_hWnd, kReagentListId, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)lpszReagent);
        pEditor->PostMessage(WM_COMMAND, MAKEWPARAM(kEditReagentId, BN_CLICKED),
                             (LPARAM)::GetDlgItem(pEditor->m_hWnd, kEditReagentId));
    }
    RunPreview(host, PreviewSeconds(argc, argv));
    return 0;
}
