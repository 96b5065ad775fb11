#include "GridFixture.h"
#include "MessageBoxScript.h"

TEST_F(GridTest, ClicksSelectAndFrameACellAndADoubleClickEditsIt)
{
    CreateGrid(200);
    m_header.m_cells[1] = "R";
    Redraw();
    Click(CPoint(50, 2 * H() + ::GetSystemMetrics(SM_CYHSCROLL)));  // below the strip
    EXPECT_EQ(-1, m_header.m_nSelected);
    const int y = H() + 10;
    EXPECT_LT(0, CountPixels(m_grid, CRect(103, H() + 3, 197, 2 * H()), RGB(0, 0, 0)));  // the text
    EXPECT_EQ(RGB(128, 128, 128), Pixel(m_grid, 99, y));  // the line after column 0

    // The frame inverts the white strip. Column 0 ends just before x = 100.
    Click(CPoint(99, y));
    Redraw();
    EXPECT_EQ(0, m_header.m_nSelected);
    EXPECT_EQ(RGB(0, 0, 0), Pixel(m_grid, 2, y));
    Click(CPoint(100, y));
    Redraw();
    EXPECT_EQ(1, m_header.m_nSelected);
    EXPECT_EQ(RGB(255, 255, 255), Pixel(m_grid, 2, y));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(m_grid, 102, y));

    m_grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(150, y));
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
    // Key, then selection and first visible column.
    const int steps[][3] = {{VK_RIGHT, 0, 0}, {VK_RIGHT, 1, 0}, {VK_RIGHT, 2, 1}, {VK_RIGHT, 3, 2},
                            {VK_RIGHT, 3, 2}, {VK_LEFT, 2, 2},  {VK_LEFT, 1, 1}};
    for (const auto& step : steps)
    {
        Key(step[0]);
        EXPECT_EQ(step[1], m_header.m_nSelected);
        EXPECT_EQ(step[2], m_header.m_nFirstVisible);
        if (step[1] == 2 && step[2] == 2)  // the frame has left P3' (50 to 120) for P2' (0 to 50)
        {
            EXPECT_EQ(RGB(0, 0, 0), Pixel(m_grid, 2, H() + 10));
            EXPECT_EQ(RGB(255, 255, 255), Pixel(m_grid, 52, H() + 10));
        }
    }
}

TEST_F(GridTest, AnEditorOnAColumnReachingBeyondTheGridEndsWithIt)
{
    CreateGrid(120);
    SetColumns(0, {50, 200});
    Click(CPoint(80, H() + 10));
    Click(CPoint(80, H() + 10));
    ASSERT_TRUE(m_header.IsEditing());
    CRect rcEditor;
    m_header.m_edit.GetWindowRect(&rcEditor);
    m_grid.ScreenToClient(&rcEditor);
    EXPECT_EQ(CRect(53, H() + 4, 120, 2 * H()), rcEditor);
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
    SetColumns(-1, {50, 100, 150, 200});
    MessageBoxScript script;
    m_header.m_nSelected = 0;
    script.Answer(IDCANCEL);
    Key(VK_DELETE);
    EXPECT_EQ("P2:50 P1:100 P1':150 P2':200", Columns());
    script.Answer(IDOK);
    Key(VK_DELETE);
    ASSERT_EQ(2u, script.Calls().size());
    EXPECT_STREQ("Delete the item from the cleavage pattern?", script.Calls()[1].strText);
    EXPECT_EQ((UINT)MB_OKCANCEL, script.Calls()[1].nType & MB_TYPEMASK);
    // The columns keep their widths; the last one reaches the end again.
    EXPECT_EQ("P1:50 P1':100 P2':200", Columns());
    EXPECT_EQ(3, m_header.GetItemCount());
    EXPECT_EQ(-1, m_header.m_nSelected);
}

TEST_F(GridTest, DeleteRemovesTheLastPositionOnlyScrolledFullyRight)
{
    CreateGrid(120);
    SetColumns(0, {30, 50, 90, 150, 210});  // P1 P1' P2' P3' P4'
    m_grid.SetFocus();
    m_header.m_nSelected = 4;
    Key(VK_DELETE);  // not scrolled to the right end: nothing asked
    for (int i = 0; i < 3; ++i)
        Scroll(SB_LINERIGHT);
    ASSERT_EQ(3, m_header.m_nFirstVisible);
    m_header.m_nSelected = 0;
    Key(VK_DELETE);  // the first position while scrolled: nothing asked

    MessageBoxScript script;
    script.Answer(IDOK);
    m_header.m_nSelected = 4;
    Key(VK_DELETE);
    // P2' and P1' (40 + 20 pixels) come back into the freed 60; P1 would not fit as well.
    EXPECT_EQ(1, m_header.m_nFirstVisible);
    EXPECT_EQ("P1:30 P1':50 P2':90 P3':150", Columns());
    EXPECT_EQ((std::vector<int>{20, 40, 60}), ItemWidths());
    EXPECT_EQ(1, ScrollMax());
    EXPECT_EQ(-1, m_header.m_nSelected);
}
