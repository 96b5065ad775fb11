#include "afxwin.h"
#include "ToolkitInternal.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

CDialog::CDialog()
    : m_lpszTemplateName(NULL), m_nIDHelp(0), m_pParentWnd(NULL), m_nModalResult(-1), m_bContinueModal(FALSE)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)),
      m_nIDHelp(nIDTemplate),
      m_pParentWnd(pParentWnd),
      m_nModalResult(-1),
      m_bContinueModal(FALSE)
{
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName),
      m_nIDHelp(0),
      m_pParentWnd(pParentWnd),
      m_nModalResult(-1),
      m_bContinueModal(FALSE)
{
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = NULL;
    const LPCDLGTEMPLATEA lpTemplate = AfxLoadDialogTemplate(m_lpszTemplateName, hInst);
    if (lpTemplate == NULL)
        return -1;

    // The owner: the given parent's top-level window, else the application's main
    // window, else whatever window is active.
    HWND hWndParent = NULL;
    if (m_pParentWnd != NULL)
        hWndParent = m_pParentWnd->GetTopLevelParent()->m_hWnd;
    else if (AfxGetMainWnd() != NULL)
        hWndParent = AfxGetMainWnd()->m_hWnd;
    else
        hWndParent = ::GetActiveWindow();

    const BOOL bEnableParent = hWndParent != NULL && ::IsWindowEnabled(hWndParent);
    if (bEnableParent)
        ::EnableWindow(hWndParent, FALSE);

    m_nModalResult = -1;
    m_bContinueModal = TRUE;
    BOOL bAttached = FALSE;
    if (AfxCreateDlgIndirect(this, lpTemplate, hWndParent, hInst, bAttached) != NULL && m_bContinueModal)
        RunModalLoop();
    m_bContinueModal = FALSE;

    if (m_hWnd != NULL)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    return m_nModalResult;
}

LPCDLGTEMPLATEA AfxLoadDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE& hInst)
{
    hInst = AfxFindResourceHandle(lpszTemplateName, (LPCSTR)RT_DIALOG);
    const HRSRC hResource = hInst ? ::FindResourceA(hInst, lpszTemplateName, (LPCSTR)RT_DIALOG) : NULL;
    const HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : NULL;
    return hTemplate ? (LPCDLGTEMPLATEA)::LockResource(hTemplate) : NULL;
}

HWND AfxCreateDlgIndirect(CWnd* pWnd, LPCDLGTEMPLATEA lpTemplate, HWND hWndParent, HINSTANCE hInst,
                          BOOL& bAttached)
{
    AfxInitCommonControls();
    AfxHookWindowCreate(pWnd);
    const HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpTemplate, hWndParent, AfxDlgProc, 0);
    bAttached = AfxUnhookWindowCreate();
    return hWnd;
}

int CDialog::RunModalLoop()
{
    ASSERT(::IsWindow(m_hWnd));
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    const HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
    BOOL bIdle = TRUE;
    // The loop also ends when the dialog is destroyed under it (its owner closed, say):
    // nothing would end it otherwise.
    while (m_bContinueModal && ::IsWindow(m_hWnd))
    {
        MSG msg;
        if (bIdle && !::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            // As the system's dialog loop does, tell the owner that the dialog is idle.
            if (hWndOwner != NULL)
                ::SendMessageA(hWndOwner, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            AfxDeleteTempMap();
            bIdle = FALSE;
            continue;
        }
        int nExitCode = 0;
        if (!AfxPumpMessage(&nExitCode))
        {
            // WM_QUIT ends the loop; the application's own loop must still see it.
            ::PostQuitMessage(nExitCode);
            break;
        }
        bIdle = TRUE;
    }
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_bContinueModal)
    {
        m_bContinueModal = FALSE;
        // Wakes the modal loop if it is waiting in GetMessage.
        PostMessage(WM_NULL);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_MOUSELAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CDialog)))
        return TRUE;
    INT_PTR nResult = FALSE;
    CRect rcBefore;
    ::GetWindowRect(hWnd, &rcBefore);
    AfxCallGuarded([&] { nResult = static_cast<CDialog*>(pWnd)->OnInitDialog(); }, [] {});
    // As MFC does, a top-level dialog that OnInitDialog did not move is centred on its
    // owner; the template's position is relative to the owner's top-left corner.
    CRect rcAfter;
    if (::IsWindow(hWnd) && !(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) && ::GetWindowRect(hWnd, &rcAfter) &&
        rcAfter == rcBefore)
        pWnd->CenterWindow();
    return nResult;
}
