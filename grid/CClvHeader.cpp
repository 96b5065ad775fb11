#include "CClvHeader.h"
#include "PatternEditing.h"
#include "PositionLabel.h"

#include <algorithm>
#include <cstdlib>

namespace
{
const int kMinColumnWidthPx = 10;
// An end column narrower than this gives no room to drag a new position out of it.
const int kMinEndColumnForAddPx = 20;
// Width of each position the grid grows by while a stored pattern is loaded into it.
const int kLoadedColumnWidthPx = 30;
const int kLabelTopMarginPx = 3;
const int kGuideLineMarginPx = 2;
const COLORREF kFocusLabelColour = RGB(0, 0, 0);
const COLORREF kLabelColour = RGB(100, 100, 100);
const COLORREF kGripShadowColour = RGB(128, 128, 128);
const COLORREF kGripLightColour = RGB(255, 255, 255);
const COLORREF kCellLineColour = RGB(128, 128, 128);
const COLORREF kCellColour = RGB(255, 255, 255);

void DrawVerticalLine(CDC* pDC, int x, int yTop, int yBottom)
{
    pDC->MoveTo(x, yTop);
    pDC->LineTo(x, yBottom);
}
}

CClvHeader::CClvHeader()
    : m_nAddSide(addNone), m_nSelected(-1), m_nFirstVisible(0), m_bGuideLine(FALSE), m_nDragX(0),
      m_bAdding(FALSE), m_size(0, 0), m_bFocus(FALSE)
{
}

BEGIN_MESSAGE_MAP(CClvHeader, CHeaderCtrl)
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_ERASEBKGND()
    ON_NOTIFY_REFLECT(HDN_ENDTRACKA, OnEndTrack)
END_MESSAGE_MAP()

CRect CClvHeader::GetCellRect(int nColumn) const
{
    if (nColumn < m_nFirstVisible || nColumn >= GetColumnCount())
        return CRect();
    const int nOffset = GetScrollOffset();
    return CRect(GetColumnLeft(nColumn) - nOffset, m_rcCells.top, GetEdge(nColumn) - nOffset, m_rcCells.bottom);
}

CRect CClvHeader::HitTestCell(CPoint point, int* pIndex) const
{
    if (!m_rcCells.PtInRect(point))
    {
        *pIndex = m_nSelected;
        return CRect();
    }
    const int nOffset = GetScrollOffset();
    for (int nColumn = m_nFirstVisible; nColumn < GetColumnCount(); ++nColumn)
    {
        if (GetEdge(nColumn) - nOffset > point.x)
        {
            *pIndex = nColumn;
            return GetCellRect(nColumn);
        }
    }
    *pIndex = GetColumnCount();
    return CRect();
}

void CClvHeader::ScrollColumns(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    if (IsEditing())
        return;
    int nMinPos = 0;
    int nMaxPos = 0;
    switch (nSBCode)
    {
    case SB_LINELEFT:
    case SB_PAGELEFT:
        if (m_nFirstVisible > 0)
        {
            InsertColumnItem(0, GetColumnWidth(m_nFirstVisible - 1));
            --m_nFirstVisible;
            m_scrollBar.SetScrollPos(std::max(0, m_scrollBar.GetScrollPos() - 1));
        }
        Invalidate(TRUE);
        break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
    {
        int nItemsWidth = 0;
        for (int nItem = 0; nItem < GetItemCount(); ++nItem)
            nItemsWidth += GetItemWidth(nItem);
        if (nItemsWidth > m_size.cx && m_nFirstVisible < GetColumnCount() - 1)
        {
            ++m_nFirstVisible;
            VERIFY(DeleteItem(0));
            m_scrollBar.GetScrollRange(&nMinPos, &nMaxPos);
            m_scrollBar.SetScrollPos(std::min(nMaxPos, m_scrollBar.GetScrollPos() + 1));
        }
        Invalidate(TRUE);
        break;
    }
    }
}

void CClvHeader::UpdateScrollBar()
{
    const int nLastEdge = GetEdge(GetColumnCount() - 1);
    if (nLastEdge <= m_size.cx && m_nFirstVisible == 0)
    {
        m_scrollBar.ShowScrollBar(FALSE);
        return;
    }
    m_scrollBar.ShowScrollBar(TRUE);
    int nMaxPos = m_nFirstVisible;
    if (m_nFirstVisible == 0 || nLastEdge - GetScrollOffset() > m_size.cx)
    {
        // The fewest columns scrolled away with which the last column ends in the view.
        nMaxPos = 1;
        while (nLastEdge - GetEdge(nMaxPos - 1) > m_size.cx)
            ++nMaxPos;
    }
    m_scrollBar.SetScrollRange(0, nMaxPos, TRUE);
}

