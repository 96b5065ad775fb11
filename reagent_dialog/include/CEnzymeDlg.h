// The reagent dialog, in which the user names a reagent, gives its efficiencies and
// composes its recognition and exception patterns in two position grids. Made without a
// window it is the plain reagent record that every reader and writer of the library uses.
#pragma once
#include "CPatternListCtrl.h"

#include <CHeaderWnd.h>
#include <CPatternSet.h>
#include <IReagentRecord.h>
#include <afxwin.h>
#include <resource.h>

class CCleavageEditor;

class CEnzymeDlg : public CDialog, public IReagentRecord
{
    DECLARE_DYNCREATE(CEnzymeDlg)
public:
    CEnzymeDlg(CWnd* pParent = NULL, CCleavageEditor* pEditor = NULL, BOOL bEdit = FALSE);
    enum { IDD = IDD_ENZYME_DIALOG };

    // The record's one serialiser, for both directions: name, the two efficiencies, then
    // count, begin and cells of each side. Writing takes a side from the dialog's pattern
    // table while the dialog is open, otherwise from the fields.
    void SerializeReagent(CPkArchive& ar) override;
    // SerializeReagent as the host's archive registration calls it.
    static void PASCAL SerializeObject(CObject* pObject, CPkArchive& ar);

    void CopyReagent(const IReagentRecord& other) override;
    void EmptyPatternLists() override;
    const CString& GetReagentName() const override { return m_strName; }

    // Checks the name and the two efficiencies before the reagent is written; on FALSE the
    // user was told why and the focus is on the field at fault.
    BOOL ValidateReagent(const CString& strOldName);
    // Rebuilds the library with the dialog's reagent in place of the record(s) named
    // strOldName, writes it back and closes it, and refills the editor's list.
    void RewriteLibrary(const CString& strOldName);

    CString m_strName;
    CString m_strRecognitionProbability;  // percent, as decimal text
    CString m_strExceptionProbability;    // percent, as decimal text
    CPatternSet m_recognition;
    CPatternSet m_exception;

    CFile m_file;                 // the library, held open from OnInitDialog to OK or Cancel in edit mode
    BOOL m_bEdit;                 // editing an existing reagent rather than adding one
    CCleavageEditor* m_pEditor;   // the settings editor that opened the dialog, or NULL
    CString m_strOldName;         // the edited reagent's name as read from the library
    CHeaderWnd m_wndRecognitionGrid;
    CHeaderWnd m_wndExceptionGrid;
    int m_nRecognitionFirst;      // positions of the first and last column of each table
    int m_nRecognitionLast;
    int m_nExceptionFirst;
    int m_nExceptionLast;
    CButton m_btnExceptionRight;
    CButton m_btnExceptionLeft;
    CButton m_btnRecognitionRight;
    CButton m_btnRecognitionLeft;
    CPatternListCtrl m_ctlExceptionList;
    CPatternListCtrl m_ctlRecognitionList;
    // Where SerializeReagent takes the shown patterns from: the two lists while the
    // window exists (tests give tables of their own).
    IPatternTable* m_pRecognitionTable;
    IPatternTable* m_pExceptionTable;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg void OnAddRecognition();
    afx_msg void OnAddException();
    afx_msg void OnDeleteRecognition();
    afx_msg void OnDeleteException();
    afx_msg void OnKeyDownRecognitionList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnKeyDownExceptionList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAddRecognitionLeft();
    afx_msg void OnAddRecognitionRight();
    afx_msg void OnAddExceptionLeft();
    afx_msg void OnAddExceptionRight();
    afx_msg void OnItemChangedRecognitionList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemChangedExceptionList(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    // One side of the dialog: its grid, its table and the positions of the table's ends.
    struct Side
    {
        CHeaderWnd& grid;
        CPatternListCtrl& table;
        int& nFirst;
        int& nLast;
    };
    Side RecognitionSide() { return {m_wndRecognitionGrid, m_ctlRecognitionList, m_nRecognitionFirst, m_nRecognitionLast}; }
    Side ExceptionSide() { return {m_wndExceptionGrid, m_ctlExceptionList, m_nExceptionFirst, m_nExceptionLast}; }

    void CreateGrid(Side side, CButton& btnLeft, CButton& btnRight);
    void ShowPatternSet(Side side, const CPatternSet& set);
    void AddPattern(Side side);
    void DeletePattern(Side side, BOOL bTellWhenNothingSelected);
    void LoadPatternIntoGrid(Side side, int nRow);
    void AddPositionLeft(Side side);
    void AddPositionRight(Side side);
    void AddPositionFromCode(CHeaderWnd& grid, int nAddSide, int nDragX);
    BOOL ReadReagentToEdit();
    // Fails a check: tells the user, puts the focus on the field, answers FALSE.
    BOOL FailCheck(LPCSTR lpszMessage, int nIDField);
    BOOL CheckEfficiency(CString& strValue, int nIDField, int nMin, int nMax, LPCSTR lpszCorrectMessage,
                         LPCSTR lpszRangeMessage);
    void RefreshEditorNames(CFile& file);
    BOOL AddNewReagentToLibrary();
    void SerializePatternSet(CPkArchive& ar, CPatternSet& set, IPatternTable* pTable);
};
