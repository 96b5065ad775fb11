#include "afxext.h"
#include "ToolkitInternal.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

CFormView::CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate))
{
}

CFormView::CFormView(LPCSTR lpszTemplateName) : m_lpszTemplateName(lpszTemplateName)
{
}

BOOL CFormView::Create(LPCSTR /*lpszClassName*/, LPCSTR /*lpszWindowName*/, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext* /*pContext*/)
{
    const HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    const HRSRC hResource = hInst ? ::FindResourceA(hInst, m_lpszTemplateName, (LPCSTR)RT_DIALOG) : NULL;
    const HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : NULL;
    const LPCDLGTEMPLATEA lpTemplate = hTemplate ? (LPCDLGTEMPLATEA)::LockResource(hTemplate) : NULL;
    if (lpTemplate == NULL || pParentWnd == NULL)
        return FALSE;

    AfxInitCommonControls();
    AfxHookWindowCreate(this);
    const HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpTemplate, pParentWnd->m_hWnd, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd == NULL)
        return FALSE;

    // The template's own size is the form's total size; the window takes the requested place.
    CRect rcTemplate;
    GetWindowRect(&rcTemplate);
    SetScrollSizes(MM_TEXT, rcTemplate.Size());
    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID);
    SetWindowPos(NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBars();
    if (dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

void CFormView::OnDraw(CDC* /*pDC*/)
{
}
