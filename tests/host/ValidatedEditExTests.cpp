#include "WindowTestSupport.h"

#include <CValidatedEditEx.h>
#include <ValueValidators.h>
#include <gtest/gtest.h>

namespace
{
const UINT kFieldId = 8012;

class ValidatedEditExTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Create(NULL, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 410, 210), &m_host, 1));
        // An ordinary edit of the form, subclassed as data exchange does it.
        ASSERT_NE(nullptr, ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE, 20, 20, 60, 22,
                                             m_parent.m_hWnd, (HMENU)(UINT_PTR)kFieldId, NULL, NULL));
        ASSERT_TRUE(m_field.SubclassDlgItem(kFieldId, &m_parent));
        ASSERT_TRUE(m_other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(20, 80, 80, 102), &m_parent, 2));
        m_field.AddValidator(CValidationItem(ValidateInteger, &m_field));
        m_field.AddValidator(CValidationItem(ValidatePercent, &m_field));
        ::SetActiveWindow(m_host.m_hWnd);
    }

    // Types the text, moves the focus on, and lets the popup settle: it comes to the
    // front again shortly after the focus moved.
    void EnterAndLeave(LPCSTR lpszText)
    {
        m_field.SetFocus();
        m_field.SetWindowText(lpszText);
        m_other.SetFocus();
        for (int i = 0; i < 5; ++i)
        {
            ::Sleep(10);
            PumpMessages();
        }
    }

    TestHostWindow m_host;
    CWnd m_parent;
    CValidatedEditEx m_field;
    CEdit m_other;
};
}

TEST_F(ValidatedEditExTest, LeavingShowsTheFirstFailingMessageUntilTheFieldIsRefocused)
{
    EnterAndLeave("150");
    EXPECT_STREQ("Value 150 must be less or equal then 100", m_field.GetShownMessage());
    CString strText;
    m_field.GetWindowText(strText);
    EXPECT_STREQ("150", strText);
    EXPECT_EQ(m_other.m_hWnd, ::GetFocus());
    EXPECT_EQ(m_host.m_hWnd, ::GetActiveWindow());

    m_field.SetFocus();
    EXPECT_STREQ("", m_field.GetShownMessage());

    // Both validators fail on "abc": the first one speaks. A good text shows nothing.
    EnterAndLeave("abc");
    EXPECT_STREQ("Can not convert value abc to integer", m_field.GetShownMessage());
    EnterAndLeave("75");
    EXPECT_STREQ("", m_field.GetShownMessage());
}

TEST_F(ValidatedEditExTest, ValidatesThroughItsItemsInOrderEachReadingItsWindowsInOrder)
{
    CValidatedEditEx from;
    ASSERT_TRUE(from.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(100, 20, 160, 42), &m_parent, 5010));
    CEdit to;
    ASSERT_TRUE(to.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(180, 20, 240, 42), &m_parent, 5011));
    from.AddValidator(CValidationItem(ValidateNotAbove, &from, &to));
    from.AddValidator(CValidationItem(ValidatePercent, &from));

    // Both fail: the first item's message, with From as the value and To as the bound.
    from.SetWindowText("150");
    to.SetWindowText("20");
    EXPECT_STREQ("Value 150 must be less or equal then 20", from.Validate());
    to.SetWindowText("200");
    EXPECT_STREQ("Value 150 must be less or equal then 100", from.Validate());
}
