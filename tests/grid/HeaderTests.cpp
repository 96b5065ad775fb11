#include "GridFixture.h"

TEST_F(GridTest, NewGridSplitsItsWidthBetweenP1AndP1Prime)
{
    CreateGrid(201);
    const int S = ::GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_EQ("P1:100 P1':201", Columns());  // an odd width leaves the extra pixel to P1'
    EXPECT_EQ((std::vector<int>{100, 101}), ItemWidths());
    EXPECT_EQ(CRect(0, H(), 201, 2 * H() + 4), m_header.m_rcCells);
    CRect rcGrid;
    m_grid.GetWindowRect(&rcGrid);
    m_parent.ScreenToClient(&rcGrid);
    EXPECT_EQ(CRect(10, 10 + H(), 211, 10 + 3 * H() + S + 2), rcGrid);
    EXPECT_EQ(m_header.m_hWnd, ::GetDlgItem(m_grid.m_hWnd, IDC_CLV_HEADER));
    EXPECT_EQ(m_header.m_scrollBar.m_hWnd, ::GetDlgItem(m_grid.m_hWnd, IDC_CLV_SCROLLBAR));
    EXPECT_EQ(RGB(128, 128, 128), Pixel(m_header, 201 - 4, 5));  // the right end grip
    CHeaderWnd orphan;
    EXPECT_FALSE(orphan.Create(CRect(0, 0, 100, 0), NULL, IDC_CLV_GRID));
    EXPECT_EQ(-1, ScrollMax());
    EXPECT_EQ(-1, m_header.m_nSelected);
    // The parent is white; the hidden scroll bar's place is painted like a dialog.
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), Pixel(m_grid, 5, 2 * H() + S));
}

TEST_F(GridTest, ScrollingByColumnsStretchesTheLastColumnAndComesBack)
{
    const COLORREF grip = RGB(128, 128, 128);
    CreateGrid(120);
    SetColumns(0, {50, 100, 150, 200});
    EXPECT_EQ(2, ScrollMax());
    Scroll(SB_LINELEFT);
    EXPECT_EQ(0, m_header.m_nFirstVisible);
    EXPECT_EQ(grip, Pixel(m_header, 2, 5));

    Scroll(SB_LINERIGHT);
    EXPECT_EQ(1, m_header.m_scrollBar.GetScrollPos());
    EXPECT_EQ(CRect(0, H(), 50, 2 * H() + 4), m_header.GetCellRect(1));
    EXPECT_TRUE(m_header.GetCellRect(0).IsRectNull());
    EXPECT_NE(grip, Pixel(m_header, 2, 5));
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 3);  // no position is added at a hidden first column
    EXPECT_FALSE(m_header.m_bAdding);
    Mouse(WM_LBUTTONUP, 0, 3);

    // The last column, ending at 100 in the view, reaches its right end; then the
    // columns fit and scrolling right does nothing.
    Scroll(SB_PAGERIGHT);
    Scroll(SB_LINERIGHT);
    EXPECT_EQ("P1:50 P1':100 P2':150 P3':220", Columns());
    EXPECT_EQ((std::vector<int>{50, 70}), ItemWidths());
    EXPECT_EQ(2, m_header.m_scrollBar.GetScrollPos());

    // Refused while a cell is edited.
    ClickCell(2);
    ClickCell(2);
    Scroll(SB_LINELEFT);
    EXPECT_EQ(2, m_header.m_nFirstVisible);
    Key(VK_RETURN);
    Scroll(SB_LINELEFT);
    Scroll(SB_PAGELEFT);
    EXPECT_EQ(0, m_header.m_scrollBar.GetScrollPos());
    EXPECT_EQ((std::vector<int>{50, 50, 50, 70}), ItemWidths());
}

TEST_F(GridTest, ScrollingToANarrowLastColumnStretchesItOverTheView)
{
    CreateGrid(120);
    SetColumns(0, {100, 200, 250});
    Scroll(SB_LINERIGHT);
    Scroll(SB_LINERIGHT);
    EXPECT_EQ("P1:100 P1':200 P2':320", Columns());
    EXPECT_EQ((std::vector<int>{120}), ItemWidths());
}

TEST_F(GridTest, ExtentGoesFromTheFirstToTheLastWrittenCell)
{
    CreateGrid(300);
    SetColumns(-2, {50, 100, 150, 200, 300});  // P3 P2 P1 P1' P2'
    // Cells under P3 P2 P1 P1' P2', and the extent: a blank counts as written.
    const char* cells[][5] = {{"", "", "", "", ""}, {"", "K", "", "", ""}, {" ", "K", "", "", "{P}"}};
    const std::pair<int, int> expected[] = {{0, 1}, {-1, -1}, {-2, 2}};
    for (int i = 0; i < 3; ++i)
    {
        for (int c = 0; c < 5; ++c)
            m_header.m_cells[c] = cells[i][c];
        int nFirst = 7;
        int nLast = 7;
        m_header.GetExtent(&nFirst, &nLast);
        EXPECT_EQ(expected[i], std::make_pair(nFirst, nLast));
    }
}

TEST_F(GridTest, LabelsAreBlackOnlyWhileTheGridOrItsEditorHasTheFocus)
{
    CreateGrid(200);
    const CRect rcLabel(8, 2, 92, H() - 2);
    const COLORREF black = RGB(0, 0, 0);
    const COLORREF grey = RGB(100, 100, 100);
    ClickCell(0);
    Redraw();
    EXPECT_LT(0, CountPixels(m_header, rcLabel, black));
    EXPECT_EQ(0, CountPixels(m_header, rcLabel, grey));
    m_parent.SetFocus();
    Redraw();
    EXPECT_EQ(0, CountPixels(m_header, rcLabel, black));
    EXPECT_LT(0, CountPixels(m_header, rcLabel, grey));
    ClickCell(0);
    ASSERT_TRUE(m_header.IsEditing());
    Redraw();
    EXPECT_LT(0, CountPixels(m_header, rcLabel, black));
}

TEST_F(GridTest, LoadingAPatternGrowsTheGridAtBothEnds)
{
    CreateGrid(200);
    SetColumns(0, {20, 200});
    m_header.AppendPosition("P2'");
    EXPECT_EQ("P1:20 P1':200 P2':230", Columns());
    EXPECT_EQ(2, ScrollMax());
    Scroll(SB_LINERIGHT);
    m_header.ScrollFullyLeft();
    EXPECT_EQ(0, m_header.m_nFirstVisible);
    // The first column is widened by 30, so that a new one 30 wide fits at the left.
    m_header.AddPositionAtLeft();
    EXPECT_EQ("P2:30 P1:50 P1':230 P2':260", Columns());
}
