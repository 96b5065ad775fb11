// Module start-up and the one exported function through which the host gets the analysis.
#include "CCleavageAnalysis.h"
#include "CEnzymeDlg.h"
#include <PK_RTTI_LINK.h>

namespace
{
AFX_EXTENSION_MODULE g_cleavagePluginModule = {FALSE, NULL, NULL};

// The host's archive library finds the reagent record's serialiser under this name
// from the module's loading to its unloading.
PK_RTTI_LINK g_enzymeDlgLink("EnzymeDlg", RUNTIME_CLASS(CEnzymeDlg), &CEnzymeDlg::SerializeObject, NULL, NULL);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID /*lpReserved*/)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        // Registering as an extension module makes the toolkit find the plug-in's
        // dialog templates; without it the plug-in cannot work, so it refuses to load.
        if (!AfxInitExtensionModule(g_cleavagePluginModule, hInstance))
            return FALSE;
        new CDynLinkLibrary(g_cleavagePluginModule);
    }
    else if (dwReason == DLL_PROCESS_DETACH)
    {
        AfxTermExtensionModule(g_cleavagePluginModule);
    }
    return TRUE;
}

// Results: 1 when there is no out slot; otherwise 0, with a new analysis stored
// through ppPlugIn only when dwNumber is 0.
extern "C" __declspec(dllexport) DWORD GetPlugIn(DWORD dwNumber, CAnalysisPlugIn** ppPlugIn)
{
    if (ppPlugIn == NULL)
        return 1;
    if (dwNumber != 0)
        return 0;
    *ppPlugIn = new CCleavageAnalysis;
    return 0;
}
