// Extension modules: DLLs whose resources (dialog templates) the toolkit searches
// after the program's own, in the order they registered.
#pragma once
#include "afx/CObject.h"

struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
};

AFXKIT_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Unlinks and deletes every CDynLinkLibrary made for the module.
AFXKIT_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// Links an initialised module into the toolkit's resource search while it lives.
class AFXKIT_API CDynLinkLibrary : public CObject
{
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule;
    HMODULE m_hResource;
};

// The module that holds the resource: the program's own first, then the toolkit's, then the
// extension modules; NULL if none has it.
AFXKIT_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
