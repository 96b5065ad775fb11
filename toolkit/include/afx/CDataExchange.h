// Moving values between a dialog's controls and its members (DoDataExchange).
#pragma once
#include "afx/CWnd.h"

class AFXKIT_API CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control's window; a missing control is a programming error (an ASSERT), and
    // ends the exchange.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Refuses the exchange after the user was told why: the focus goes back to the last
    // control prepared, and CUserException ends the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
};

// Subclasses the control into rControl on the first exchange only.
AFXKIT_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
AFXKIT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
AFXKIT_API void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first button of a group (WS_GROUP); value is the index of the checked
// button, -1 for none.
AFXKIT_API void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
