#include "PumpUntil.h"
#include "WindowTestSupport.h"

#include <AnalysisPopups.h>
#include <CAnalysisSettingsHelper.h>
#include <EditorTopics.h>
#include <gtest/gtest.h>
#include <vector>

namespace
{
const UINT kFormId = 8000;  // the New button's number too: the form itself has no topic

BOOL CALLBACK CollectVisibleOwned(HWND hWnd, LPARAM lParam)
{
    std::vector<HWND>* pPopups = (std::vector<HWND>*)lParam;
    if (::GetWindow(hWnd, GW_OWNER) == pPopups->front() && ::IsWindowVisible(hWnd))
        pPopups->push_back(hWnd);
    return TRUE;
}

// The visible windows that the owner owns, as the system lists them.
std::vector<HWND> VisibleOwnedPopups(HWND hWndOwner)
{
    std::vector<HWND> popups = {hWndOwner};
    ::EnumWindows(CollectVisibleOwned, (LPARAM)&popups);
    popups.erase(popups.begin());
    return popups;
}

CRect WindowRectOf(HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

// A form that hands its mouse and cursor messages to the helper, as the settings form does.
class CHelpedForm : public CWnd
{
public:
    explicit CHelpedForm(CAnalysisSettingsHelper& helper) : m_helper(helper) {}

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) { m_helper.ProcessOnMouseMove(nFlags, point); }
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    {
        return m_helper.ProcessOnSetCursor(pWnd, nHitTest, message) || CWnd::OnSetCursor(pWnd, nHitTest, message);
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) { m_helper.ProcessOnLButtonDown(nFlags, point); }

    DECLARE_MESSAGE_MAP()

private:
    CAnalysisSettingsHelper& m_helper;
};

BEGIN_MESSAGE_MAP(CHelpedForm, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class AnalysisSettingsHelperTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_topics.LoadTopics(g_editorTopics);
        ASSERT_TRUE(m_form.Create(NULL, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 410, 310), &m_host, kFormId));
        ASSERT_TRUE(m_buttonNew.CreateEx(0, "BUTTON", "New", WS_CHILD | WS_VISIBLE, CRect(20, 20, 90, 44), &m_form,
                                         8000));
        ASSERT_TRUE(m_buttonEdit.CreateEx(0, "BUTTON", "Edit", WS_CHILD | WS_VISIBLE, CRect(20, 60, 90, 84), &m_form,
                                          8002));
        ASSERT_TRUE(m_radio.CreateEx(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON,
                                     CRect(20, 100, 40, 116), &m_form, 8013));
        m_helper.Attach(&m_form);
        ::SetActiveWindow(m_host.m_hWnd);
    }

    // The pointer over a control: the control's default handling asks its parent first.
    static void PointAt(CWnd& control, UINT message = WM_MOUSEMOVE)
    {
        control.SendMessage(WM_SETCURSOR, (WPARAM)control.m_hWnd, MAKELPARAM(HTCLIENT, message));
    }

    void PointAtTheForm() { m_form.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(200, 200)); }

    LPCSTR ShownTitle() const
    {
        const CTopicItem* pTopic = m_helper.GetShownTopic();
        return pTopic != NULL ? pTopic->lpszTitle : "(none)";
    }

    TestHostWindow m_host;
    CTopicsContainer m_topics;
    CAnalysisSettingsHelper m_helper{m_topics};
    CHelpedForm m_form{m_helper};
    CButton m_buttonNew;
    CButton m_buttonEdit;
    CButton m_radio;
};
}

