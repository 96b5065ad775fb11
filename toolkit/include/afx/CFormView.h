// A scroll view whose contents are a dialog template's controls.
#pragma once
#include "afx/CScrollView.h"

class AFXKIT_API CFormView : public CScrollView
{
    DECLARE_DYNAMIC(CFormView)
public:
    // On failure the view is gone: it deletes itself, as it does with its window.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = NULL) override;
    void OnInitialUpdate() override;
    // Tab, arrow and mnemonic keys move between the form's controls as in a dialog, once
    // the form's parents have had the key (their accelerators come first).
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCSTR lpszTemplateName);

    void OnDraw(CDC* pDC) override;

    LPCSTR m_lpszTemplateName;
};
