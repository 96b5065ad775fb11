#include "MessageBoxScript.h"
#include "MessageLog.h"
#include "TestResource.h"
#include "WindowTestSupport.h"

#include <afxwin.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace
{
std::vector<std::string>& PreTranslated()
{
    static std::vector<std::string> records;
    return records;
}

bool IsKeyDown(const MSG* pMsg, UINT nKey)
{
    return pMsg->message == WM_KEYDOWN && pMsg->wParam == nKey;
}

// Records the key-downs it sees; swallows Return when asked to.
class CRecordingEdit : public CEdit
{
public:
    BOOL m_bSwallowReturn = FALSE;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            PreTranslated().push_back("edit " + std::to_string(pMsg->wParam));
        if (m_bSwallowReturn && IsKeyDown(pMsg, VK_RETURN))
            return TRUE;
        return CEdit::PreTranslateMessage(pMsg);
    }
};

class CTestDialog : public CDialog
{
public:
    enum { IDD = IDD_TEST_DIALOG };

    explicit CTestDialog(CWnd* pParent = NULL) : CDialog(IDD, pParent) {}

    CString m_strName = "Trypsin";
    int m_bChecked = TRUE;
    int m_nRadio = 2;
    CRecordingEdit m_editName;
    CListBox m_list;
    int m_nInitCount = 0;
    BOOL m_bRefuseEmptyName = FALSE;
    std::function<void(CTestDialog&)> m_onInit;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            PreTranslated().push_back("dialog " + std::to_string(pMsg->wParam));
        return CDialog::PreTranslateMessage(pMsg);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_TEST_NAME, m_editName);
        DDX_Control(pDX, IDC_TEST_LIST, m_list);
        DDX_Text(pDX, IDC_TEST_NAME, m_strName);
        if (pDX->m_bSaveAndValidate && m_bRefuseEmptyName && m_strName.IsEmpty())
        {
            AfxMessageBox("Enter a name.");
            pDX->Fail();
        }
        DDX_Check(pDX, IDC_TEST_CHECK, m_bChecked);
        DDX_Radio(pDX, IDC_TEST_RADIO_FIRST, m_nRadio);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ++m_nInitCount;
        if (m_onInit)
            m_onInit(*this);
        return TRUE;
    }
};

// The owner's log of WM_ENTERIDLE while a dialog of IdleDialogTellsItsOwner runs.
const MessageLog* g_pIdleLog = nullptr;

// Ends the dialog at the first tick after its owner was told that it is idle. Each tick
// leaves the queue empty; on a slow machine (an emulator) the first one can come before
// the queue ever emptied.
void CALLBACK EndDialogOnceIdle(HWND hWnd, UINT /*message*/, UINT_PTR nIDEvent, DWORD /*dwTime*/)
{
    if (g_pIdleLog->Messages().empty())
        return;
    ::KillTimer(hWnd, nIDEvent);
    static_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd))->EndDialog(IDOK);
}

class DialogTest : public testing::Test
{
protected:
    void SetUp() override { PreTranslated().clear(); }

    TestHostWindow m_host;
};
}

TEST_F(DialogTest, ExchangeFillsTheControlsAndOkReadsThemBack)
{
    CTestDialog dlg;
    dlg.m_onInit = [](CTestDialog& d) {
        // What the first exchange showed.
        CString strShown;
        d.m_editName.GetWindowText(strShown);
        EXPECT_STREQ("Trypsin", strShown);
        EXPECT_EQ(BST_CHECKED, (int)d.IsDlgButtonChecked(IDC_TEST_CHECK));
        EXPECT_EQ(BST_CHECKED, (int)d.IsDlgButtonChecked(IDC_TEST_RADIO_THIRD));
        EXPECT_EQ(BST_UNCHECKED, (int)d.IsDlgButtonChecked(IDC_TEST_RADIO_FIRST));

        PostTestAction([&d] {
            d.m_editName.SetWindowText("Lys-C");
            d.CheckDlgButton(IDC_TEST_CHECK, BST_UNCHECKED);
            d.CheckRadioButton(IDC_TEST_RADIO_FIRST, IDC_TEST_RADIO_THIRD, IDC_TEST_RADIO_SECOND);
            d.GetDlgItem(IDOK)->SendMessage(BM_CLICK);
        });
    };
    EXPECT_EQ(IDOK, DoModalWithWatchdog(dlg));
    EXPECT_EQ(1, dlg.m_nInitCount);
    EXPECT_STREQ("Lys-C", dlg.m_strName);
    EXPECT_FALSE(dlg.m_bChecked);
    EXPECT_EQ(1, dlg.m_nRadio);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_editName.m_hWnd) << "controls are detached with the dialog";
}

