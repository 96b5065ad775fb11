#include "GridFixture.h"
#include "MessageBoxScript.h"

namespace
{
const char kDeleteQuestion[] = "Delete the item from the cleavage pattern?";
}

TEST_F(GridTest, ClicksSelectAndFrameACellAndASecondClickEditsIt)
{
    CreateGrid(200);
    const int S = ::GetSystemMetrics(SM_CYHSCROLL);
    m_header.m_cells[1] = "R";
    Click(CPoint(50, 2 * H() + S));  // below the strip
    EXPECT_EQ(-1, m_header.m_nSelected);

    const COLORREF white = RGB(255, 255, 255);
    const int y = H() + 10;
    ClickCell(0);
    Redraw();
    EXPECT_EQ(0, m_header.m_nSelected);
    EXPECT_EQ(m_header.GetCellRect(0), m_header.m_rcFramed);
    EXPECT_EQ(RGB(0, 0, 0), Pixel(m_grid, 2, y));
    ClickCell(1);
    Redraw();
    EXPECT_EQ(white, Pixel(m_grid, 2, y));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(m_grid, 102, y));

    ClickCell(1);
    ASSERT_TRUE(m_header.IsEditing());
    CRect rcEditor;
    m_header.m_edit.GetWindowRect(&rcEditor);
    m_grid.ScreenToClient(&rcEditor);
    EXPECT_EQ(CRect(103, H() + 4, 197, 2 * H()), rcEditor);
    CString strShown;
    m_header.m_edit.GetWindowText(strShown);
    EXPECT_STREQ("R", strShown);
}

TEST_F(GridTest, ArrowKeysMoveTheSelectionAndScrollItIntoView)
{
    CreateGrid(120);
    SetColumns(0, {50, 100, 150, 200});
    m_grid.SetFocus();
    Key(VK_LEFT);
    EXPECT_EQ(-1, m_header.m_nSelected);
    Key(VK_RIGHT);
    EXPECT_EQ(0, m_header.m_nSelected);
    const int expected[][2] = {{1, 0}, {2, 1}, {3, 2}, {3, 2}};  // selection, first visible
    for (const auto& step : expected)
    {
        Key(VK_RIGHT);
        EXPECT_EQ(step[0], m_header.m_nSelected);
        EXPECT_EQ(step[1], m_header.m_nFirstVisible);
    }
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(1, m_header.m_nSelected);
    EXPECT_EQ(1, m_header.m_nFirstVisible);
}

TEST_F(GridTest, DeleteRemovesTheFirstPositionOnlyAfterConfirmation)
{
    CreateGrid(200);
    m_grid.SetFocus();
    for (const int nColumn : {0, 1})  // P1 and P1' are never deleted, and nothing is asked
    {
        m_header.m_nSelected = nColumn;
        Key(VK_DELETE);
    }
    EXPECT_EQ("P1 P1'", Labels());

    SetColumns(-1, {50, 100, 150, 200});  // P2 P1 P1' P2'
    MessageBoxScript script;
    m_header.m_nSelected = 0;
    script.Answer(IDCANCEL);
    Key(VK_DELETE);
    EXPECT_EQ("P2 P1 P1' P2'", Labels());
    script.Answer(IDOK);
    Key(VK_DELETE);
    ASSERT_EQ(2u, script.Calls().size());
    EXPECT_STREQ(kDeleteQuestion, script.Calls()[1].strText);
    EXPECT_EQ((UINT)MB_OKCANCEL, script.Calls()[1].nType & MB_TYPEMASK);
    EXPECT_EQ("P1 P1' P2'", Labels());
    // The columns keep their widths; the last one is stretched to the end again.
    EXPECT_EQ((std::vector<int>{50, 100, 200}), Edges());
    EXPECT_EQ(3, m_header.GetItemCount());
    EXPECT_EQ(-1, m_header.m_nSelected);
}

TEST_F(GridTest, DeleteRemovesTheLastPositionOnlyScrolledFullyRight)
{
    CreateGrid(120);
    SetColumns(0, {50, 100, 150, 200});  // P1 P1' P2' P3'
    m_grid.SetFocus();
    m_header.m_nSelected = 3;
    Key(VK_DELETE);  // not scrolled to the right end: no question
    m_header.m_nSelected = 1;
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    ASSERT_EQ(2, m_header.m_nFirstVisible);
    m_header.m_nSelected = 0;
    Key(VK_DELETE);  // the first position while scrolled: no question

    MessageBoxScript script;
    script.Answer(IDOK);
    m_header.m_nSelected = 3;
    Key(VK_DELETE);
    EXPECT_EQ("P1 P1' P2'", Labels());
    // P1' comes back into the freed 70 pixels; P1 would not fit too.
    EXPECT_EQ(1, m_header.m_nFirstVisible);
    EXPECT_EQ((std::vector<int>{50, 100, 170}), Edges());
    EXPECT_EQ((std::vector<int>{50, 70}), ItemWidths());
    EXPECT_TRUE(m_header.m_scrollBar.IsWindowVisible());
}
