#include "GridFixture.h"
#include "MessageLog.h"

TEST_F(GridTest, LeftAndRightStoreTheTextAndMoveOnAfterTheEditorHasGone)
{
    CreateGrid(200);
    ClickCell(0);
    Type("d");
    MessageLog log;
    log.Watch(m_grid.m_hWnd, {WM_KEYDOWN, WM_SETFOCUS, WM_KILLFOCUS});
    Key(VK_RIGHT);
    EXPECT_MESSAGES(log, {{WM_KILLFOCUS, sent},
                          {WM_KILLFOCUS, sent | optional},
                          {WM_SETFOCUS, sent},
                          {WM_KEYDOWN, posted | wparam, VK_RIGHT}});
    EXPECT_STREQ("d", m_header.m_cells[0]);
    EXPECT_EQ(1, m_header.m_nSelected);

    Type("e");
    Key(VK_RIGHT);  // on the last column the selection stays
    EXPECT_STREQ("e", m_header.m_cells[1]);
    EXPECT_EQ(1, m_header.m_nSelected);
    Type("f");
    Key(VK_LEFT);
    EXPECT_STREQ("f", m_header.m_cells[1]);
    EXPECT_EQ(0, m_header.m_nSelected);
}

TEST_F(GridTest, EscapeAndTabEmptyTheCellAndTabMovesToTheNextControl)
{
    CreateGrid(200);
    m_header.m_cells[0] = "K";
    ClickCell(0);
    ClickCell(0);
    Key(VK_ESCAPE);
    EXPECT_STREQ("", m_header.m_cells[0]);
    EXPECT_FALSE(m_header.IsEditing());

    m_header.m_cells[0] = "K";
    ClickCell(0);
    MessageLog log;
    log.Watch(m_parent.m_hWnd, {WM_NEXTDLGCTL});
    Key(VK_TAB);
    EXPECT_MESSAGES(log, {{WM_NEXTDLGCTL, sent | wparam, 0}});
    EXPECT_STREQ("", m_header.m_cells[0]);
}

TEST_F(GridTest, TypingABraceOnASelectedCellReplacesItsTextOnEnter)
{
    CreateGrid(200);
    m_header.m_cells[1] = "K";
    ClickCell(1);
    HoldKey(VK_SHIFT, true);
    Key(VK_OEM_4);
    HoldKey(VK_SHIFT, false);
    ASSERT_TRUE(m_header.IsEditing());
    CString strShown;
    m_header.m_edit.GetWindowText(strShown);
    EXPECT_STREQ("{", strShown);
    Type("p");
    Key(VK_RETURN);
    EXPECT_STREQ("{p", m_header.m_cells[1]);
    EXPECT_FALSE(m_header.IsEditing());
    EXPECT_EQ(m_grid.m_hWnd, ::GetFocus());
    EXPECT_TRUE(m_header.m_bFocus);
}

TEST_F(GridTest, ClickingAnotherCellStoresTheTextInTheCellThatWasEdited)
{
    CreateGrid(200);
    ClickCell(0);
    Type("w");
    ClickCell(0);  // the edited cell: editing goes on
    ASSERT_TRUE(m_header.IsEditing());
    ClickCell(1);
    EXPECT_STREQ("w", m_header.m_cells[0]);
    EXPECT_STREQ("", m_header.m_cells[1]);
    EXPECT_EQ(1, m_header.m_nSelected);
    EXPECT_FALSE(m_header.IsEditing());
    EXPECT_EQ(m_grid.m_hWnd, ::GetFocus());
    Type("x");
    Click(CPoint(50, 2 * H() + ::GetSystemMetrics(SM_CYHSCROLL)));  // below the strip
    EXPECT_STREQ("x", m_header.m_cells[1]);
    EXPECT_FALSE(m_header.IsEditing());
}