void CClvHeader::DrawCells(CDC* pDC)
{
    CPen pen(PS_SOLID, 1, kCellLineColour);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush brush(kCellColour);
    pDC->FillRect(&m_rcCells, &brush);
    CRect rcBorder = m_rcCells;
    pDC->DrawEdge(&rcBorder, EDGE_SUNKEN, BF_RECT);
    pDC->SetBkMode(TRANSPARENT);
    const int nOffset = GetScrollOffset();
    for (int nColumn = m_nFirstVisible; nColumn < GetColumnCount(); ++nColumn)
    {
        // The last column ends on the border, which stays as it is.
        const int x = GetEdge(nColumn) - nOffset;
        if (x < m_size.cx)
            DrawVerticalLine(pDC, m_rcCells.left + x - 1, m_rcCells.top, m_rcCells.bottom - 1);
    }
    pDC->SelectObject(pOldPen);
}

void CClvHeader::GetExtent(int* pFirst, int* pLast) const
{
    int nFirst = 0;
    int nLast = 0;
    GetGridExtent(*this, nFirst, nLast);
    if (pFirst != NULL)
        *pFirst = nFirst;
    if (pLast != NULL)
        *pLast = nLast;
}

void CClvHeader::InsertColumnItem(int nItem, int nWidth)
{
    HDITEMA item = {};
    item.mask = HDI_WIDTH | HDI_FORMAT;
    item.cxy = nWidth;
    item.fmt = HDF_OWNERDRAW;
    VERIFY(InsertItem(nItem, &item) == nItem);
}

int CClvHeader::GetItemWidth(int nItem) const
{
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    VERIFY(GetItem(nItem, &item));
    return item.cxy;
}

void CClvHeader::SetItemWidth(int nItem, int nWidth)
{
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    item.cxy = nWidth;
    VERIFY(SetItem(nItem, &item));
    Invalidate(TRUE);
}

void CClvHeader::MoveEdges(int nFromColumn, int nDelta)
{
    for (int nColumn = nFromColumn; nColumn < GetColumnCount(); ++nColumn)
        SetEdge(nColumn, GetEdge(nColumn) + nDelta);
}

void CClvHeader::InvalidateCells()
{
    GetParent()->InvalidateRect(&m_rcCells, TRUE);
}

void CClvHeader::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const int nItem = (int)lpDrawItemStruct->itemID;
    const int nColumn = m_nFirstVisible + nItem;
    CorrectItemWidth(nItem, nColumn, GetItemWidth(nItem));

    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rcItem(lpDrawItemStruct->rcItem);
    DrawLabel(pDC, rcItem, nColumn);
    DrawEndGrips(pDC, rcItem, nItem);
    InvalidateCells();
}

// Keeps every item as wide as its column and the last column reaching the right end of
// the view; each change repaints the whole header, which draws it with the new values.
void CClvHeader::CorrectItemWidth(int nItem, int nColumn, int nItemWidth)
{
    const int nLast = GetColumnCount() - 1;
    const int nLastItem = GetItemCount() - 1;
    const int nViewEnd = GetScrollOffset() + m_size.cx;
    if (nItem == 0)
    {
        if (m_nFirstVisible >= 1)
        {
            if (nLastItem == 0 && GetEdge(nLast) < nViewEnd)
            {
                SetEdge(nLast, nViewEnd);
                Invalidate(TRUE);
            }
            if (nItemWidth != GetColumnWidth(nColumn))
                SetItemWidth(nItem, GetColumnWidth(nColumn));
        }
        else if (nItemWidth != GetEdge(0))
        {
            SetItemWidth(nItem, GetEdge(0));
        }
        return;
    }

    if (nColumn <= nLast && nItemWidth != GetColumnWidth(nColumn))
        SetItemWidth(nItem, GetColumnWidth(nColumn));
    if (m_nFirstVisible < 1)
    {
        if (GetEdge(nLast) < m_size.cx)
        {
            SetItemWidth(nLast, m_size.cx - GetEdge(nLast - 1));
            SetEdge(nLast, m_size.cx);
        }
    }
    else if (nItem == nLastItem && GetEdge(nLast) < nViewEnd)
    {
        SetEdge(nLast, nViewEnd);
        Invalidate(TRUE);
    }
}

