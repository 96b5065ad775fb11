#include "CEnzymeDlg.h"


IMPLEMENT_DYNCREATE(CEnzymeDlg, CDialog)

CEnzymeDlg::CEnzymeDlg(CWnd* pParent, CCleavageEditor* pEditor, BOOL bEdit)
    : CDialog(IDD, pParent),
      m_strRecognitionProbability("100"),
      m_strExceptionProbability("100"),
      m_bEdit(bEdit),
      m_pEditor(pEditor),
      m_pRecognitionTable(NULL),
      m_pExceptionTable(NULL)
{
}

void CEnzymeDlg::SerializeReagent(CPkArchive& ar)
{
    ar(m_strName)(m_strRecognitionProbability)(m_strExceptionProbability);
    SerializePatternSet(ar, m_recognition, m_pRecognitionTable);
    SerializePatternSet(ar, m_exception, m_pExceptionTable);
}

void PASCAL CEnzymeDlg::SerializeObject(CObject* pObject, CPkArchive& ar)
{
    static_cast<CEnzymeDlg*>(pObject)->SerializeReagent(ar);
}

void CEnzymeDlg::CopyReagent(const IReagentRecord& record)
{
    // Every record is a reagent dialog; the interface only keeps the library's loops
    // free of dialog code.
    const CEnzymeDlg& other = dynamic_cast<const CEnzymeDlg&>(record);
    m_strName = other.m_strName;
    m_strRecognitionProbability = other.m_strRecognitionProbability;
    m_strExceptionProbability = other.m_strExceptionProbability;
    m_recognition.Copy(other.m_recognition);
    m_exception.Copy(other.m_exception);
}

void CEnzymeDlg::EmptyPatternLists()
{
    m_recognition.m_lstCells.RemoveAll();
    m_exception.m_lstCells.RemoveAll();
}

// While an edit dialog is open, the library's other records pass through it and are
// written back from the fields; the edited reagent itself is written by the saving code.
void CEnzymeDlg::SerializePatternSet(CPkArchive& ar, CPatternSet& set, IPatternTable* pTable)
{
    // An open dialog always has its tables attached.
    ASSERT(ar.IsLoading() || GetSafeHwnd() == NULL || m_bEdit || pTable != NULL);
    if (ar.IsLoading() || GetSafeHwnd() == NULL || m_bEdit || pTable == NULL)
    {
        set.Serialize(ar);
        return;
    }

    CPatternSet shown;
    shown.ReadTable(*pTable);
    // The dialog keeps the begin it wrote; its count field stays as it was.
    set.m_nBegin = shown.m_nBegin;
    shown.Serialize(ar);
}
