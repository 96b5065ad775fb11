#include "GridFixture.h"
#include "MessageLog.h"

namespace
{
// The pointer goes where the message says, as the header reads it back.
void Drag(CWnd& wnd, UINT message, UINT nFlags, int x)
{
    CPoint point(x, 5);
    wnd.ClientToScreen(&point);
    ::SetCursorPos(point.x, point.y);
    wnd.SendMessage(message, nFlags, MAKELPARAM(x, 5));
}
}

TEST_F(GridTest, EndDragAtTheLeftAddsAPositionAndKeepsTheSelection)
{
    CreateGrid(200);
    SetColumns(0, {60, 200});
    ClickCell(1);
    Drag(m_header, WM_LBUTTONDOWN, MK_LBUTTON, 3);
    EXPECT_EQ(m_header.m_hWnd, ::GetCapture());
    EXPECT_EQ(CClvHeader::addLeft, m_header.m_nAddSide);
    // The pointer stays inside the first item, clear of its divider.
    CRect rcAllowed(0, 0, 57, H());
    m_header.ClientToScreen(&rcAllowed);
    CRect rcClip;
    ::GetClipCursor(&rcClip);
    EXPECT_EQ(rcAllowed, rcClip);

    // The inverted guide line follows the pointer; drawing it again removes it.
    const int y = H() / 2;
    const COLORREF before = Pixel(m_header, 30, y);
    Drag(m_header, WM_MOUSEMOVE, MK_LBUTTON, 30);
    EXPECT_EQ(before ^ 0xFFFFFF, Pixel(m_header, 30, y));
    Drag(m_header, WM_MOUSEMOVE, MK_LBUTTON, 11);
    EXPECT_EQ(before, Pixel(m_header, 30, y));

    Drag(m_header, WM_LBUTTONUP, 0, 11);
    EXPECT_EQ("P2 P1 P1'", Labels());
    EXPECT_EQ((std::vector<int>{11, 60, 200}), Edges());
    EXPECT_EQ(2, m_header.m_nSelected);
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_FALSE(m_header.m_bAdding);
    ::GetClipCursor(&rcClip);
    EXPECT_EQ(CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)), rcClip);
}

TEST_F(GridTest, EndDragAtTheRightAddsTheNextPrimedPosition)
{
    CreateGrid(200);
    Drag(m_header, WM_LBUTTONDOWN, MK_LBUTTON, 195);
    EXPECT_EQ(CClvHeader::addRight, m_header.m_nAddSide);
    Drag(m_header, WM_MOUSEMOVE, MK_LBUTTON, 189);
    Drag(m_header, WM_LBUTTONUP, 0, 189);
    Redraw();
    EXPECT_EQ("P1 P1' P2'", Labels());
    EXPECT_EQ((std::vector<int>{100, 189, 200}), Edges());
    EXPECT_EQ((std::vector<int>{100, 89, 11}), ItemWidths());
    EXPECT_EQ(3, (int)m_header.m_cells.GetSize());
}

TEST_F(GridTest, AddsOnlyInsideTheReleaseWindowFromWideEnoughEndColumns)
{
    struct Case
    {
        std::vector<int> edges;
        int nSide;
        int x;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {{20, 200}, CClvHeader::addLeft, 11, {10, 20, 200}},        // both 10 wide
        {{19, 200}, CClvHeader::addLeft, 11, {19, 200}},            // too narrow to add
        {{60, 200}, CClvHeader::addLeft, 10, {60, 200}},            // x = 10 is outside
        {{100, 200}, CClvHeader::addRight, 190, {100, 200}},        // W - 10 is outside
        {{100, 170, 200}, CClvHeader::addRight, 175, {100, 170, 180, 200}},  // old last keeps 10
    };
    CreateGrid(200);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "release at " << c.x);
        SetColumns(0, c.edges);
        AddFromCode(c.nSide, c.x);
        EXPECT_EQ(c.expected, Edges());
        EXPECT_EQ(c.expected.size(), (size_t)m_header.m_labels.GetCount());
    }
}

TEST_F(GridTest, DividerDragsReachTheModelThroughTheHeadersNotification)
{
    CreateGrid(200);
    SetColumns(-1, {50, 100, 200});
    MessageLog log;
    log.Watch(m_grid.m_hWnd, {WM_NOTIFY});
    Drag(m_header, WM_LBUTTONDOWN, MK_LBUTTON, 50);
    Drag(m_header, WM_MOUSEMOVE, MK_LBUTTON, 70);
    Drag(m_header, WM_LBUTTONUP, 0, 70);
    EXPECT_MESSAGES(log, {{WM_NOTIFY, sent | code, 0, (UINT)HDN_BEGINTRACKA},
                          {WM_NOTIFY, sent | code, 0, (UINT)HDN_TRACKA},
                          {WM_NOTIFY, sent | code, 0, (UINT)HDN_ENDTRACKA},
                          {WM_NOTIFY, sent | code | optional, 0, (UINT)HDN_ITEMCHANGINGA},
                          {WM_NOTIFY, sent | code | optional, 0, (UINT)HDN_ITEMCHANGEDA},
                          {WM_NOTIFY, sent | code | optional, 0, (UINT)NM_RELEASEDCAPTURE}});
    EXPECT_EQ((std::vector<int>{70, 100, 200}), Edges());
}

TEST_F(GridTest, PlainDividerDragsKeepEveryColumnAtLeastTenPixelsWide)
{
    struct Case
    {
        int nItem;
        int x;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {1, 40, {50, 60, 200}},   // left of its neighbour's edge: 10 wide
        {0, 3, {10, 60, 200}},    // the first column too
        {0, 55, {50, 60, 200}},   // the neighbour on the right keeps 10
        {1, 195, {50, 190, 200}},
        {2, 100, {50, 190, 200}},  // the last item's divider changes nothing
    };
    CreateGrid(200);
    SetColumns(-1, {50, 100, 200});
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "item " << c.nItem << " to " << c.x);
        EndTrack(c.nItem, c.x, false);
        EXPECT_EQ(c.expected, Edges());
    }
}

TEST_F(GridTest, CtrlDividerDragsPushTheColumnsOnTheRight)
{
    CreateGrid(200);
    SetColumns(-1, {50, 100, 200});
    EndTrack(0, 80, true);
    EXPECT_EQ((std::vector<int>{80, 130, 230}), Edges());
    ASSERT_TRUE(m_header.m_scrollBar.IsWindowVisible());
    int nMin = -1;
    int nMax = -1;
    m_header.m_scrollBar.GetScrollRange(&nMin, &nMax);
    EXPECT_EQ(1, nMax);

    // Narrower than 10: the column stops at 10 and the rest moves by what it moved.
    EndTrack(1, 85, true);
    EXPECT_EQ((std::vector<int>{80, 90, 200}), Edges());
    EXPECT_FALSE(m_header.m_scrollBar.IsWindowVisible());
    EndTrack(0, 5, true);  // at x <= 10 a plain drag
    EXPECT_EQ((std::vector<int>{10, 90, 200}), Edges());
}

TEST_F(GridTest, NoColumnIsWiderThanTheGridAfterADividerDrag)
{
    CreateGrid(200);
    SetColumns(-1, {50, 100, 200});
    EndTrack(0, 260, true);
    EXPECT_EQ((std::vector<int>{200, 250, 350}), Edges());
    EndTrack(1, 420, true);
    EXPECT_EQ((std::vector<int>{200, 400, 500}), Edges());
}
