// The reagent dialog. Made without a window it is the plain reagent record that every
// reader and writer of the reagent library uses.
#pragma once
#include <CPatternSet.h>
#include <IReagentRecord.h>
#include <afxwin.h>

class CCleavageEditor;
class IPatternTable;

class CEnzymeDlg : public CDialog, public IReagentRecord
{
    DECLARE_DYNCREATE(CEnzymeDlg)
public:
    CEnzymeDlg(CWnd* pParent = NULL, CCleavageEditor* pEditor = NULL, BOOL bEdit = FALSE);
    enum { IDD = 8001 };

    // The record's one serialiser, for both directions: name, the two efficiencies, then
    // count, begin and cells of each side. Writing takes a side from the dialog's pattern
    // table only while the dialog is open for a new reagent; otherwise from the fields.
    void SerializeReagent(CPkArchive& ar) override;
    // SerializeReagent as the host's archive registration calls it.
    static void PASCAL SerializeObject(CObject* pObject, CPkArchive& ar);

    void CopyReagent(const IReagentRecord& other) override;
    void EmptyPatternLists() override;
    const CString& GetReagentName() const override { return m_strName; }

    CString m_strName;
    CString m_strRecognitionProbability;  // percent, as decimal text
    CString m_strExceptionProbability;    // percent, as decimal text
    CPatternSet m_recognition;
    CPatternSet m_exception;

    BOOL m_bEdit;                 // editing an existing reagent rather than adding one
    CCleavageEditor* m_pEditor;   // the settings editor that opened the dialog, or NULL
    // The dialog's pattern tables (its list views); set while the window exists.
    IPatternTable* m_pRecognitionTable;
    IPatternTable* m_pExceptionTable;

private:
    void SerializePatternSet(CPkArchive& ar, CPatternSet& set, IPatternTable* pTable);
};
