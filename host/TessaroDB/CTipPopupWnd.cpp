#include "CTipPopupWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CTipPopupWnd, CWnd)

namespace
{
const int kPaddingPx = 5;
const int kTitleGapPx = 3;   // between the title and the text
const int kAnchorGapPx = 2;  // between the control and the popup
const int kMaxTextWidthPx = 280;
const UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
const UINT_PTR kPopupTimerId = 1;
const UINT kSettleDelayMs = 10;
const UINT kPointerCheckIntervalMs = 200;

// A popup is a help, not a task: a failed system call is a programming error in a debug
// build and otherwise leaves the popup as it is.
bool VerifyWin32(BOOL bSucceeded, LPCSTR lpszWhat)
{
    if (!bSucceeded)
    {
        TRACE("%s failed (error %lu)\n", lpszWhat, ::GetLastError());
        ASSERT(FALSE);
    }
    return bSucceeded != FALSE;
}

// Tooltips are written in the system's status font.
void CreateTipFont(CFont& font, bool bBold)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    VerifyWin32(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0),
               "reading the system's fonts");
    if (bBold)
        metrics.lfStatusFont.lfWeight = FW_BOLD;
    VerifyWin32(font.CreateFontIndirect(&metrics.lfStatusFont), "creating the popup font");
}

CFont* SelectFont(CDC& dc, CFont* pFont)
{
    CFont* pOldFont = dc.SelectObject(pFont);
    VerifyWin32(pOldFont != NULL, "selecting the popup font");
    return pOldFont;
}

struct OwnedPopupSearch
{
    HWND hWndOwner;
    std::vector<CTipPopupWnd*> popups;
};

BOOL CALLBACK CollectOwnedPopup(HWND hWnd, LPARAM lParam)
{
    OwnedPopupSearch* pSearch = (OwnedPopupSearch*)lParam;
    if (::GetWindow(hWnd, GW_OWNER) == pSearch->hWndOwner)
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CTipPopupWnd)))
            pSearch->popups.push_back(static_cast<CTipPopupWnd*>(pWnd));
    }
    return TRUE;
}
}

CTipPopupWnd::CTipPopupWnd(Kind kind)
    : m_kind(kind), m_hWndAnchor(NULL), m_bActive(false), m_bRaisePending(false), m_bTimerRunning(false),
      m_nTitleHeight(0)
{
}

BEGIN_MESSAGE_MAP(CTipPopupWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
END_MESSAGE_MAP()

void CTipPopupWnd::ShowFor(CWnd* pAnchor, const CString& strTitle, const CString& strText)
{
    ASSERT(pAnchor != NULL && ::IsWindow(pAnchor->m_hWnd));
    if (pAnchor == NULL || !::IsWindow(pAnchor->m_hWnd))
        return;
    if (m_hWnd == NULL && !CreatePopup(pAnchor->GetTopLevelParent()->m_hWnd))
        return;
    m_hWndAnchor = pAnchor->m_hWnd;
    m_strTitle = strTitle;
    m_strText = strText;
    m_bActive = true;
    Measure();
    PlaceWithin(GetAnchorWorkArea());
    Invalidate();
    // Wine raises an unmanaged top-level window above every other one, its own popups
    // included, whenever the focus moves inside it; and a field's message appears just
    // before the focus reaches the next field. So the popup comes to the front again once
    // the focus has settled.
    m_bRaisePending = true;
    StartTimer(kSettleDelayMs);
}

void CTipPopupWnd::Dismiss()
{
    m_bActive = false;
    m_bRaisePending = false;
    if (m_hWnd == NULL)
        return;
    ShowWindow(SW_HIDE);
    StopTimer();
}

void CTipPopupWnd::FollowAnchor()
{
    if (m_bActive)
        PlaceWithin(GetAnchorWorkArea());
}

void CTipPopupWnd::KeepInside(const CRect& rcBounds)
{
    if (m_bActive)
        PlaceWithin(rcBounds);
}

std::vector<CTipPopupWnd*> CTipPopupWnd::FindOwnedBy(HWND hWndOwner)
{
    OwnedPopupSearch search = {hWndOwner, {}};
    VerifyWin32(::EnumWindows(CollectOwnedPopup, (LPARAM)&search), "listing the popups");
    return search.popups;
}

void CTipPopupWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    dc.FillSolidRect(&rcClient, ::GetSysColor(COLOR_INFOBK));
    VerifyWin32(::FrameRect(dc, &rcClient, ::GetSysColorBrush(COLOR_INFOTEXT)), "drawing the popup's frame");
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_INFOTEXT));

    CRect rcText = rcClient;
    rcText.DeflateRect(kPaddingPx, kPaddingPx);
    CFont* pOldFont = SelectFont(dc, &m_fontTitle);
    if (!m_strTitle.IsEmpty())
    {
        VerifyWin32(dc.DrawText(m_strTitle, &rcText, kTextFormat) != 0, "drawing the popup's title");
        rcText.top += m_nTitleHeight + kTitleGapPx;
    }
    SelectFont(dc, &m_fontText);
    if (!m_strText.IsEmpty())
        VerifyWin32(dc.DrawText(m_strText, &rcText, kTextFormat) != 0, "drawing the popup's text");
    SelectFont(dc, pOldFont);
}

