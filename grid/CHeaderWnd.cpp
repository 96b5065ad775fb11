#include "CHeaderWnd.h"

#include <algorithm>

namespace
{
const char kDeleteConfirmation[] = "Delete the item from the cleavage pattern?";
// The editor lies inside the cell, clear of the column lines and the sunken border.
const int kEditorMarginXPx = 3;
const int kEditorMarginYPx = 4;
// Where the cell texts start and end inside a cell.
const int kTextMarginPx = 3;

// The keys that start typing into a selected cell: digits, letters and the codes
// between them, the space, and the punctuation keys, the bracket keys among them.
BOOL IsTypingKey(UINT nKey)
{
    return (nKey >= 0x30 && nKey <= 0x5A) || nKey == VK_SPACE || (nKey >= VK_OEM_1 && nKey <= VK_OEM_2) ||
           (nKey >= VK_OEM_4 && nKey <= VK_OEM_8);
}
}

BEGIN_MESSAGE_MAP(CHeaderWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_HSCROLL()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

BOOL CHeaderWnd::Create(const RECT& rect, CWnd* pParent, UINT nID)
{
    if (pParent == NULL)
        return FALSE;
    // Class style 0: the system sends no double clicks; the second click of one opens
    // the editor anyway.
    const HBRUSH hbrParent = (HBRUSH)::GetClassLongPtrA(pParent->m_hWnd, GCLP_HBRBACKGROUND);
    LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), hbrParent, NULL);
    if (lpszClass == NULL || !CWnd::Create(lpszClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(), pParent, nID))
        return FALSE;
    if (!m_header.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | CCS_TOP | HDS_BUTTONS, CRect(), this, IDC_CLV_HEADER))
        return FALSE;

    CRect rcLayout(rect);
    WINDOWPOS wp = {};
    HDLAYOUT layout = {&rcLayout, &wp};
    VERIFY(m_header.Layout(&layout));
    const int nHeight = wp.cy;
    const int nWidth = rcLayout.Width();
    const int nScrollBarHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    SetWindowPos(&wndBottom, rect.left, rect.top + nHeight, nWidth, 2 * nHeight + nScrollBarHeight + 2,
                 SWP_SHOWWINDOW);

    m_header.m_size = CSize(nWidth, nHeight);
    m_header.m_rcLeftGrip = CRect(0, 0, kEndGripWidthPx, nHeight);
    m_header.m_rcRightGrip = CRect(nWidth - kEndGripWidthPx, 0, nWidth, nHeight);
    m_header.SetWindowPos(NULL, 0, 0, nWidth, nHeight, wp.flags | SWP_SHOWWINDOW);

    m_header.InsertColumnItem(0, nWidth / 2);
    m_header.InsertColumnItem(1, nWidth / 2);
    m_header.m_labels.AddTail("P1");
    m_header.m_labels.AddTail("P1'");
    m_header.m_cells.Add(CString());
    m_header.m_cells.Add(CString());
    m_header.m_edges.Add((DWORD)(nWidth / 2));
    m_header.m_edges.Add((DWORD)nWidth);

    CRect rcClient;
    GetClientRect(&rcClient);
    m_header.m_rcCells = CRect(rcClient.left, rcClient.top + nHeight, rcClient.right,
                               rcClient.bottom - nScrollBarHeight + 2);
    if (!m_header.m_scrollBar.Create(WS_CHILD | SBS_HORZ | SBS_BOTTOMALIGN, rcClient, this, IDC_CLV_SCROLLBAR))
        return FALSE;
    m_header.m_edit.m_pHeader = &m_header;
    return TRUE;
}

void CHeaderWnd::DrawFocusFrame(CRect rect, CDC* pDC)
{
    if (rect.IsRectNull())
        return;
    CDC* pOwnDC = NULL;
    if (pDC == NULL)
    {
        pDC = pOwnDC = GetDC();
        ASSERT(pDC != NULL);
    }
    CRgn rgnCells;
    VERIFY(rgnCells.CreateRectRgnIndirect(&m_header.m_rcCells));
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    const int nSavedDC = pDC->SaveDC();
    pDC->SelectClipRgn(&rgnCells);
    pDC->SetROP2(R2_NOT);
    pDC->SelectObject(&pen);
    pDC->SelectStockObject(HOLLOW_BRUSH);
    pDC->Rectangle(rect.left + 2, rect.top + 3, rect.right - 2, rect.bottom - 2);
    // Raster operation, clip, pen and brush as they were.
    pDC->RestoreDC(nSavedDC);
    if (pOwnDC != NULL)
        ReleaseDC(pOwnDC);
}

