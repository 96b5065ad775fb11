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
    HINSTANCE hInst = NULL;
    const LPCDLGTEMPLATEA lpTemplate = AfxLoadDialogTemplate(m_lpszTemplateName, hInst);
    HWND hWnd = NULL;
    BOOL bAttached = FALSE;
    if (lpTemplate != NULL && pParentWnd != NULL)
        hWnd = AfxCreateDlgIndirect(this, lpTemplate, pParentWnd->m_hWnd, hInst, bAttached);
    if (hWnd == NULL)
    {
        // A view owns itself: a window that was made and failed has deleted it already;
        // when no window was made, it goes the same way here.
        if (!bAttached)
            PostNcDestroy();
        return FALSE;
    }

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
    // IsDialogMessage takes every key it is given, the keys of the windows around the form
    // too (their accelerators, their own Tab order), so the form's parents up to the
    // top-level window see the key first, as MFC's form view lets its frames see it.
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (!(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

void CFormView::OnDraw(CDC* /*pDC*/)
{
}