void CTipPopupWnd::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    Dismiss();
}

void CTipPopupWnd::OnTimer(UINT_PTR /*nIDEvent*/)
{
    if (m_bRaisePending)
    {
        m_bRaisePending = false;
        BringToFront();
        if (m_kind == kindPointerTip)
            StartTimer(kPointerCheckIntervalMs);
        else
            StopTimer();
        return;
    }
    // A pointer tip: no message tells the form when the pointer leaves it altogether.
    POINT ptCursor;
    VerifyWin32(::GetCursorPos(&ptCursor), "reading the pointer position");
    if (!::IsWindow(m_hWndAnchor))
    {
        Dismiss();
        return;
    }
    CRect rcAnchor;
    VerifyWin32(::GetWindowRect(m_hWndAnchor, &rcAnchor), "reading the control's position");
    if (!rcAnchor.PtInRect(ptCursor))
        Dismiss();
}

BOOL CTipPopupWnd::CreatePopup(HWND hWndOwner)
{
    if (m_fontTitle.GetSafeHandle() == NULL)
        CreateTipFont(m_fontTitle, true);
    if (m_fontText.GetSafeHandle() == NULL)
        CreateTipFont(m_fontText, false);
    // Owned by the top-level window, the popup goes with it. It is topmost, as the system's
    // tooltips are: Wine restacks an owner above its other owned windows when it activates it.
    const LPCSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS | CS_DROPSHADOW, ::LoadCursor(NULL, IDC_ARROW));
    return VerifyWin32(lpszClass != NULL && CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, lpszClass, "",
                                                     WS_POPUP, 0, 0, 0, 0, hWndOwner, NULL),
                       "creating the popup window");
}

void CTipPopupWnd::Measure()
{
    // DT_CALCRECT narrows each rectangle to its text; an absent part takes no room.
    CClientDC dc(this);
    CRect rcTitle;
    CRect rcText;
    CFont* pOldFont = SelectFont(dc, &m_fontTitle);
    m_nTitleHeight = 0;
    if (!m_strTitle.IsEmpty())
    {
        rcTitle.SetRect(0, 0, kMaxTextWidthPx, 0);
        m_nTitleHeight = dc.DrawText(m_strTitle, &rcTitle, kTextFormat | DT_CALCRECT);
        VerifyWin32(m_nTitleHeight != 0, "measuring the popup's title");
    }
    SelectFont(dc, &m_fontText);
    int nTextHeight = 0;
    if (!m_strText.IsEmpty())
    {
        rcText.SetRect(0, 0, kMaxTextWidthPx, 0);
        nTextHeight = dc.DrawText(m_strText, &rcText, kTextFormat | DT_CALCRECT);
        VerifyWin32(nTextHeight != 0, "measuring the popup's text");
    }
    SelectFont(dc, pOldFont);

    const int nGap = m_nTitleHeight != 0 && nTextHeight != 0 ? kTitleGapPx : 0;
    m_sizeWindow.cx = std::max(rcTitle.Width(), rcText.Width()) + 2 * kPaddingPx;
    m_sizeWindow.cy = m_nTitleHeight + nGap + nTextHeight + 2 * kPaddingPx;
}

