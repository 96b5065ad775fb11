#include "WindowTestSupport.h"

#include <afxcmn.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
const UINT kHeaderId = 1560;
const UINT kEditId = 1562;
const int kItemWidth = 80;

std::vector<std::string>& Events()
{
    static std::vector<std::string> events;
    return events;
}

// An owner-drawn header that handles its own end-of-divider-drag.
class CTestHeader : public CHeaderCtrl
{
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        Events().push_back("draw " + std::to_string(lpDrawItemStruct->itemID));
    }

protected:
    afx_msg void OnEndTrack(NMHDR* pNMHDR, LRESULT* pResult)
    {
        const NMHEADERA* pHeader = (const NMHEADERA*)pNMHDR;
        Events().push_back("header end track " + std::to_string(pHeader->iItem));
        *pResult = 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestHeader, CHeaderCtrl)
    ON_NOTIFY_REFLECT(HDN_ENDTRACKA, OnEndTrack)
END_MESSAGE_MAP()

// An edit that handles its own focus notifications.
class CTestEdit : public CEdit
{
protected:
    afx_msg void OnKillFocus() { Events().push_back("edit kill focus"); }
    afx_msg void OnSetFocusReflected() { Events().push_back("edit set focus"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestEdit, CEdit)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillFocus)
    ON_CONTROL_REFLECT(EN_SETFOCUS, OnSetFocusReflected)
END_MESSAGE_MAP()

// The parent also maps the notifications: reflection must keep them from it.
class CTestParent : public CWnd
{
protected:
    afx_msg void OnHeaderEndTrack(NMHDR* /*pNMHDR*/, LRESULT* /*pResult*/) { Events().push_back("parent end track"); }
    afx_msg void OnEditKillFocus() { Events().push_back("parent kill focus"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestParent, CWnd)
    ON_NOTIFY(HDN_ENDTRACKA, kHeaderId, OnHeaderEndTrack)
    ON_EN_KILLFOCUS(kEditId, OnEditKillFocus)
END_MESSAGE_MAP()

class ControlTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Events().clear();
        ASSERT_TRUE(m_parent.Create(NULL, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 410, 210), &m_host, 1));
    }

    void InsertOwnerDrawnItems(int nCount)
    {
        for (int i = 0; i < nCount; ++i)
        {
            HDITEMA item = {};
            item.mask = HDI_WIDTH | HDI_FORMAT;
            item.cxy = kItemWidth;
            item.fmt = HDF_OWNERDRAW;
            ASSERT_EQ(i, m_header.InsertItem(i, &item));
        }
    }

    TestHostWindow m_host;
    CTestParent m_parent;
    CTestHeader m_header;
};
}

TEST_F(ControlTest, OwnerDrawingReachesTheHeadersDrawItem)
{
    ASSERT_TRUE(m_header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS, CRect(0, 0, 300, 20), &m_parent, kHeaderId));
    InsertOwnerDrawnItems(2);
    m_header.Invalidate();
    m_header.UpdateWindow();
    const std::vector<std::string> expected = {"draw 0", "draw 1"};
    EXPECT_EQ(expected, Events());
}

TEST_F(ControlTest, DividerDragByMouseReachesTheReflectedHandlerOnly)
{
    ASSERT_TRUE(m_header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS, CRect(0, 0, 300, 20), &m_parent, kHeaderId));
    InsertOwnerDrawnItems(2);
    PumpMessages();
    Events().clear();

    // Press on the divider after item 0, drag 25 pixels to the right, release.
    m_header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kItemWidth, 5));
    m_header.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kItemWidth + 25, 5));
    m_header.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(kItemWidth + 25, 5));
    ::ReleaseCapture();

    std::vector<std::string> tracks;
    for (const std::string& event : Events())
        if (event.find("end track") != std::string::npos)
            tracks.push_back(event);
    const std::vector<std::string> expected = {"header end track 0"};
    EXPECT_EQ(expected, tracks);
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    ASSERT_TRUE(m_header.GetItem(0, &item));
    EXPECT_EQ(kItemWidth + 25, item.cxy);
}

TEST_F(ControlTest, EditFocusNotificationsAreReflectedToTheEdit)
{
    CTestEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 40, 100, 60), &m_parent, kEditId));
    CEdit other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 70, 100, 90), &m_parent, kEditId + 1));
    ::SetActiveWindow(m_host.m_hWnd);
    edit.SetFocus();
    other.SetFocus();
    const std::vector<std::string> expected = {"edit set focus", "edit kill focus"};
    EXPECT_EQ(expected, Events());
}

TEST_F(ControlTest, ReportListKeepsColumnsRowsAndHeadings)
{
    CListCtrl list;
    ASSERT_TRUE(list.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL,
                              CRect(0, 0, 300, 150), &m_parent, 8));
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    EXPECT_TRUE(list.GetExtendedStyle() & LVS_EX_GRIDLINES);
    ASSERT_EQ(0, list.InsertColumn(0, "P1", LVCFMT_CENTER, 40));
    ASSERT_EQ(1, list.InsertColumn(1, "P1'", LVCFMT_CENTER, 40));
    ASSERT_EQ(0, list.InsertColumn(0, "P2", LVCFMT_CENTER, 30));
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    ASSERT_NE(nullptr, pHeader);
    EXPECT_EQ(3, pHeader->GetItemCount());
    EXPECT_EQ(30, list.GetColumnWidth(0));

    // Headings read back with room for 4 characters.
    char szHeading[5] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = szHeading;
    column.cchTextMax = sizeof(szHeading);
    ASSERT_TRUE(list.GetColumn(2, &column));
    EXPECT_STREQ("P1'", szHeading);

    ASSERT_EQ(0, list.InsertItem(0, "K"));
    list.SetItemText(0, 2, "{P}");
    EXPECT_STREQ("{P}", list.GetItemText(0, 2));
    EXPECT_STREQ("", list.GetItemText(0, 1));
    EXPECT_EQ(-1, list.GetNextItem(-1, LVNI_SELECTED));
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(0, list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(0, list.GetItemCount());
}
