#include "SequencePane.h"

#include <algorithm>

namespace
{
const int kGroupResidues = 10;
const int kMarginPx = 4;
const int kCaretWidthPx = 2;
// Lines scrolled by one notch of the wheel.
const int kWheelLines = 3;
}

BEGIN_MESSAGE_MAP(CSequencePane, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

BOOL CSequencePane::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    const LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_IBEAM));
    if (lpszClass == NULL || !CreateEx(WS_EX_CLIENTEDGE, lpszClass, "", dwStyle | WS_CHILD | WS_VSCROLL, rect,
                                       pParentWnd, nID))
        return FALSE;
    CClientDC dc(this);
    dc.SelectStockObject(ANSI_FIXED_FONT);
    m_charSize = dc.GetTextExtent("W");
    Layout();
    return TRUE;
}

void CSequencePane::SetRecord(const CString& strName, const CString& strSequence)
{
    m_strName = ">" + strName;
    m_strSequence = strSequence;
    m_nCaret = m_nAnchor = 0;
    m_nTopLine = 0;
    Layout();
    PlaceCaret();
    Invalidate();
}

BOOL CSequencePane::GetSelection(int& nFirst, int& nLast) const
{
    if (m_nCaret == m_nAnchor)
        return FALSE;
    nFirst = std::min(m_nCaret, m_nAnchor) + 1;
    nLast = std::max(m_nCaret, m_nAnchor);
    return TRUE;
}

void CSequencePane::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    dc.FillSolidRect(&rcClient, ::GetSysColor(COLOR_WINDOW));
    dc.SelectStockObject(ANSI_FIXED_FONT);
    const int nLines = std::min(GetLineCount() - m_nTopLine, GetVisibleLines() + 1);
    for (int i = 0; i < nLines; ++i)
        DrawLine(dc, m_nTopLine + i, kMarginPx + i * m_charSize.cy);
}

BOOL CSequencePane::OnEraseBkgnd(CDC* /*pDC*/)
{
    // OnPaint covers every pixel.
    return TRUE;
}

// The caret's line stays in view when the width changes the lines.
void CSequencePane::OnSize(UINT /*nType*/, int /*cx*/, int /*cy*/)
{
    Layout();
    MoveCaret(m_nCaret, TRUE);
    Invalidate();
}

void CSequencePane::OnVScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    GetScrollInfo(SB_VERT, &info, SIF_ALL);
    const int nPage = std::max(1, GetVisibleLines());
    switch (nSBCode)
    {
    case SB_LINEUP: ScrollTo(m_nTopLine - 1); break;
    case SB_LINEDOWN: ScrollTo(m_nTopLine + 1); break;
    case SB_PAGEUP: ScrollTo(m_nTopLine - nPage); break;
    case SB_PAGEDOWN: ScrollTo(m_nTopLine + nPage); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(GetLineCount()); break;
    // The 32-bit position: the message's own is 16 bits.
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
    default: break;
    }
}

BOOL CSequencePane::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    ScrollTo(m_nTopLine - zDelta * kWheelLines / WHEEL_DELTA);
    return TRUE;
}

void CSequencePane::OnSetFocus(CWnd* /*pOldWnd*/)
{
    VERIFY(::CreateCaret(m_hWnd, NULL, kCaretWidthPx, m_charSize.cy));
    PlaceCaret();
    ::ShowCaret(m_hWnd);
}

void CSequencePane::OnKillFocus(CWnd* /*pNewWnd*/)
{
    ::DestroyCaret();
    m_bSelecting = FALSE;
}

void CSequencePane::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    SetCapture();
    m_bSelecting = TRUE;
    MoveCaret(BoundaryAt(point), (nFlags & MK_SHIFT) != 0);
}

void CSequencePane::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (m_bSelecting && GetCapture() == this)
        MoveCaret(BoundaryAt(point), TRUE);
}

void CSequencePane::OnLButtonUp(UINT /*nFlags*/, CPoint point)
{
    if (!m_bSelecting)
        return;
    MoveCaret(BoundaryAt(point), TRUE);
    m_bSelecting = FALSE;
    ::ReleaseCapture();
}

