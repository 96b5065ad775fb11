// The chosen record's sequence: its name on the first line, then the residues in groups of
// ten, as many groups a line as the width holds. Only the lines in view are drawn, so a
// record of any length shows at once. Residues are selected with the mouse or with the
// arrow keys and Shift, as in an edit control; the selection is a range of residues.
#pragma once
#include <afxwin.h>

class CSequencePane : public CWnd
{
public:
    CSequencePane() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Shows a record, scrolled to its start, with nothing selected.
    void SetRecord(const CString& strName, const CString& strSequence);
    // The selected residues, 1-based and inclusive; FALSE when none is selected.
    BOOL GetSelection(int& nFirst, int& nLast) const;
    // Residues a line holds at the pane's present width.
    int GetResiduesPerLine() const { return m_nPerLine; }

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

private:
    // Lines for the width: the name's, then the residues'.
    void Layout();
    int GetLineCount() const;
    int GetVisibleLines() const;
    void ScrollTo(int nTopLine);
    // The caret and, without bExtend, the anchor to a boundary between residues (0: before
    // the first); the caret's line is scrolled into view.
    void MoveCaret(int nBoundary, BOOL bExtend);
    // The boundary nearest a point of the client area.
    int BoundaryAt(CPoint point) const;
    CPoint BoundaryPoint(int nBoundary) const;
    void PlaceCaret();
    void DrawLine(CDC& dc, int nLine, int y) const;

    CString m_strName;
    CString m_strSequence;
    int m_nPerLine = 10;      // residues a line, a multiple of ten
    int m_nTopLine = 0;       // the first line in view
    int m_nCaret = 0;         // the boundary the caret is at
    int m_nAnchor = 0;        // the other end of the selection
    CSize m_charSize;         // a character of the fixed font, in pixels
    BOOL m_bSelecting = FALSE;  // the mouse button is down on the pane
};