void CClvHeader::DrawLabel(CDC* pDC, const CRect& rcItem, int nColumn)
{
    // The labels are drawn in the dialog's font, looked up every time.
    CFont* pOldFont = NULL;
    CWnd* pDialog = GetParent()->GetParent();
    CFont* pFont = pDialog != NULL ? pDialog->GetFont() : NULL;
    if (pFont != NULL)
        pOldFont = pDC->SelectObject(pFont);

    const int nLabel = nColumn < (int)m_labels.GetCount() ? nColumn : 0;
    CRect rcText = rcItem;
    rcText.OffsetRect(0, kLabelTopMarginPx);
    pDC->SetTextColor(m_bFocus ? kFocusLabelColour : kLabelColour);
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(GetLabel(nLabel), &rcText, DT_CENTER);

    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
}

// The grips mark the ends from which a new position can be dragged out.
void CClvHeader::DrawEndGrips(CDC* pDC, const CRect& rcItem, int nItem)
{
    int xShadow = 0;
    int xLight = 0;
    if (nItem == 0 && m_nFirstVisible == 0)
    {
        xShadow = rcItem.left + 2;
        xLight = rcItem.left + 3;
    }
    else if (nItem == GetItemCount() - 1)
    {
        xShadow = rcItem.right - 4;
        xLight = rcItem.right - 5;
    }
    else
    {
        return;
    }
    CPen penShadow(PS_SOLID, 1, kGripShadowColour);
    CPen penLight(PS_SOLID, 1, kGripLightColour);
    CPen* pOldPen = pDC->SelectObject(&penShadow);
    DrawVerticalLine(pDC, xShadow, rcItem.top, rcItem.bottom);
    pDC->SelectObject(&penLight);
    DrawVerticalLine(pDC, xLight, rcItem.top, rcItem.bottom);
    pDC->SelectObject(pOldPen);
}

CString CClvHeader::GetLabel(int nPosition) const
{
    const POSITION pos = m_labels.FindIndex(nPosition);
    ASSERT(pos != NULL);
    return m_labels.GetAt(pos);
}

void CClvHeader::AppendPosition(LPCSTR lpszLabel)
{
    m_labels.AddTail(lpszLabel);
    m_cells.Add(CString());
    m_edges.Add((DWORD)(GetEdge(GetColumnCount() - 1) + kLoadedColumnWidthPx));
    InsertColumnItem(GetItemCount(), kLoadedColumnWidthPx);
    RedrawWindow();
    UpdateScrollBar();
}

// Widens the first column, so that a new one fits, then adds at the left end as a drag
// released at x = 30 would.
void CClvHeader::AddPositionAtLeft()
{
    NMHEADERA header = {};
    header.hdr.hwndFrom = m_hWnd;
    header.hdr.idFrom = IDC_CLV_HEADER;
    header.hdr.code = HDN_ENDTRACKA;
    header.iItem = 0;
    LRESULT lForcedX = GetEdge(0) + kLoadedColumnWidthPx;
    OnEndTrack(&header.hdr, &lForcedX);
    RedrawWindow();

    m_bAdding = TRUE;
    m_nAddSide = addLeft;
    m_nDragX = kLoadedColumnWidthPx;
    OnLButtonUp(0, CPoint(0, 0));
    m_bAdding = FALSE;
    m_nAddSide = addNone;
    m_nDragX = 0;
}

void CClvHeader::ScrollFullyLeft()
{
    for (int nSteps = m_scrollBar.GetScrollPos(); nSteps > 0; --nSteps)
        ScrollColumns(SB_LINELEFT, 0, &m_scrollBar);
}

BOOL CClvHeader::IsOnLiveLeftGrip(CPoint point) const
{
    return m_rcLeftGrip.PtInRect(point) && m_nFirstVisible == 0;
}

// Live only while the last column ends exactly at the right end of the view.
BOOL CClvHeader::IsOnLiveRightGrip(CPoint point) const
{
    return m_rcRightGrip.PtInRect(point) &&
           GetEdge(GetColumnCount() - 1) - GetScrollOffset() == m_size.cx;
}

BOOL CClvHeader::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (IsEditing())
        return TRUE;
    if (IsOnLiveLeftGrip(point) || IsOnLiveRightGrip(point) || m_bAdding)
    {
        ::SetCursor(::LoadCursor(NULL, IDC_SIZEWE));
        return TRUE;
    }
    return CHeaderCtrl::OnSetCursor(pWnd, nHitTest, message);
}

