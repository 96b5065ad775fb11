#include "GridFixture.h"
#include "MessageLog.h"

TEST_F(GridTest, EndDragAtTheLeftAddsAPositionAndKeepsTheSelection)
{
    const bool bClipReported = PlatformReportsCursorClip();  // before the drag clips the cursor
    CreateGrid(200);
    SetColumns(0, {60, 200});
    ClickCell(0);
    m_parent.SetFocus();
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 3);
    EXPECT_EQ(m_header.m_hWnd, ::GetCapture());
    EXPECT_EQ(m_grid.m_hWnd, ::GetFocus());
    // The pointer stays inside the first item, clear of its divider.
    CRect rcAllowed(0, 0, 57, H());
    m_header.ClientToScreen(&rcAllowed);
    CRect rcClip;
    ::GetClipCursor(&rcClip);
    EXPECT_EQ(bClipReported ? rcAllowed : rcClip, rcClip);  // where the platform reports it

    // The inverted guide line follows the pointer; drawing it again removes it.
    const COLORREF before = Pixel(m_header, 30, H() / 2);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 30);
    EXPECT_EQ(before ^ 0xFFFFFF, Pixel(m_header, 30, H() / 2));
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 11);
    EXPECT_EQ(before, Pixel(m_header, 30, H() / 2));

    Mouse(WM_LBUTTONUP, 0, 11);
    EXPECT_EQ("P2:11 P1:60 P1':200", Columns());
    EXPECT_EQ(1, m_header.m_nSelected);
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_FALSE(m_header.m_bAdding);
    ::GetClipCursor(&rcClip);
    EXPECT_EQ(CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)), rcClip);
}

TEST_F(GridTest, EndDragAtTheRightAddsTheNextPrimedPosition)
{
    CreateGrid(200);
    SetColumns(0, {100, 250});  // the last column does not end at the right end
    Drag(195, 189);
    EXPECT_EQ("P1:100 P1':250", Columns());
    SetColumns(0, {100, 200});
    Drag(195, 189);
    Redraw();
    EXPECT_EQ("P1:100 P1':189 P2':200", Columns());
    EXPECT_EQ((std::vector<int>{100, 89, 11}), ItemWidths());
    EXPECT_EQ(3, (int)m_header.m_cells.GetSize());
}

TEST_F(GridTest, ResizeCursorOnLiveGripsAndNoDragWhileACellIsEdited)
{
    CreateGrid(200);
    const HCURSOR hResize = ::LoadCursor(NULL, IDC_SIZEWE);
    // Pointer x, then the cursor the header sets.
    for (const auto& step : {std::make_pair(3, true), std::make_pair(50, false), std::make_pair(195, true)})
    {
        Mouse(WM_MOUSEMOVE, 0, step.first);
        ::SetCursor(NULL);
        m_header.SendMessage(WM_SETCURSOR, (WPARAM)m_header.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(step.second, ::GetCursor() == hResize) << "at " << step.first;
    }
    ClickCell(0);
    ClickCell(0);
    ::SetCursor(NULL);
    EXPECT_TRUE(m_header.SendMessage(WM_SETCURSOR, (WPARAM)m_header.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(NULL, ::GetCursor());
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 3);
    EXPECT_FALSE(m_header.m_bAdding);
    EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(GridTest, AddsOnlyInsideTheReleaseWindowFromWideEnoughEndColumns)
{
    struct Case
    {
        std::vector<int> edges;
        int nSide;
        int x;
        const char* lpszExpected;
    };
    const Case cases[] = {
        {{20, 200}, CClvHeader::addLeft, 11, "P2:10 P1:20 P1':200"},  // both 10 wide
        {{19, 200}, CClvHeader::addLeft, 11, "P1:19 P1':200"},        // too narrow to add
        {{60, 200}, CClvHeader::addLeft, 10, "P1:60 P1':200"},
        {{100, 200}, CClvHeader::addRight, 190, "P1:100 P1':200"},   // W - 10
        {{100, 170, 200}, CClvHeader::addRight, 175, "P1:100 P1':170 P2':180 P3':200"},
    };
    CreateGrid(200);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.lpszExpected);
        SetColumns(0, c.edges);
        AddFromCode(c.nSide, c.x);
        EXPECT_EQ(c.lpszExpected, Columns());
    }
}

TEST_F(GridTest, DividerDragsReachTheModelThroughTheHeadersNotificationAndItsItemsMatchIt)
{
    CreateGrid(200);
    SetColumns(-1, {50, 100, 200});
    MessageLog log;
    log.Watch(m_grid.m_hWnd, {WM_NOTIFY});
    Drag(50, 70);
    EXPECT_MESSAGES(log, {{WM_NOTIFY, sent | code, 0, (UINT)HDN_BEGINTRACKA},
                          {WM_NOTIFY, sent | code, 0, (UINT)HDN_TRACKA},
                          {WM_NOTIFY, sent | code, 0, (UINT)HDN_ENDTRACKA},
                          {WM_NOTIFY, sent | code | optional, 0, (UINT)HDN_ITEMCHANGINGA},
                          {WM_NOTIFY, sent | code | optional, 0, (UINT)HDN_ITEMCHANGEDA},
                          {WM_NOTIFY, sent | code | optional, 0, (UINT)NM_RELEASEDCAPTURE},
                          // the neighbour's item takes the width the model gives it
                          {WM_NOTIFY, sent | code, 0, (UINT)HDN_ITEMCHANGINGA},
                          {WM_NOTIFY, sent | code, 0, (UINT)HDN_ITEMCHANGEDA}});
    EXPECT_EQ("P2:70 P1:100 P1':200", Columns());
    // Past their left ends the control leaves the dragged items 0 wide, where they are never drawn.
    Drag(70, -5);
    Drag(100, -5);
    Redraw();
    EXPECT_EQ("P2:10 P1:20 P1':200", Columns());
    EXPECT_EQ((std::vector<int>{10, 10, 180}), ItemWidths());
}

TEST_F(GridTest, DividerDragsKeepColumnsBetweenTenPixelsAndTheGridWidthWithCtrlPushing)
{
    struct Case
    {
        int nItem;
        int x;
        bool bCtrl;
        const char* lpszExpected;
        int nScrollMax;  // -1: hidden
    };
    const Case cases[] = {
        {1, 40, false, "P2:50 P1:60 P1':200", -1},   // left of its neighbour's edge: 10 wide
        {0, 3, false, "P2:10 P1:60 P1':200", -1},
        {0, 55, false, "P2:50 P1:60 P1':200", -1},   // the neighbour on the right keeps 10
        {1, 195, false, "P2:50 P1:190 P1':200", -1},
        {2, 100, false, "P2:50 P1:190 P1':200", -1},  // the last item's divider changes nothing
        {0, 80, true, "P2:80 P1:220 P1':230", 1},     // Ctrl pushes the columns on the right
        {1, 85, true, "P2:80 P1:90 P1':200", -1},      // down to 10 wide, the rest moving as far
        {0, 10, true, "P2:10 P1:90 P1':200", -1},      // at x <= 10 a plain drag
        {0, 260, true, "P2:200 P1:280 P1':390", 1},   // no column wider than the grid
        {1, 500, true, "P2:200 P1:400 P1':510", 2},
    };
    CreateGrid(200);
    SetColumns(-1, {50, 100, 200});
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.lpszExpected);
        EndTrack(c.nItem, c.x, c.bCtrl);
        EXPECT_EQ(c.lpszExpected, Columns());
        EXPECT_EQ(c.nScrollMax, ScrollMax());
    }
}
