// Message boxes, and the one seam through which a test answers them instead of a person.
#pragma once
#include "afx/afxdefs.h"

AFXKIT_API int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

// Replaces the message box for every later AfxMessageBox and ReportError; the hook
// returns the button's id. NULL restores the real message box. Returns the previous hook.
typedef int (*AFX_MESSAGEBOX_HOOK)(LPCSTR lpszText, UINT nType);
AFXKIT_API AFX_MESSAGEBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK pfnHook);