void CClvHeader::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsEditing())
        return;
    const BOOL bLeft = IsOnLiveLeftGrip(point);
    if (bLeft || (IsOnLiveRightGrip(point) && (m_nFirstVisible != 0 || !m_bAdding)))
    {
        SetCapture();
        m_bAdding = TRUE;
        if (m_rcLeftGrip.PtInRect(point))
        {
            ConfineCursor(CRect(0, 0, GetItemWidth(0) - 3, m_size.cy));
            m_nAddSide = addLeft;
        }
        else
        {
            ConfineCursor(CRect(m_size.cx - GetItemWidth(GetItemCount() - 1) + 2, 0, m_size.cx, m_size.cy));
            m_nAddSide = addRight;
        }
    }
    GetParent()->SetFocus();
    CHeaderCtrl::OnLButtonDown(nFlags, point);
}

void CClvHeader::ConfineCursor(const CRect& rcHeader)
{
    CRect rcScreen = rcHeader;
    ClientToScreen(&rcScreen);
    VERIFY(::ClipCursor(&rcScreen));
}

void CClvHeader::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bAdding)
    {
        if (m_nAddSide == addLeft)
            AddAtLeftEnd();
        else if (m_nAddSide == addRight)
            AddAtRightEnd();
        if (::ReleaseCapture())
        {
            m_bAdding = FALSE;
            VERIFY(::ClipCursor(NULL));
            m_nAddSide = addNone;
        }
        UpdateScrollBar();
    }
    // Repainting the whole header removes the guide line.
    m_bGuideLine = FALSE;
    Invalidate(TRUE);
    CHeaderCtrl::OnLButtonUp(nFlags, point);
    MatchItemWidthsToColumns();
}

// The control gives a dragged item its own width when the drag ends, after the model took
// the drag; it stops at 0, and an owner-drawn item 0 wide is never drawn, so DrawItem
// would never correct it.
void CClvHeader::MatchItemWidthsToColumns()
{
    for (int nItem = 0; nItem < GetItemCount() && m_nFirstVisible + nItem < GetColumnCount(); ++nItem)
    {
        const int nWidth = GetColumnWidth(m_nFirstVisible + nItem);
        if (GetItemWidth(nItem) != nWidth)
            SetItemWidth(nItem, nWidth);
    }
}

// The release point becomes the divider between the new first column and the old one,
// which keeps at least the narrowest width.
void CClvHeader::AddAtLeftEnd()
{
    const int nFirstWidth = GetItemWidth(0);
    if (nFirstWidth < kMinEndColumnForAddPx || m_nDragX <= kMinColumnWidthPx || m_nDragX >= nFirstWidth)
        return;
    m_labels.AddHead(PositionLabel(0 - atoi(m_labels.GetHead().Mid(1))));
    m_cells.InsertAt(0, CString());
    const int nOldFirstEdge = GetEdge(0);
    const int nNewEdge = nOldFirstEdge >= m_nDragX + kMinColumnWidthPx ? m_nDragX : nOldFirstEdge - kMinColumnWidthPx;
    m_edges.InsertAt(0, (DWORD)nNewEdge);
    InsertColumnItem(0, nNewEdge);
    if (m_nSelected > -1)
        ++m_nSelected;
}

void CClvHeader::AddAtRightEnd()
{
    const int nLastWidth = GetItemWidth(GetItemCount() - 1);
    if (nLastWidth < kMinEndColumnForAddPx || m_nDragX <= m_size.cx - nLastWidth ||
        m_nDragX >= m_size.cx - kMinColumnWidthPx)
        return;
    const CString strLast = m_labels.GetTail();
    m_labels.AddTail(PositionLabel(atoi(strLast.Mid(1, strLast.GetLength() - 2)) + 1));
    m_cells.Add(CString());
    const int nColumns = GetColumnCount();
    const int nOffset = GetScrollOffset();
    const int nBefore = GetEdge(nColumns - 2);
    const int nDivider =
        nBefore - nOffset + kMinColumnWidthPx > m_nDragX ? nBefore + kMinColumnWidthPx : m_nDragX + nOffset;
    m_edges.InsertAt(nColumns - 1, (DWORD)nDivider);
    InsertColumnItem(GetItemCount(), GetColumnWidth(nColumns));
}

