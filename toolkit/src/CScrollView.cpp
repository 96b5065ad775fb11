#include "afxext.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() : m_bInsideUpdate(FALSE)
{
}

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

void CScrollView::SetScrollSizes(int /*nMapMode*/, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_totalDev = sizeTotal;
    // Defaults: a page is a tenth of the total, a line a tenth of a page.
    m_pageDev = sizePage.cx != 0 || sizePage.cy != 0 ? CSize(sizePage)
                                                       : CSize(m_totalDev.cx / 10, m_totalDev.cy / 10);
    m_lineDev = sizeLine.cx != 0 || sizeLine.cy != 0 ? CSize(sizeLine)
                                                       : CSize(m_pageDev.cx / 10, m_pageDev.cy / 10);
    m_lineDev.cx = std::max<LONG>(m_lineDev.cx, 1);
    m_lineDev.cy = std::max<LONG>(m_lineDev.cy, 1);
    if (m_hWnd != NULL)
        UpdateBars();
}

CPoint CScrollView::GetScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

void CScrollView::ScrollToPosition(POINT pt)
{
    ScrollBarTo(SB_HORZ, pt.x);
    ScrollBarTo(SB_VERT, pt.y);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    OnScroll(SB_HORZ, nSBCode);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    OnScroll(SB_VERT, nSBCode);
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate)
        return;
    m_bInsideUpdate = TRUE;

    // The client size the window would have without scroll bars decides which bars
    // are needed; a needed bar takes room from the other direction.
    CRect rcClient;
    GetClientRect(&rcClient);
    CSize sizeClient = rcClient.Size();
    const int cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    if (GetStyle() & WS_VSCROLL)
        sizeClient.cx += cxVScroll;
    if (GetStyle() & WS_HSCROLL)
        sizeClient.cy += cyHScroll;
    bool bNeedH = m_totalDev.cx > sizeClient.cx;
    bool bNeedV = m_totalDev.cy > sizeClient.cy;
    if (bNeedH && !bNeedV)
        bNeedV = m_totalDev.cy > sizeClient.cy - cyHScroll;
    if (bNeedV && !bNeedH)
        bNeedH = m_totalDev.cx > sizeClient.cx - cxVScroll;
    if (bNeedV)
        sizeClient.cx -= cxVScroll;
    if (bNeedH)
        sizeClient.cy -= cyHScroll;

    // Clamp the position first, so that the contents move back into view.
    const CPoint ptOld = GetScrollPosition();
    const CPoint ptNew(bNeedH ? std::min<int>(ptOld.x, m_totalDev.cx - sizeClient.cx) : 0,
                       bNeedV ? std::min<int>(ptOld.y, m_totalDev.cy - sizeClient.cy) : 0);
    if (ptNew != ptOld)
        ScrollWindow(ptOld.x - ptNew.x, ptOld.y - ptNew.y);

    SCROLLINFO si = {};
    si.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    si.nMax = bNeedH ? m_totalDev.cx - 1 : 0;
    si.nPage = bNeedH ? sizeClient.cx : 0;
    si.nPos = ptNew.x;
    SetScrollInfo(SB_HORZ, &si);
    si.nMax = bNeedV ? m_totalDev.cy - 1 : 0;
    si.nPage = bNeedV ? sizeClient.cy : 0;
    si.nPos = ptNew.y;
    SetScrollInfo(SB_VERT, &si);
    ShowScrollBar(SB_HORZ, bNeedH);
    ShowScrollBar(SB_VERT, bNeedV);

    m_bInsideUpdate = FALSE;
}

void CScrollView::OnScroll(int nBar, UINT nSBCode)
{
    SCROLLINFO si = {};
    if (!GetScrollInfo(nBar, &si))
        return;
    const bool bHorz = nBar == SB_HORZ;
    const int nLine = bHorz ? m_lineDev.cx : m_lineDev.cy;
    const int nPage = bHorz ? m_pageDev.cx : m_pageDev.cy;
    int nPos = si.nPos;
    switch (nSBCode)
    {
    case SB_LINEUP:
        nPos -= nLine;
        break;
    case SB_LINEDOWN:
        nPos += nLine;
        break;
    case SB_PAGEUP:
        nPos -= nPage;
        break;
    case SB_PAGEDOWN:
        nPos += nPage;
        break;
    case SB_TOP:
        nPos = 0;
        break;
    case SB_BOTTOM:
        nPos = si.nMax;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        nPos = si.nTrackPos;  // 32 bits, unlike the message's 16-bit position
        break;
    default:
        return;
    }
    ScrollBarTo(nBar, nPos);
}

void CScrollView::ScrollBarTo(int nBar, int nPos)
{
    SCROLLINFO si = {};
    if (!GetScrollInfo(nBar, &si))
        return;
    const int nMaxPos = std::max(0, si.nMax - (int)si.nPage + 1);
    nPos = std::clamp(nPos, 0, nMaxPos);
    if (nPos == si.nPos)
        return;
    if (nBar == SB_HORZ)
        ScrollWindow(si.nPos - nPos, 0);
    else
        ScrollWindow(0, si.nPos - nPos);
    SetScrollPos(nBar, nPos);
}
