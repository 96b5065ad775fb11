#include "AnalysisPopups.h"
#include "CTipPopupWnd.h"


namespace
{
HWND CheckedMainWindow(CWnd* pMainWnd)
{
    ASSERT(pMainWnd != NULL && ::IsWindow(pMainWnd->m_hWnd));
    return pMainWnd != NULL ? pMainWnd->m_hWnd : NULL;
}
}

void UpdateOwnedPopups(CWnd* pMainWnd)
{
    for (CTipPopupWnd* pPopup : CTipPopupWnd::FindOwnedBy(CheckedMainWindow(pMainWnd)))
        pPopup->FollowAnchor();
}

void KeepPopupsInRect(CWnd* pMainWnd, const CRect& rect)
{
    for (CTipPopupWnd* pPopup : CTipPopupWnd::FindOwnedBy(CheckedMainWindow(pMainWnd)))
        pPopup->KeepInside(rect);
}
