#include "ToolkitInternal.h"

#include <commctrl.h>

namespace
{
HINSTANCE g_hToolkitInstance = NULL;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID /*lpReserved*/)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        g_hToolkitInstance = hInstance;
    return TRUE;
}

HINSTANCE AfxGetToolkitInstance()
{
    return g_hToolkitInstance;
}

void AfxInitCommonControls()
{
    static bool s_bDone = false;
    if (s_bDone)
        return;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    // Without them the list view and header windows cannot be made, and their creation
    // fails where it is checked.
    s_bDone = ::InitCommonControlsEx(&icc) != FALSE;
    if (!s_bDone)
        TRACE("InitCommonControlsEx failed: %lu\n", ::GetLastError());
}

void AfxReportUnexpectedError(const char* lpszWhat)
{
    CString strMessage = "An unexpected error occurred";
    if (lpszWhat != NULL && *lpszWhat != '\0')
        strMessage += CString(": ") + lpszWhat;
    AfxMessageBox(strMessage + ".", MB_OK | MB_ICONSTOP);
}