TEST_F(AnalysisSettingsHelperTest, PointerOverAControlShowsItsTopicBelowItWithoutTakingTheActivation)
{
    PointAt(m_buttonNew);
    ASSERT_NE(nullptr, m_helper.GetShownTopic());
    EXPECT_STREQ("New button", m_helper.GetShownTopic()->lpszTitle);
    EXPECT_STREQ("Add a new reagent to your list.", m_helper.GetShownTopic()->lpszText);
    const std::vector<HWND> popups = VisibleOwnedPopups(m_host.m_hWnd);
    ASSERT_EQ(1u, popups.size());
    EXPECT_TRUE(::GetWindowLongPtrA(popups[0], GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(m_host.m_hWnd, ::GetActiveWindow());
    EXPECT_GE(WindowRectOf(popups[0]).top, WindowRectOf(m_buttonNew.m_hWnd).bottom);

    PointAt(m_buttonEdit);
    EXPECT_STREQ("Edit button", ShownTitle());
    PointAt(m_radio);  // 8013 has no topic
    EXPECT_STREQ("(none)", ShownTitle());
    EXPECT_TRUE(VisibleOwnedPopups(m_host.m_hWnd).empty());
}

TEST_F(AnalysisSettingsHelperTest, PressHidesThePopupUntilThePointerHasLeftTheControl)
{
    PointAt(m_buttonNew);
    m_form.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
    EXPECT_STREQ("(none)", ShownTitle());

    PointAt(m_buttonNew);
    PointAt(m_buttonNew, WM_LBUTTONDOWN);
    PointAt(m_buttonNew);
    EXPECT_STREQ("(none)", ShownTitle());
    PointAtTheForm();
    PointAt(m_buttonNew);
    EXPECT_STREQ("New button", ShownTitle());
}

TEST_F(AnalysisSettingsHelperTest, PopupGoesOnceThePointerHasLeftTheFormAltogether)
{
    const CRect rcButton = WindowRectOf(m_buttonNew.m_hWnd);
    ASSERT_TRUE(::SetCursorPos(rcButton.CenterPoint().x, rcButton.CenterPoint().y));
    PointAt(m_buttonNew);
    // Beyond the host window, where no message tells the form that the pointer went.
    const CRect rcHost = WindowRectOf(m_host.m_hWnd);
    ASSERT_TRUE(::SetCursorPos(rcHost.right + 50, rcHost.bottom + 50));
    EXPECT_TRUE(PumpUntil([&] { return m_helper.GetShownTopic() == NULL; }, 2000)) << ShownTitle();
}

TEST_F(AnalysisSettingsHelperTest, ColourAnswersOnlyForTheFormsControlsWithATopic)
{
    CClientDC dc(&m_form);
    COLORREF crText = RGB(1, 2, 3);
    EXPECT_FALSE(m_helper.ProcessOnCtlColor(&dc, &m_radio, CTLCOLOR_STATIC, crText));
    EXPECT_FALSE(m_helper.ProcessOnCtlColor(&dc, &m_form, CTLCOLOR_DLG, crText));
    EXPECT_EQ(RGB(1, 2, 3), crText);
    EXPECT_TRUE(m_helper.ProcessOnCtlColor(&dc, &m_buttonEdit, CTLCOLOR_BTN, crText));
    EXPECT_EQ(CAnalysisSettingsHelper::kTopicTextColor, crText);
}

TEST_F(AnalysisSettingsHelperTest, PopupFollowsItsControlWhileInSightAndKeepsInsideARectangle)
{
    PointAt(m_buttonEdit);
    const HWND hWndPopup = VisibleOwnedPopups(m_host.m_hWnd).at(0);

    // The form scrolled its controls: 30 pixels up, then out of sight, then back.
    m_buttonEdit.MoveWindow(20, 30, 70, 24);
    UpdateOwnedPopups(&m_host);
    EXPECT_EQ(WindowRectOf(m_buttonEdit.m_hWnd).bottom + 2, WindowRectOf(hWndPopup).top);
    m_buttonEdit.MoveWindow(20, -60, 70, 24);
    UpdateOwnedPopups(&m_host);
    EXPECT_FALSE(::IsWindowVisible(hWndPopup));
    m_buttonEdit.MoveWindow(20, 60, 70, 24);
    UpdateOwnedPopups(&m_host);
    EXPECT_TRUE(::IsWindowVisible(hWndPopup));

    // Too narrow a form: the popup moves left to end at its edge.
    CRect rcInside = WindowRectOf(m_buttonEdit.m_hWnd);
    rcInside.InflateRect(100, 200);
    rcInside.right = WindowRectOf(hWndPopup).right - 20;
    KeepPopupsInRect(&m_host, rcInside);
    EXPECT_EQ(rcInside.right, WindowRectOf(hWndPopup).right);
    // No room below the control: the popup goes above it; no room above either: it keeps
    // to the top of the rectangle.
    const CRect rcButton = WindowRectOf(m_buttonEdit.m_hWnd);
    rcInside.bottom = rcButton.bottom + 10;
    KeepPopupsInRect(&m_host, rcInside);
    EXPECT_EQ(rcButton.top - 2, WindowRectOf(hWndPopup).bottom);
    rcInside.top = rcButton.top - 10;
    KeepPopupsInRect(&m_host, rcInside);
    EXPECT_EQ(rcInside.top, WindowRectOf(hWndPopup).top);
    KeepPopupsInRect(&m_host, CRect(0, 0, 5, 5));
    EXPECT_FALSE(::IsWindowVisible(hWndPopup));
}
