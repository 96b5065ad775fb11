#include "ToolkitInternal.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CObject)

namespace
{
// The extension modules in the order they registered. Only touched on the user-interface
// thread (module load and unload happen under the loader lock), so no lock of its own.
std::vector<CDynLinkLibrary*>& LibraryChain()
{
    static std::vector<CDynLinkLibrary*> chain;
    return chain;
}
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (!hModule)
        return FALSE;
    if (!state.bInitialized)
    {
        state.hModule = hModule;
        state.hResource = hModule;
        state.bInitialized = TRUE;
    }
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL /*bAll*/)
{
    if (!state.bInitialized)
        return;
    std::vector<CDynLinkLibrary*>& chain = LibraryChain();
    std::vector<CDynLinkLibrary*> owned;
    for (CDynLinkLibrary* pLibrary : chain)
        if (pLibrary->m_hModule == state.hModule)
            owned.push_back(pLibrary);
    for (CDynLinkLibrary* pLibrary : owned)
        delete pLibrary;
    state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state)
    : m_hModule(state.hModule), m_hResource(state.hResource)
{
    LibraryChain().push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    std::vector<CDynLinkLibrary*>& chain = LibraryChain();
    chain.erase(std::remove(chain.begin(), chain.end(), this), chain.end());
}

std::vector<HINSTANCE> AfxGetSearchModules()
{
    // MFC's order: the program, then the extension modules from the last registered to the
    // first, then the toolkit itself. A program therefore keeps its own resource ids clear
    // of those of the modules it loads.
    std::vector<HINSTANCE> modules = {GetModuleHandleA(NULL)};
    const std::vector<CDynLinkLibrary*>& chain = LibraryChain();
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        modules.push_back((*it)->m_hResource);
    modules.push_back(AfxGetToolkitInstance());
    return modules;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    for (const HINSTANCE hInstance : AfxGetSearchModules())
        if (FindResourceA(hInstance, lpszName, lpszType))
            return hInstance;
    return NULL;
}
