// The header row of a position grid and the owner of the grid's column model: labels,
// cell texts and column edges, selection, scrolling, the cell editor and the scroll bar.
#pragma once
#include "CClvEdit.h"
#include "IPatternGrid.h"

#include <afxcmn.h>

// Control identifiers of the grid's children.
enum
{
    IDC_CLV_HEADER = 1560,
    IDC_CLV_SCROLLBAR = 1561,
    IDC_CLV_EDIT = 1562,
};

// Width of the end grips, from which a position is dragged out, at the header's ends.
const int kEndGripWidthPx = 9;

class CClvHeader : public CHeaderCtrl, public IPatternGrid
{
public:
    // End at which a position is being added (m_nAddSide).
    enum AddSide
    {
        addNone = 0,
        addLeft = 1,
        addRight = 2,
    };

    CClvHeader();
    CClvHeader(const CClvHeader&) = delete;
    CClvHeader& operator=(const CClvHeader&) = delete;

    int GetColumnCount() const { return (int)m_edges.GetSize(); }
    // The cell of a shown column, in the grid's client coordinates; empty for any other.
    CRect GetCellRect(int nColumn) const;
    // The cell under the point and its column; outside the strip the selection and an
    // empty rectangle, right of every column the column count and an empty rectangle.
    CRect HitTestCell(CPoint point, int* pIndex) const;
    // Scrolls one column left or right (a page is a column too); refused while editing.
    void ScrollColumns(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    // Shows the scroll bar with its range while columns do not fit or are scrolled away.
    void UpdateScrollBar();
    // Paints the cell strip's background, border and column lines.
    void DrawCells(CDC* pDC);
    // Position indices of the first and last written cell; (0, 1) when none is written.
    void GetExtent(int* pFirst, int* pLast) const;
    // Inserts an owner-drawn item without text.
    void InsertColumnItem(int nItem, int nWidth);
    int GetItemWidth(int nItem) const;
    BOOL IsEditing() const { return ::IsWindow(m_edit.m_hWnd); }

    // Column geometry in unscrolled coordinates, and the scroll offset.
    int GetEdge(int nColumn) const { return (int)m_edges[nColumn]; }
    int GetColumnLeft(int nColumn) const { return nColumn > 0 ? GetEdge(nColumn - 1) : 0; }
    int GetColumnWidth(int nColumn) const { return GetEdge(nColumn) - GetColumnLeft(nColumn); }
    int GetScrollOffset() const { return GetColumnLeft(m_nFirstVisible); }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // IPatternGrid: the reagent dialog's loading of a stored pattern.
    int GetPositionCount() const override { return GetColumnCount(); }
    CString GetLabel(int nPosition) const override;
    CString GetCell(int nPosition) const override { return m_cells[nPosition]; }
    void SetCell(int nPosition, LPCSTR lpszText) override { m_cells[nPosition] = lpszText; }
    void AppendPosition(LPCSTR lpszLabel) override;
    void AddPositionAtLeft() override;
    void ScrollFullyLeft() override;

    // Also called from code: the dialog adds positions through OnLButtonUp and resizes
    // through OnEndTrack.
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // A non-zero *pResult is a forced divider x (header coordinates) in push mode.
    afx_msg void OnEndTrack(NMHDR* pNMHDR, LRESULT* pResult);

    int m_nAddSide;       // AddSide of the end drag in progress
    int m_nSelected;      // column of the selected cell, -1 for none
    CClvEdit m_edit;      // a child window of the grid while a cell is edited
    CRect m_rcFramed;     // where the focus frame is drawn now; empty for none
    CRect m_rcCells;      // the cell strip in the grid's client coordinates
    int m_nFirstVisible;  // columns scrolled away at the left; the column of item 0
    CScrollBar m_scrollBar;
    BOOL m_bGuideLine;    // the end drag's guide line is on the screen
    int m_nDragX;         // x of the guide line: the new divider of an end drag
    BOOL m_bAdding;       // an end drag is in progress
    CSize m_size;         // width W and height H of the header row
    CStringList m_labels;
    CStringArray m_cells;
    CDWordArray m_edges;  // right edge of each column, unscrolled; read as signed
    CRect m_rcLeftGrip;
    CRect m_rcRightGrip;
    BOOL m_bFocus;        // the grid or its editor has the focus: labels are black

protected:
    DECLARE_MESSAGE_MAP()

private:
    void SetEdge(int nColumn, int nEdge) { m_edges[nColumn] = (DWORD)nEdge; }
    void MoveEdges(int nFromColumn, int nDelta);
    void SetItemWidth(int nItem, int nWidth);
    void InvalidateCells();
    void CorrectItemWidth(int nItem, int nColumn, int nItemWidth);
    void MatchItemWidthsToColumns();
    void DrawLabel(CDC* pDC, const CRect& rcItem, int nColumn);
    void DrawEndGrips(CDC* pDC, const CRect& rcItem, int nItem);
    BOOL IsOnLiveLeftGrip(CPoint point) const;
    BOOL IsOnLiveRightGrip(CPoint point) const;
    void ConfineCursor(const CRect& rcHeader);
    void DrawGuideLine(CDC* pDC, int x);
    void AddAtLeftEnd();
    void AddAtRightEnd();
    void ApplyPushResize(int nColumn, int x);
    void ApplyPlainResize(int nColumn, int x);
    void LimitColumnsToViewWidth();
};
