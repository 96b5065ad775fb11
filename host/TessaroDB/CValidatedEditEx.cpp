#include "CValidatedEditEx.h"
#include "CTipPopupWnd.h"

IMPLEMENT_DYNAMIC(CValidatedEditEx, CEdit)

// Both are defined here, where the popup's class is complete.
CValidatedEditEx::CValidatedEditEx() = default;

CValidatedEditEx::~CValidatedEditEx() = default;

BEGIN_MESSAGE_MAP(CValidatedEditEx, CEdit)
    ON_WM_SETFOCUS()
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnEditKillFocus)
END_MESSAGE_MAP()

void CValidatedEditEx::AddValidator(const CValidationItem& item)
{
    m_validators.push_back(item);
}

CString CValidatedEditEx::Validate() const
{
    for (const CValidationItem& item : m_validators)
    {
        CString strMessage = item.Validate();
        if (!strMessage.IsEmpty())
            return strMessage;
    }
    return CString();
}

CString CValidatedEditEx::GetShownMessage() const
{
    if (m_pMessagePopup == NULL || !m_pMessagePopup->IsShown())
        return CString();
    return m_pMessagePopup->GetText();
}

void CValidatedEditEx::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    // Back in the field, the user is correcting it: the message has done its work.
    if (m_pMessagePopup != NULL)
        m_pMessagePopup->Dismiss();
}

void CValidatedEditEx::OnEditKillFocus()
{
    // A field that loses the focus because it is being hidden or destroyed has nobody to
    // tell; the text it keeps is checked again when it next loses the focus.
    const CString strMessage = IsWindowVisible() ? Validate() : CString();
    if (strMessage.IsEmpty())
    {
        if (m_pMessagePopup != NULL)
            m_pMessagePopup->Dismiss();
        return;
    }
    if (m_pMessagePopup == NULL)
        m_pMessagePopup = std::make_unique<CTipPopupWnd>(CTipPopupWnd::kindMessage);
    m_pMessagePopup->ShowFor(this, CString(), strMessage);
}
