// A dialog on a template found in the program or a registered extension module. DoModal
// runs the toolkit's own modal loop, which offers every message to PreTranslateMessage of
// its window and that window's parents before the dialog manager sees it.
#pragma once
#include "afx/CWnd.h"

class AFXKIT_API CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    // Only records the template and parent: an object made this way is usable
    // without ever creating its window.
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = NULL);

    // Runs the dialog; returns the EndDialog result, or -1 when the template cannot be
    // found or the window cannot be created.
    virtual INT_PTR DoModal();
    // Ends the modal loop with nResult; may be called from OnInitDialog.
    void EndDialog(int nResult);
    // Whether the modal loop goes on: FALSE once EndDialog was called.
    BOOL ContinueModal() const { return m_bContinueModal; }

    virtual BOOL OnInitDialog();
    void GotoDlgCtrl(CWnd* pWndCtrl) { SendMessage(WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, 1); }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual void OnOK();
    virtual void OnCancel();

    int RunModalLoop();

    LPCSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;
    int m_nModalResult;
    BOOL m_bContinueModal;

    DECLARE_MESSAGE_MAP()
};