void CTipPopupWnd::PlaceWithin(const CRect& rcBounds)
{
    CRect rcAnchor;
    VerifyWin32(::GetWindowRect(m_hWndAnchor, &rcAnchor), "reading the control's position");
    // A child control is in sight only inside its parent's client area: a scrolled form
    // moves its controls out of it.
    CRect rcSight = rcBounds;
    if (::GetWindowLongPtrA(m_hWndAnchor, GWL_STYLE) & WS_CHILD)
    {
        const HWND hWndParent = ::GetParent(m_hWndAnchor);
        CRect rcParent;
        VerifyWin32(::GetClientRect(hWndParent, &rcParent), "reading the form's size");
        VerifyWin32(::ClientToScreen(hWndParent, (LPPOINT)&rcParent.left), "reading the form's position");
        VerifyWin32(::ClientToScreen(hWndParent, (LPPOINT)&rcParent.right), "reading the form's position");
        rcSight.IntersectRect(&rcSight, &rcParent);
    }
    CRect rcInSight;
    if (!::IsWindowVisible(m_hWndAnchor) || !rcInSight.IntersectRect(&rcAnchor, &rcSight))
    {
        ShowWindow(SW_HIDE);
        return;
    }

    // Below the control, or above it when there is no room below; never off the bounds.
    CPoint ptPopup(rcAnchor.left, rcAnchor.bottom + kAnchorGapPx);
    if (ptPopup.y + m_sizeWindow.cy > rcBounds.bottom)
        ptPopup.y = rcAnchor.top - kAnchorGapPx - m_sizeWindow.cy;
    ptPopup.x = std::max(std::min<LONG>(ptPopup.x, rcBounds.right - m_sizeWindow.cx), rcBounds.left);
    ptPopup.y = std::max<LONG>(ptPopup.y, rcBounds.top);
    VerifyWin32(::SetWindowPos(m_hWnd, HWND_TOPMOST, ptPopup.x, ptPopup.y, m_sizeWindow.cx, m_sizeWindow.cy,
                              SWP_NOACTIVATE | SWP_SHOWWINDOW),
               "placing the popup");
}

void CTipPopupWnd::BringToFront()
{
    if (!IsWindowVisible())
        return;
    // Wine restacks its X window only when the popup is shown, not when it is already first.
    ShowWindow(SW_HIDE);
    VerifyWin32(::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                              SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW),
               "bringing the popup to the front");
}

void CTipPopupWnd::StartTimer(UINT nIntervalMs)
{
    VerifyWin32(::SetTimer(m_hWnd, kPopupTimerId, nIntervalMs, NULL) != 0, "starting the popup's timer");
    m_bTimerRunning = true;
}

void CTipPopupWnd::StopTimer()
{
    if (!m_bTimerRunning)
        return;
    m_bTimerRunning = false;
    VerifyWin32(::KillTimer(m_hWnd, kPopupTimerId), "stopping the popup's timer");
}

CRect CTipPopupWnd::GetAnchorWorkArea() const
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    VerifyWin32(::GetMonitorInfoA(::MonitorFromWindow(m_hWndAnchor, MONITOR_DEFAULTTONEAREST), &info),
               "reading the screen's work area");
    return info.rcWork;
}
