// An edit control that checks its text when it loses the focus and shows the first
// failing validator's message beside itself.
#pragma once
#include "CValidationItem.h"
#include <memory>
#include <vector>

class CTipPopupWnd;

class TESSARODB_API CValidatedEditEx : public CEdit
{
    DECLARE_DYNAMIC(CValidatedEditEx)
public:
    CValidatedEditEx();
    ~CValidatedEditEx() override;

    void AddValidator(const CValidationItem& item);  // appended; the caller's copy may go
    // Runs the validators in order and returns the first message, or empty.
    CString Validate() const;
    // The message beside the field now, or empty when none is shown.
    CString GetShownMessage() const;

protected:
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnEditKillFocus();

    DECLARE_MESSAGE_MAP()

private:
    std::vector<CValidationItem> m_validators;
    std::unique_ptr<CTipPopupWnd> m_pMessagePopup;  // made when the first message is shown
};
