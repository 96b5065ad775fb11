// The workbench's pane of observed masses, beside the panel for mass spectrometry: the
// values the user pastes or types (a mass list's lines), what they are, which mass of a
// fragment they are compared with and the tolerance; below them, how the last run
// matched them. A run writes the values to a file of its own and gives the engine its
// keys; an empty pane gives none, and the run matches nothing.
#pragma once
#include "EngineKeys.h"
#include <afxwin.h>

class CMassesPane : public CWnd
{
public:
    enum
    {
        IDC_MASSES = 450,
        IDC_OBSERVED,
        IDC_MASS_TYPE,
        IDC_TOLERANCE,
        IDC_MATCH_SUMMARY,
    };

    // A child of pParentWnd with its controls: no values, [M+H]+, mono, 20 ppm.
    BOOL Create(CWnd* pParentWnd, UINT nID);

    // Locked, no field takes input; the values stay.
    void SetReadOnly(BOOL bReadOnly);
    // The pane's values as a mass list's text, lines ending in CR LF; empty when the user
    // gave none.
    CString GetMassesText() const;
    // Fills the values from the text of a mass list (LF or CR LF line ends).
    void SetMassesText(const CString& strText);

    // No values: no keys, TRUE. Otherwise writes the values to lpszMassFile and checks
    // them with the engine's own reader; TRUE with the engine's keys for matching them.
    // FALSE with a message naming the pane's line or field ("Masses, line 3: ...") and
    // the focus on that field.
    BOOL GetEngineKeys(LPCSTR lpszMassFile, CEngineKeys& keys, CString& strError);
    // How the last run matched the values: its summary and the values without a
    // candidate; empty text for no run.
    void ShowMatchSummary(const CString& strSummary);

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    // Makes a label and its control; NULL when a window cannot be made.
    HWND AddControl(LPCSTR lpszLabel, LPCSTR lpszClass, DWORD dwStyle, UINT nID);
    // The text of the pane's field nID.
    CString FieldText(UINT nID) const;
};
