// A position grid in a test window, driven with real mouse and key messages.
#pragma once
#include "CHeaderWnd.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

class GridTest : public testing::Test
{
protected:
    ~GridTest() override;

    // A grid nWidth wide in a white parent, which itself has no font.
    void CreateGrid(int nWidth);
    // Replaces the columns: consecutive positions from nFirst with these right edges,
    // empty cells, nothing selected, not scrolled.
    void SetColumns(int nFirst, const std::vector<int>& edges);
    // Paints the grid and its header completely.
    void Redraw();

    std::vector<int> Edges() const;
    std::string Labels() const;
    std::vector<int> ItemWidths() const;
    int H() const { return m_header.m_size.cy; }

    // Mouse and keys through the thread's queue, as a user's would arrive.
    void Click(CPoint point);
    void ClickCell(int nColumn) { Click(m_header.GetCellRect(nColumn).CenterPoint()); }
    void Key(UINT nVirtualKey);
    void Type(const char* lpszLetters);
    void HoldKey(UINT nVirtualKey, bool bDown);
    void Scroll(UINT nSBCode);
    // A divider drag of the item ending with the pointer at x (header coordinates).
    void EndTrack(int nItem, int x, bool bCtrl);
    // The dialog's adding from code.
    void AddFromCode(int nSide, int x);

    int CountPixels(CWnd& wnd, const CRect& rect, COLORREF colour);
    static COLORREF Pixel(CWnd& wnd, int x, int y);

    TestHostWindow m_host;
    CWnd m_parent;
    CHeaderWnd m_grid;
    CClvHeader& m_header = m_grid.m_header;
};