TEST_F(DialogTest, RadioGroupWithNothingCheckedSavesMinusOne)
{
    CTestDialog dlg;
    dlg.m_onInit = [](CTestDialog& d) { PostTestAction([&d] { d.GetDlgItem(IDOK)->SendMessage(BM_CLICK); }); };
    dlg.m_nRadio = 7;  // no such button: all unchecked
    EXPECT_EQ(IDOK, DoModalWithWatchdog(dlg));
    EXPECT_EQ(-1, dlg.m_nRadio);
}

TEST_F(DialogTest, EscapeKeyPostedToAControlCancels)
{
    CTestDialog dlg;
    dlg.m_onInit = [](CTestDialog& d) {
        PostTestAction([&d] {
            d.m_editName.SetWindowText("changed");
            PostKey(d.m_editName.m_hWnd, VK_ESCAPE);
        });
    };
    EXPECT_EQ(IDCANCEL, DoModalWithWatchdog(dlg));
    EXPECT_STREQ("Trypsin", dlg.m_strName) << "Cancel does not read the controls";
}

TEST_F(DialogTest, KeyPassesThroughTheControlThenItsDialogUnlessTheControlSwallowsIt)
{
    const struct
    {
        UINT nKey;
        BOOL bSwallowReturn;
        std::vector<std::string> expected;
    } cases[] = {
        {'A', FALSE, {"edit 65", "dialog 65"}},
        // Without the swallowing, Return would press the default button (IDOK).
        {VK_RETURN, TRUE, {"edit 13"}},
    };
    for (const auto& c : cases)
    {
        PreTranslated().clear();
        CTestDialog dlg;
        dlg.m_onInit = [&c](CTestDialog& d) {
            d.m_editName.m_bSwallowReturn = c.bSwallowReturn;
            PostTestAction([&] {
                PostKey(d.m_editName.m_hWnd, c.nKey);
                PostTestAction([&d] { d.EndDialog(IDABORT); });
            });
        };
        EXPECT_EQ(IDABORT, DoModalWithWatchdog(dlg));
        EXPECT_EQ(c.expected, PreTranslated());
    }
}

TEST_F(DialogTest, MissingTemplateReturnsMinusOne)
{
    CDialog dlg(4242);
    EXPECT_EQ(-1, DoModalWithWatchdog(dlg));
}

TEST_F(DialogTest, RefusedFieldKeepsTheDialogOpenWithTheFocusOnIt)
{
    MessageBoxScript boxes;
    boxes.Answer(IDOK);
    boxes.Answer(IDOK);
    CTestDialog dlg;
    dlg.m_bRefuseEmptyName = TRUE;
    BOOL bUpdated = TRUE;
    bool bOpenAfterOk = false;
    bool bFocusOnName = false;
    int nFocusedId = 0;
    dlg.m_onInit = [&](CTestDialog& d) {
        PostTestAction([&] {
            d.m_editName.SetWindowText("");
            d.GotoDlgCtrl(&d.m_list);
            nFocusedId = ::GetDlgCtrlID(::GetFocus());
            bUpdated = d.UpdateData(TRUE);
            d.GetDlgItem(IDOK)->SendMessage(BM_CLICK);
            bOpenAfterOk = d.ContinueModal() != FALSE;
            bFocusOnName = ::GetFocus() == d.m_editName.m_hWnd;
            d.m_editName.SetWindowText("Pepsin");
            d.GetDlgItem(IDOK)->SendMessage(BM_CLICK);
        });
    };
    EXPECT_EQ(IDOK, DoModalWithWatchdog(dlg));
    EXPECT_EQ(IDC_TEST_LIST, nFocusedId);
    EXPECT_FALSE(bUpdated);
    EXPECT_TRUE(bOpenAfterOk);
    EXPECT_TRUE(bFocusOnName);
    EXPECT_STREQ("Pepsin", dlg.m_strName);
    EXPECT_EQ(2u, boxes.Calls().size());
}

