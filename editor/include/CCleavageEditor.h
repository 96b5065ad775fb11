// The settings form of one cleavage analysis: the molecule and range, the result options,
// and the list of reagents from the library, from which the user picks one.
#pragma once
#include "resource.h"

#include <TessaroDB.h>
#include <afxext.h>
#include <CAnalysisSettingsHelper.h>
#include <CTopicsContainer.h>
#include <CValidatedEditEx.h>

class CCleavageData;
class CEnzymeDlg;

class CCleavageEditor : public CFormView
{
    DECLARE_DYNCREATE(CCleavageEditor)
public:
    CCleavageEditor();
    ~CCleavageEditor() override;
    enum { IDD = IDD_CLEAVAGE_EDITOR };

    // Creates the form's window and runs its initial update at once: the host never
    // sends one. On failure the editor object is gone, as with its window.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = NULL) override;
    void OnInitialUpdate() override;

    // Appends every reagent of the library to the list, shows the total and selects the
    // first; FALSE when the library could not be opened (a missing one silently).
    BOOL LoadReagentList();
    void SetReadOnly(BOOL bReadOnly);
    // Puts a molecule range into From and To, unless the form is locked or the range is
    // for another molecule or kind.
    void SetRange(LPCSTR lpszMolName, int nKind, int nFirst, int nLast);
    // Edit and Remove are enabled while the list has a selection.
    afx_msg void OnReagentSelChange();

    CValidatedEditEx m_editTo;
    CValidatedEditEx m_editFrom;
    CValidatedEditEx m_editProbability;
    CValidatedEditEx m_editFragments;
    CListBox m_listReagents;
    int m_nResultMode;             // 0: fragments above the probability threshold; 1: the best N
    BOOL m_bRangeOnly;
    CString m_strTotal;
    int m_nSortOrder;              // 0 probability, 1 fragment weight, 2 position on the molecule
    int m_nMolLength;              // residues of the molecule shown
    CString m_strMolName;
    CStringList m_lstReagentNames;  // every name of the library in file order, duplicates included
    CAnalysisContext* m_pContext;  // lent by the host for one data exchange only
    BOOL m_bReadOnly;
    CTopicsContainer m_topics;
    CAnalysisSettingsHelper m_settingsHelper;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnNewReagent();
    afx_msg void OnRemoveReagent();
    afx_msg void OnEditReagent();
    afx_msg int OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex);
    afx_msg void OnAboveProbability();
    afx_msg void OnBestFragments();
    afx_msg void OnNameSetFocus();
    afx_msg void OnRangeOnly();
    afx_msg void OnUseDefaults();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    void AttachValidators();
    void ShowInitialDefaults();
    // The record of the context, when the host lent one with a header and a cleavage record.
    CCleavageData* GetContextRecord() const;
    void SaveToRecord(CCleavageData& record);
    void LoadFromRecord(const CCleavageData& record);
    void SelectReagent(const CString& strName);
    CString GetSelectedReagent() const;
    void EnableResultFields();
    void EnableRangeFields();
    void EnableControl(int nID, BOOL bEnable);
    void FollowScrolledControls();
};
