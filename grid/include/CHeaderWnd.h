// The position grid: a header row of pattern positions over a strip of cells, one per
// position, and a horizontal scroll bar shown while the columns do not fit.
#pragma once
#include "CClvHeader.h"

// Control identifier the reagent dialog gives its grids.
const UINT IDC_CLV_GRID = 1565;

class CHeaderWnd : public CWnd
{
public:
    CHeaderWnd() = default;

    // Creates the grid with the positions P1 and P1' across the width of rect; its top
    // lies one header height below rect.top and it chooses its own height.
    BOOL Create(const RECT& rect, CWnd* pParent, UINT nID);
    // Draws the focus frame around a cell, or removes it: the frame inverts the screen.
    // Nothing for an empty rectangle; without pDC the grid's own DC is used.
    void DrawFocusFrame(CRect rect, CDC* pDC = NULL);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CClvHeader m_header;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);

    DECLARE_MESSAGE_MAP()

private:
    void OpenEditor(const CRect& rcCell);
    void CloseEditor();
    void InvalidateCells();
    void MoveSelectionLeft();
    void MoveSelectionRight();
    void DeleteEndPosition();
    void DeleteFirstPosition();
    void DeleteLastPosition();
    BOOL StartTypingIntoCell(const MSG* pMsg);
};
