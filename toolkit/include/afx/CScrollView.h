// A view larger than its window: scroll bars appear when the window is smaller than the
// view's total size, and scrolling moves the contents (child windows included).
#pragma once
#include "afx/CView.h"

class AFXKIT_API CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
public:
    CScrollView();

    static const SIZE sizeDefault;

    // Only MM_TEXT: one logical unit is one pixel.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CSize GetTotalSize() const { return m_totalDev; }
    CPoint GetScrollPosition() const;
    void ScrollToPosition(POINT pt);

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

    void UpdateBars();

    CSize m_totalDev;  // total size of the view, pixels
    CSize m_pageDev;   // one page scroll, pixels
    CSize m_lineDev;   // one line scroll, pixels

    DECLARE_MESSAGE_MAP()

private:
    void OnScroll(int nBar, UINT nSBCode);
    void ScrollBarTo(int nBar, int nPos);

    BOOL m_bInsideUpdate;  // showing a bar resizes the client area, which calls UpdateBars again
};
