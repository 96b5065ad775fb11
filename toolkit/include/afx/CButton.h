// A push button, check box or radio button.
#pragma once
#include "afx/CWnd.h"

class AFXKIT_API CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)
public:
    CButton() = default;

};