// Keys reach the grid here, before any dialog handling, while no cell is edited.
BOOL CHeaderWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || m_header.IsEditing())
        return CWnd::PreTranslateMessage(pMsg);
    switch (pMsg->wParam)
    {
    case VK_LEFT:
        MoveSelectionLeft();
        return TRUE;
    case VK_RIGHT:
        MoveSelectionRight();
        return TRUE;
    case VK_DELETE:
        DeleteEndPosition();
        break;
    }
    if (StartTypingIntoCell(pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void CHeaderWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    int nColumn = -1;
    const CRect rcCell = m_header.HitTestCell(point, &nColumn);
    if (!rcCell.PtInRect(point))
    {
        if (!m_header.IsEditing())
        {
            CWnd::OnLButtonDown(nFlags, point);
            return;
        }
        CloseEditor();
    }
    else if (m_header.m_rcFramed.IsRectNull() || (rcCell != m_header.m_rcFramed && !m_header.IsEditing()))
    {
        m_header.m_rcFramed = rcCell;
    }
    else if (rcCell != m_header.m_rcFramed)
    {
        CloseEditor();
        m_header.m_rcFramed = rcCell;
    }
    else if (!m_header.IsEditing())
    {
        // A second click on the selected cell edits its text.
        OpenEditor(rcCell);
        m_header.m_edit.SetWindowText(m_header.m_cells[m_header.m_nSelected]);
    }

    if (nColumn > -1)
        m_header.m_nSelected = nColumn;
    if (!m_header.IsEditing())
        SetFocus();
    InvalidateCells();
    CWnd::OnLButtonDown(nFlags, point);
}

void CHeaderWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    int nColumn = -1;
    const CRect rcCell = m_header.HitTestCell(point, &nColumn);
    if (rcCell.PtInRect(point))
    {
        if (m_header.IsEditing())
            CloseEditor();
        OpenEditor(rcCell);
        m_header.m_edit.SetWindowText(m_header.m_cells[m_header.m_nSelected]);
        if (nColumn > -1)
            m_header.m_nSelected = nColumn;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CHeaderWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    m_header.ScrollColumns(nSBCode, nPos, pScrollBar);
    CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CHeaderWnd::OnPaint()
{
    CPaintDC dc(this);
    CRgn rgnCells;
    VERIFY(rgnCells.CreateRectRgnIndirect(&m_header.m_rcCells));
    dc.SelectClipRgn(&rgnCells);
    m_header.DrawCells(&dc);

    const CRect rcSelected = m_header.GetCellRect(m_header.m_nSelected);
    if (rcSelected != m_header.m_rcFramed)
    {
        // Moves the frame, then paints the strip once more so that one frame remains.
        DrawFocusFrame(m_header.m_rcFramed, &dc);
        m_header.m_rcFramed = rcSelected;
        DrawFocusFrame(rcSelected, &dc);
        InvalidateCells();
    }
    else
    {
        DrawFocusFrame(m_header.m_rcFramed, &dc);
    }

    dc.SetBkMode(TRANSPARENT);
    for (int nColumn = m_header.m_nFirstVisible; nColumn < m_header.GetColumnCount(); ++nColumn)
    {
        CRect rcText = m_header.GetCellRect(nColumn);
        rcText.DeflateRect(kTextMarginPx, 0);
        if (rcText.left >= m_header.m_rcCells.right)
            continue;
        rcText.right = std::min(rcText.right, m_header.m_rcCells.right);
        dc.DrawText(m_header.m_cells[nColumn], &rcText, DT_VCENTER | DT_SINGLELINE);
    }
    dc.SelectClipRgn(NULL);
}

// With the scroll bar hidden its place is painted like a dialog's surface; the header
// and the cell strip paint the rest.
BOOL CHeaderWnd::OnEraseBkgnd(CDC* pDC)
{
    if (m_header.m_scrollBar.IsWindowVisible())
        return CWnd::OnEraseBkgnd(pDC);
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nScrollBarHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    CBrush brush(::GetSysColor(COLOR_BTNFACE));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->PatBlt(rcClient.left, rcClient.bottom - nScrollBarHeight, rcClient.Width(), nScrollBarHeight, PATCOPY);
    pDC->SelectObject(pOldBrush);
    return TRUE;
}

void CHeaderWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    m_header.m_bFocus = TRUE;
    m_header.Invalidate(TRUE);
}

void CHeaderWnd::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    m_header.m_bFocus = FALSE;
    m_header.Invalidate(TRUE);
}

