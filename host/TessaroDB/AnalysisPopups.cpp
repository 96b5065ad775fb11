#include "AnalysisPopups.h"
#include "CTipPopupWnd.h"

#include <stdexcept>

namespace
{
HWND CheckedMainWindow(CWnd* pMainWnd)
{
    if (pMainWnd == NULL || !::IsWindow(pMainWnd->m_hWnd))
        throw std::invalid_argument("the popups' main window does not exist");
    return pMainWnd->m_hWnd;
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