// The keys of an edit control: arrows, Home and End (with Ctrl: of the sequence), Page Up
// and Down; with Shift they extend the selection. Ctrl+A selects every residue.
void CSequencePane::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    const BOOL bShift = GetKeyState(VK_SHIFT) < 0;
    const BOOL bControl = GetKeyState(VK_CONTROL) < 0;
    const int nLineStart = m_nCaret - m_nCaret % m_nPerLine;
    const int nPage = std::max(1, GetVisibleLines() - 1) * m_nPerLine;
    switch (nChar)
    {
    case VK_LEFT: MoveCaret(m_nCaret - 1, bShift); break;
    case VK_RIGHT: MoveCaret(m_nCaret + 1, bShift); break;
    case VK_UP: MoveCaret(m_nCaret - m_nPerLine, bShift); break;
    case VK_DOWN: MoveCaret(m_nCaret + m_nPerLine, bShift); break;
    case VK_PRIOR: MoveCaret(m_nCaret - nPage, bShift); break;
    case VK_NEXT: MoveCaret(m_nCaret + nPage, bShift); break;
    case VK_HOME: MoveCaret(bControl ? 0 : nLineStart, bShift); break;
    case VK_END: MoveCaret(bControl ? m_strSequence.GetLength() : nLineStart + m_nPerLine, bShift); break;
    case 'A':
        if (bControl)
        {
            MoveCaret(0, FALSE);
            MoveCaret(m_strSequence.GetLength(), TRUE);
        }
        break;
    default: Default(); break;
    }
}

UINT CSequencePane::OnGetDlgCode()
{
    return DLGC_WANTARROWS;
}

void CSequencePane::Layout()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    // A group is ten letters and a space; the last group of a line needs no space.
    const int nGroupPx = (kGroupResidues + 1) * std::max(1, (int)m_charSize.cx);
    const int nGroups = std::max(1, (rcClient.Width() - 2 * kMarginPx + std::max(1, (int)m_charSize.cx)) / nGroupPx);
    m_nPerLine = nGroups * kGroupResidues;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    // Always shown, so that the width and the lines it makes do not change with them.
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMax = GetLineCount() - 1;
    info.nPage = std::max(1, GetVisibleLines());
    m_nTopLine = std::max(0, std::min(m_nTopLine, GetLineCount() - (int)info.nPage));
    info.nPos = m_nTopLine;
    SetScrollInfo(SB_VERT, &info);
}

int CSequencePane::GetLineCount() const
{
    return 1 + (m_strSequence.GetLength() + m_nPerLine - 1) / m_nPerLine;
}

int CSequencePane::GetVisibleLines() const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    return std::max(0, (int)(rcClient.Height() - kMarginPx) / std::max(1, (int)m_charSize.cy));
}

void CSequencePane::ScrollTo(int nTopLine)
{
    const int nTop = std::max(0, std::min(nTopLine, GetLineCount() - std::max(1, GetVisibleLines())));
    if (nTop == m_nTopLine)
        return;
    m_nTopLine = nTop;
    SetScrollPos(SB_VERT, m_nTopLine);
    PlaceCaret();
    Invalidate();
}

void CSequencePane::MoveCaret(int nBoundary, BOOL bExtend)
{
    const int nCaret = std::max(0, std::min(nBoundary, m_strSequence.GetLength()));
    const BOOL bSelectionChanged = nCaret != m_nCaret || (!bExtend && m_nAnchor != m_nCaret);
    m_nCaret = nCaret;
    if (!bExtend)
        m_nAnchor = m_nCaret;
    // The residue after the caret, or the last one at the end, is the line to show.
    const int nLine = 1 + std::max(0, std::min(m_nCaret, m_strSequence.GetLength() - 1)) / m_nPerLine;
    const int nVisible = std::max(1, GetVisibleLines());
    if (nLine < m_nTopLine)
        ScrollTo(nLine == 1 ? 0 : nLine);
    else if (nLine >= m_nTopLine + nVisible)
        ScrollTo(nLine - nVisible + 1);
    PlaceCaret();
    if (bSelectionChanged)
        Invalidate();
}

