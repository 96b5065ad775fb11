#include "TestResource.h"
#include "WindowTestSupport.h"

#include <afxext.h>
#include <gtest/gtest.h>

namespace
{
bool g_bFormDeleted = false;

class CTestForm : public CFormView
{
    DECLARE_DYNCREATE(CTestForm)
public:
    CTestForm() : CFormView(IDD_TEST_FORM) {}
    ~CTestForm() override { g_bFormDeleted = true; }

    CString m_strText = "shown by the first exchange";
    int m_nInitialUpdates = 0;

    void OnInitialUpdate() override
    {
        CFormView::OnInitialUpdate();
        ++m_nInitialUpdates;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_TEST_FORM_EDIT, m_strText); }
};

IMPLEMENT_DYNCREATE(CTestForm, CFormView)

CTestForm* CreateForm(CWnd* pParent, const CRect& rect)
{
    CTestForm* pForm = static_cast<CTestForm*>(RUNTIME_CLASS(CTestForm)->CreateObject());
    EXPECT_NE(nullptr, pForm);
    EXPECT_TRUE(pForm->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rect, pParent, 1, NULL));
    pForm->OnInitialUpdate();
    return pForm;
}

CRect ChildRect(CWnd* pParent, int nID)
{
    CRect rect;
    pParent->GetDlgItem(nID)->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    return rect;
}
}

TEST(FormViewTest, CreatedOnItsTemplateAsAChildAndFilledByTheInitialUpdate)
{
    g_bFormDeleted = false;
    {
        TestHostWindow host;
        CTestForm* pForm = CreateForm(&host, CRect(0, 0, 0, 0));
        EXPECT_EQ(host.m_hWnd, ::GetParent(pForm->m_hWnd));
        EXPECT_TRUE(pForm->GetStyle() & WS_CHILD);
        EXPECT_EQ(1, pForm->GetDlgCtrlID());
        EXPECT_EQ(1, pForm->m_nInitialUpdates);
        CString strShown;
        pForm->GetDlgItemText(IDC_TEST_FORM_EDIT, strShown);
        EXPECT_STREQ("shown by the first exchange", strShown);
        EXPECT_TRUE(pForm->IsKindOf(RUNTIME_CLASS(CFormView)));
        EXPECT_FALSE(g_bFormDeleted);
    }
    EXPECT_TRUE(g_bFormDeleted) << "a view is deleted with its window";
}

TEST(FormViewTest, SmallerWindowScrollsItsControls)
{
    TestHostWindow host;
    CTestForm* pForm = CreateForm(&host, CRect(0, 0, 200, 100));
    const CSize sizeTotal = pForm->GetTotalSize();
    EXPECT_GT(sizeTotal.cy, 100);
    EXPECT_TRUE(pForm->GetStyle() & WS_VSCROLL);

    const CRect rcBefore = ChildRect(pForm, IDC_TEST_FORM_BOTTOM);
    pForm->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    pForm->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0));
    const int nScrolled = pForm->GetScrollPosition().y;
    EXPECT_GT(nScrolled, 0);
    EXPECT_EQ(rcBefore.top - nScrolled, ChildRect(pForm, IDC_TEST_FORM_BOTTOM).top);

    // Scrolling never passes the end; growing the window brings everything back.
    pForm->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
    CRect rcClient;
    pForm->GetClientRect(&rcClient);
    EXPECT_EQ(sizeTotal.cy - rcClient.Height(), pForm->GetScrollPosition().y);
    pForm->MoveWindow(0, 0, sizeTotal.cx + 50, sizeTotal.cy + 50);
    EXPECT_EQ(0, pForm->GetScrollPosition().y);
    EXPECT_EQ(rcBefore.top, ChildRect(pForm, IDC_TEST_FORM_BOTTOM).top);
    EXPECT_FALSE(pForm->GetStyle() & WS_VSCROLL);
}

namespace
{
// A host whose PreTranslateMessage takes F5, as a window's accelerators do.
class KeyTakingHost : public TestHostWindow
{
public:
    int m_nKeysTaken = 0;

protected:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN || pMsg->wParam != VK_F5)
            return FALSE;
        ++m_nKeysTaken;
        return TRUE;
    }
};
}

// The form's parents see a key before the form's dialog keys would take it; a key they
// leave is the form's: Tab moves between its fields.
TEST(FormViewTest, ParentsSeeAKeyBeforeTheFormsDialogKeys)
{
    KeyTakingHost host;
    CTestForm* pForm = CreateForm(&host, CRect(0, 0, 300, 300));
    const HWND hEdit = ::GetDlgItem(pForm->m_hWnd, IDC_TEST_FORM_EDIT);
    ::SetFocus(hEdit);
    PostKey(hEdit, VK_F5);
    PumpMessages();
    EXPECT_EQ(1, host.m_nKeysTaken);
    PostKey(hEdit, VK_TAB);
    PumpMessages();
    EXPECT_EQ(::GetDlgItem(pForm->m_hWnd, IDC_TEST_FORM_BOTTOM), ::GetFocus());
}
