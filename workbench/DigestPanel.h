// The workbench's panel for mass spectrometry, beside the analysis's settings form: a
// semi-specific digest, more reagents at once, fixed and variable modifications, charges,
// a mass window and unspecific background cleavage. Its choices go to the engine as keys
// of its own; the form and the analysis's settings record never see them.
#pragma once
#include "EngineKeys.h"
#include <afxwin.h>

class CDigestPanel : public CWnd
{
public:
    enum
    {
        IDC_SPECIFICITY = 400,
        IDC_ALSO_REAGENTS,
        IDC_FIXED_MODS,
        IDC_VARIABLE_MODS,
        IDC_MAX_VARIABLE_MODS,
        IDC_CHARGES,
        IDC_MIN_MASS,
        IDC_MAX_MASS,
        IDC_BACKGROUND,
    };

    // A child of pParentWnd with its controls, nothing chosen: a full digest with the
    // form's reagent alone.
    BOOL Create(CWnd* pParentWnd, UINT nID);
    // The size its controls need.
    static CSize GetIdealSize();

    // Locked, no field takes input; the choices stay.
    void SetReadOnly(BOOL bReadOnly);
    // A panel lower than its ideal size scrolls; this scrolls a control of it and its
    // label into view.
    void ScrollIntoView(HWND hControl);

    // The choices as the engine's keys. FALSE with a message that names the field and
    // the text typed, and the focus on that field.
    BOOL GetEngineKeys(CEngineKeys& keys, CString& strError);
    // Shows the engine's keys of a settings file (a field whose key the file does not
    // hold as empty). FALSE with a message naming the file and the key, and the panel as
    // it was, when the engine would refuse a value.
    BOOL ShowEngineKeys(LPCSTR lpszPath, CString& strError);

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

private:
    // Scrolls the controls so that nY of the ideal layout is at the top.
    void ScrollTo(int nY);

    // Makes a control with its label above it at nTop, and moves nTop below it; NULL
    // when a window cannot be made.
    HWND AddControl(LPCSTR lpszLabel, LPCSTR lpszClass, DWORD dwStyle, int nHeight, UINT nID, int& nTop);

    int m_nScrollY = 0;  // pixels of the layout scrolled off above
};
