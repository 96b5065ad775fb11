// Keeping the help and message popups of the main window's forms in step with the forms.
#pragma once
#include "TessaroDBApi.h"
#include <afxwin.h>

// After a form scrolled: moves every popup owned by the main window back beside its
// control, and hides it while the control is scrolled out of sight.
TESSARODB_API void UpdateOwnedPopups(CWnd* pMainWnd);
// After a form changed its size: moves every popup owned by the main window inside the
// screen rectangle, and hides it while its control lies outside the rectangle.
TESSARODB_API void KeepPopupsInRect(CWnd* pMainWnd, const CRect& rect);