void CHeaderWnd::OpenEditor(const CRect& rcCell)
{
    CRect rcEditor = rcCell;
    rcEditor.DeflateRect(kEditorMarginXPx, kEditorMarginYPx);
    rcEditor.right = std::min(rcEditor.right, m_header.m_rcCells.right);
    VERIFY(m_header.m_edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, rcEditor, this, IDC_CLV_EDIT));
    m_header.m_edit.SetFocus();
}

// The editor answers the focus loss by storing its text and closing.
void CHeaderWnd::CloseEditor()
{
    m_header.m_edit.SendMessage(WM_KILLFOCUS);
}

void CHeaderWnd::InvalidateCells()
{
    InvalidateRect(&m_header.m_rcCells, TRUE);
}

void CHeaderWnd::MoveSelectionLeft()
{
    if (m_header.m_nSelected > 0)
    {
        --m_header.m_nSelected;
        if (m_header.m_nSelected < m_header.m_nFirstVisible)
            SendMessage(WM_HSCROLL, SB_LINELEFT, (LPARAM)m_header.m_scrollBar.m_hWnd);
    }
    InvalidateCells();
}

void CHeaderWnd::MoveSelectionRight()
{
    if (m_header.m_nSelected < m_header.GetColumnCount() - 1)
    {
        ++m_header.m_nSelected;
        if (m_header.GetCellRect(m_header.m_nSelected).right > m_header.m_rcCells.right)
            SendMessage(WM_HSCROLL, SB_LINERIGHT, (LPARAM)m_header.m_scrollBar.m_hWnd);
    }
    InvalidateCells();
}

// Positions are deleted only at the two ends, never P1 or P1', after confirmation.
void CHeaderWnd::DeleteEndPosition()
{
    const int nLast = m_header.GetColumnCount() - 1;
    if (m_header.m_nFirstVisible == 0 && m_header.m_nSelected == 0 && m_header.m_labels.GetHead() != "P1")
    {
        if (AfxMessageBox(kDeleteConfirmation, MB_OKCANCEL) != IDCANCEL)
            DeleteFirstPosition();
    }
    else if (m_header.m_nSelected == nLast && m_header.m_labels.GetTail() != "P1'" &&
             m_header.GetCellRect(nLast).right == m_header.m_rcCells.right)
    {
        if (AfxMessageBox(kDeleteConfirmation, MB_OKCANCEL) != IDCANCEL)
            DeleteLastPosition();
    }
}

// The remaining columns keep their widths and start again at x = 0.
void CHeaderWnd::DeleteFirstPosition()
{
    m_header.m_labels.RemoveHead();
    m_header.m_cells.RemoveAt(0);
    const DWORD dwFirstEdge = m_header.m_edges[0];
    m_header.m_edges.RemoveAt(0);
    for (INT_PTR i = 0; i < m_header.m_edges.GetSize(); ++i)
        m_header.m_edges[i] -= dwFirstEdge;
    m_header.m_nSelected = -1;
    VERIFY(m_header.DeleteItem(0));
    m_header.UpdateScrollBar();
}

// Columns scrolled away at the left come back into the freed width.
void CHeaderWnd::DeleteLastPosition()
{
    const int nFreedWidth = m_header.GetCellRect(m_header.m_nSelected).Width();
    const int nOldFirstVisible = m_header.m_nFirstVisible;
    int nFirstVisible = nOldFirstVisible;
    int nBroughtBack = 0;
    while (nFirstVisible > 0)
    {
        nBroughtBack += m_header.GetColumnWidth(nFirstVisible - 1);
        if (nBroughtBack > nFreedWidth)
            break;
        --nFirstVisible;
    }
    m_header.m_nFirstVisible = nFirstVisible;

    VERIFY(m_header.DeleteItem(m_header.GetItemCount() - 1));
    for (int nColumn = nOldFirstVisible - 1; nColumn >= nFirstVisible; --nColumn)
        m_header.InsertColumnItem(0, m_header.GetColumnWidth(nColumn));

    m_header.m_labels.RemoveTail();
    m_header.m_cells.RemoveAt(m_header.m_cells.GetSize() - 1);
    m_header.m_edges.RemoveAt(m_header.m_edges.GetSize() - 1);
    m_header.m_nSelected = -1;
    m_header.UpdateScrollBar();
    m_header.Invalidate(TRUE);
}

// Typing on a selected cell replaces its text: the editor opens empty and receives the
// key, which becomes its first character.
BOOL CHeaderWnd::StartTypingIntoCell(const MSG* pMsg)
{
    if (m_header.m_nSelected <= -1 || !IsTypingKey((UINT)pMsg->wParam))
        return FALSE;
    OpenEditor(m_header.GetCellRect(m_header.m_nSelected));
    m_header.m_edit.PostMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
    return pMsg->wParam == VK_SPACE;
}