void CClvHeader::OnMouseMove(UINT nFlags, CPoint point)
{
    CDC* pDC = NULL;
    if (!IsEditing() && m_bAdding && nFlags == MK_LBUTTON && (pDC = GetDC()) != NULL)
    {
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* pOldPen = pDC->SelectObject(&pen);
        const int nOldRop = pDC->SetROP2(R2_NOT);
        // Drawing the old line again removes it.
        if (m_bGuideLine)
            DrawGuideLine(pDC, m_nDragX);
        DrawGuideLine(pDC, point.x);
        pDC->SetROP2(nOldRop);
        pDC->SelectObject(pOldPen);
        ReleaseDC(pDC);
        m_nDragX = point.x;
        m_bGuideLine = TRUE;
        InvalidateRect(&m_rcRightGrip, TRUE);
    }
    CHeaderCtrl::OnMouseMove(nFlags, point);
}

void CClvHeader::DrawGuideLine(CDC* pDC, int x)
{
    DrawVerticalLine(pDC, x, kGuideLineMarginPx, m_size.cy - kGuideLineMarginPx);
}

// During an end drag the guide line must survive the header's repaints.
BOOL CClvHeader::OnEraseBkgnd(CDC* pDC)
{
    if (m_bAdding)
        return TRUE;
    return CHeaderCtrl::OnEraseBkgnd(pDC);
}

void CClvHeader::OnEndTrack(NMHDR* pNMHDR, LRESULT* pResult)
{
    const int nItem = ((NMHEADERA*)pNMHDR)->iItem;
    // The last item's own width change is undone when the header is next drawn.
    if (nItem >= GetItemCount() - 1)
        return;
    const int nColumn = nItem + m_nFirstVisible;
    int x = (int)*pResult;
    BOOL bPush = x != 0;
    if (!bPush)
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        x = point.x;
        bPush = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    }
    if (bPush && x > kMinColumnWidthPx)
        ApplyPushResize(nColumn, x);
    else
        ApplyPlainResize(nColumn, x);
    LimitColumnsToViewWidth();
    UpdateScrollBar();
}

// The divider moves and every column right of it moves with it, keeping its width.
void CClvHeader::ApplyPushResize(int nColumn, int x)
{
    const int nOffset = GetScrollOffset();
    int nDelta = x - (GetEdge(nColumn) - nOffset);
    int nFromColumn = nColumn;
    if (nColumn >= 1 && GetEdge(nColumn) + nDelta < GetEdge(nColumn - 1) + kMinColumnWidthPx)
    {
        const int nNarrowest = GetEdge(nColumn - 1) + kMinColumnWidthPx;
        nDelta = nNarrowest - GetEdge(nColumn);
        SetEdge(nColumn, nNarrowest);
        nFromColumn = nColumn + 1;
    }
    MoveEdges(nFromColumn, nDelta);
    const int nLast = GetColumnCount() - 1;
    if (GetEdge(nLast) - nOffset < m_size.cx)
        SetEdge(nLast, nOffset + m_size.cx);
}

// Only the divider moves: what one column gains its right neighbour loses.
void CClvHeader::ApplyPlainResize(int nColumn, int x)
{
    SetEdge(nColumn, x + GetScrollOffset());
    if (nColumn == 0 && m_nFirstVisible == 0)
    {
        if (GetEdge(0) < kMinColumnWidthPx)
            SetEdge(0, kMinColumnWidthPx);
        else if (GetColumnWidth(1) < kMinColumnWidthPx)
            SetEdge(0, GetEdge(1) - kMinColumnWidthPx);
    }
    else if (GetColumnWidth(nColumn) < kMinColumnWidthPx)
    {
        SetEdge(nColumn, GetEdge(nColumn - 1) + kMinColumnWidthPx);
    }
    else if (GetColumnWidth(nColumn + 1) < kMinColumnWidthPx)
    {
        SetEdge(nColumn, GetEdge(nColumn + 1) - kMinColumnWidthPx);
    }
}

// No column may be wider than the view.
void CClvHeader::LimitColumnsToViewWidth()
{
    for (int i = 0; i < GetColumnCount() - 1; ++i)
    {
        if (GetEdge(0) > m_size.cx)
            MoveEdges(0, -(GetEdge(i) - m_size.cx));
        else if (GetColumnWidth(i + 1) > m_size.cx)
            MoveEdges(i + 1, -(GetColumnWidth(i + 1) - m_size.cx));
    }
}