int CSequencePane::BoundaryAt(CPoint point) const
{
    const int nLine = m_nTopLine + std::max(0, (int)(point.y - kMarginPx)) / std::max(1, (int)m_charSize.cy);
    if (nLine < 1)
        return 0;
    // The nearest gap between letters; the space after a group counts as its end.
    const int nColumn = std::max(0, (int)(point.x - kMarginPx + m_charSize.cx / 2)) / std::max(1, (int)m_charSize.cx);
    const int nGroup = nColumn / (kGroupResidues + 1);
    const int nInGroup = std::min(kGroupResidues, nColumn % (kGroupResidues + 1));
    const int nInLine = std::min(m_nPerLine, nGroup * kGroupResidues + nInGroup);
    return std::min(m_strSequence.GetLength(), (nLine - 1) * m_nPerLine + nInLine);
}

// Before the residue after the boundary; after the last residue at the end.
CPoint CSequencePane::BoundaryPoint(int nBoundary) const
{
    const BOOL bAtEnd = nBoundary > 0 && nBoundary == m_strSequence.GetLength();
    const int nResidue = bAtEnd ? nBoundary - 1 : nBoundary;
    const int nInLine = nResidue % m_nPerLine;
    const int nColumn = nInLine + nInLine / kGroupResidues + (bAtEnd ? 1 : 0);
    const int nLine = 1 + nResidue / m_nPerLine;
    return CPoint(kMarginPx + nColumn * m_charSize.cx, kMarginPx + (nLine - m_nTopLine) * m_charSize.cy);
}

void CSequencePane::PlaceCaret()
{
    if (::GetFocus() != m_hWnd)
        return;
    const CPoint point = BoundaryPoint(m_nCaret);
    ::SetCaretPos(point.x - kCaretWidthPx / 2, point.y);
}

// Each group of ten with a space after it; the selected residues in the selection's colours.
void CSequencePane::DrawLine(CDC& dc, int nLine, int y) const
{
    const int nSelStart = std::min(m_nCaret, m_nAnchor);
    const int nSelEnd = std::max(m_nCaret, m_nAnchor);
    if (nLine == 0)
    {
        dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        dc.SetBkColor(::GetSysColor(COLOR_WINDOW));
        CRect rcText(kMarginPx, y, kMarginPx + m_strName.GetLength() * m_charSize.cx, y + m_charSize.cy);
        dc.DrawText(m_strName, &rcText, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        return;
    }
    const int nFirst = (nLine - 1) * m_nPerLine;
    const int nEnd = std::min(m_strSequence.GetLength(), nFirst + m_nPerLine);
    const LPCSTR lpszResidues = m_strSequence;
    for (int nGroup = nFirst; nGroup < nEnd; nGroup += kGroupResidues)
    {
        const int nGroupEnd = std::min(nEnd, nGroup + kGroupResidues);
        // At most three runs: before, inside and after the selection.
        const int bounds[] = {nGroup, std::max(nGroup, std::min(nGroupEnd, nSelStart)),
                              std::max(nGroup, std::min(nGroupEnd, nSelEnd)), nGroupEnd};
        for (int nRun = 0; nRun < 3; ++nRun)
        {
            if (bounds[nRun] >= bounds[nRun + 1])
                continue;
            const BOOL bSelected = nRun == 1;
            dc.SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            dc.SetBkColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            const int nInLine = bounds[nRun] - nFirst;
            const int x = kMarginPx + (nInLine + nInLine / kGroupResidues) * m_charSize.cx;
            CRect rcText(x, y, x + (bounds[nRun + 1] - bounds[nRun]) * m_charSize.cx, y + m_charSize.cy);
            dc.DrawText(lpszResidues + bounds[nRun], bounds[nRun + 1] - bounds[nRun], &rcText,
                        DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        }
    }
}
