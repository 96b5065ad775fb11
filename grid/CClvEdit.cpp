#include "CClvEdit.h"
#include "CClvHeader.h"

BEGIN_MESSAGE_MAP(CClvEdit, CEdit)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillfocus)
    ON_CONTROL_REFLECT(EN_SETFOCUS, OnSetfocus)
END_MESSAGE_MAP()

void CClvEdit::CommitEdit()
{
    StoreText();
    OnKillfocus();
}

void CClvEdit::ClearAndClose()
{
    SetWindowText("");
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

// Left and Right end the edit and are handed on to the grid, which moves the selection
// once the editor has gone; the caret never moves inside the editor.
BOOL CClvEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CEdit::PreTranslateMessage(pMsg);
    CWnd* pGrid = m_pHeader->GetParent();
    switch (pMsg->wParam)
    {
    case VK_TAB:
        ClearAndClose();
        pGrid->GetParent()->SendMessage(WM_NEXTDLGCTL, 0, FALSE);
        return TRUE;
    case VK_RETURN:
        CommitEdit();
        return TRUE;
    case VK_ESCAPE:
        ClearAndClose();
        return TRUE;
    case VK_LEFT:
    case VK_RIGHT:
        CommitEdit();
        pGrid->PostMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CClvEdit::OnKillfocus()
{
    StoreText();
    GetParent()->SendMessage(WM_KILLFOCUS);
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

void CClvEdit::OnSetfocus()
{
    m_pHeader->m_bFocus = TRUE;
    m_pHeader->Invalidate(TRUE);
}

void CClvEdit::StoreText()
{
    CString strText;
    GetWindowText(strText);
    m_pHeader->m_cells[m_pHeader->m_nSelected] = strText;
}
