// Shows the settings form the way a host does: the real module is loaded, asked for its
// analysis, and the form is created in a top-level window and filled from a record. The
// window stays until it is closed or, with --seconds N, for N seconds.
#include "PreviewHost.h"

#include <TessaroDB.h>
#include <cstdio>
#include <memory>

namespace
{
typedef DWORD (*GetPlugInFunction)(DWORD dwNumber, CAnalysisPlugIn** ppPlugIn);
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

    RunPreview(host, PreviewSeconds(argc, argv));
    return 0;
}