TEST_F(DialogTest, OwnerIsDisabledWhileTheDialogRunsAndEnabledAfter)
{
    for (bool bEndAtOnce : {false, true})
    {
        SCOPED_TRACE(bEndAtOnce ? "ended during initialisation" : "ended from its loop");
        CTestDialog dlg(&m_host);
        BOOL bOwnerEnabled = TRUE;
        dlg.m_onInit = [&](CTestDialog& d) {
            bOwnerEnabled = m_host.IsWindowEnabled();
            if (bEndAtOnce)
                d.EndDialog(IDCANCEL);
            else
                PostTestAction([&d] { d.EndDialog(IDOK); });
        };
        EXPECT_EQ(bEndAtOnce ? IDCANCEL : IDOK, DoModalWithWatchdog(dlg));
        EXPECT_EQ(1, dlg.m_nInitCount);
        EXPECT_FALSE(bOwnerEnabled);
        EXPECT_TRUE(m_host.IsWindowEnabled());
    }
}

// A modal dialog is centred on its owner, which it has disabled; on the work area when the
// owner is hidden; where OnInitDialog put it when it moved itself.
TEST_F(DialogTest, ModalDialogIsCentredOnItsOwnerUnlessItMovedItself)
{
    struct Case
    {
        bool bOwnerShown;
        bool bMovesItself;
    };
    for (const Case& c : {Case{true, false}, Case{false, false}, Case{true, true}})
    {
        SCOPED_TRACE(std::string(c.bOwnerShown ? "owner shown" : "owner hidden") + (c.bMovesItself ? ", moved" : ""));
        TestHostWindow owner(CRect(300, 200, 900, 700));
        owner.ShowWindow(c.bOwnerShown ? SW_SHOWNOACTIVATE : SW_HIDE);
        CTestDialog dlg(&owner);
        CRect rcDialog;
        dlg.m_onInit = [&](CTestDialog& d) {
            if (c.bMovesItself)
                d.SetWindowPos(NULL, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            PostTestAction([&d, &rcDialog] {
                d.GetWindowRect(&rcDialog);
                d.EndDialog(IDOK);
            });
        };
        ASSERT_EQ(IDOK, DoModalWithWatchdog(dlg));
        CRect rcCentre(300, 200, 900, 700);
        if (!c.bOwnerShown)
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcCentre, 0);
        const CPoint expected = c.bMovesItself ? CPoint(10 + rcDialog.Width() / 2, 20 + rcDialog.Height() / 2)
                                               : rcCentre.CenterPoint();
        EXPECT_NEAR(expected.x, rcDialog.CenterPoint().x, 1);
        EXPECT_NEAR(expected.y, rcDialog.CenterPoint().y, 1);
    }
}

TEST_F(DialogTest, DestroyingTheOwnerOrAQuitEndsTheLoopAndTheQuitReachesTheOuterLoop)
{
    for (bool bQuit : {false, true})
    {
        auto owner = std::make_unique<TestHostWindow>(CRect(100, 100, 300, 300));
        CTestDialog dlg(owner.get());
        dlg.m_onInit = [&](CTestDialog&) {
            PostTestAction([&] { bQuit ? ::PostQuitMessage(7) : (void)owner->DestroyWindow(); });
        };
        EXPECT_EQ(-1, DoModalWithWatchdog(dlg)) << "quit: " << bQuit;
        EXPECT_EQ(nullptr, dlg.m_hWnd);
        MSG msg = {};
        EXPECT_EQ(bQuit, ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.wParam == 7);
    }
}

TEST_F(DialogTest, IdleDialogTellsItsOwner)
{
    MessageLog log;
    log.Watch(m_host.m_hWnd, {WM_ENTERIDLE});
    CTestDialog dlg(&m_host);
    g_pIdleLog = &log;
    dlg.m_onInit = [](CTestDialog& d) { ::SetTimer(d.m_hWnd, 1, 50, EndDialogOnceIdle); };
    EXPECT_EQ(IDOK, DoModalWithWatchdog(dlg));
    // Once at least, each time the queue empties; always sent, with the dialog's code.
    ASSERT_FALSE(log.Messages().empty());
    for (const LoggedMessage& message : log.Messages())
    {
        EXPECT_FALSE(message.bPosted);
        EXPECT_EQ((WPARAM)MSGF_DIALOGBOX, message.wParam);
    }
}
