#include "CEnzymeDlg.h"

#include <CCleavageEditor.h>
#include <CReagentLibrary.h>
#include <PatternEditing.h>
#include <shlwapi.h>

IMPLEMENT_DYNCREATE(CEnzymeDlg, CDialog)

namespace
{
const char kEditCaption[] = "Edit reagent";
const char kEmptyPattern[] = "Empty pattern. No pattern is added";
const char kNothingToDelete[] = "No item is chosen for deletion";
const char kDeletePattern[] = "Delete the item from the set of the pattern?";
const char kNotMostLeft[] = "The header must be at the most left position";
const char kNotMostRight[] = "The header must be at the most right position";
const char kEnterName[] = "Please enter a name for the enzyme";
const char kNameTaken[] = "This name already exists for an enzyme. Please enter a different name.";
const char kEnterRecognition[] = "Please enter a value for the recognition probability";
const char kEnterException[] = "Please enter a value for the exception probability";
const char kCorrectRecognition[] = "Please enter a correct value for the recognition probability";
const char kCorrectException[] = "Please enter a correct value for the exception probability";
const char kRangeRecognition[] = "Please enter a value between 50 and 100 for the recognition probability";
const char kRangeException[] = "Please enter a value between 0 and 100 for the exception probability";

const int kGridTopPx = 55;          // the grids' rectangles start here, in client pixels
const int kPlusButtonWidthPx = 20;  // "+P" and "+P'" beside a grid's header row
const int kAddDragInsetPx = 11;     // where an add from code releases, from the header's end
const int kMinRecognition = 50;
const int kMaxEfficiency = 100;
const int kMinException = 0;

BOOL NameIsListed(const CStringList& names, const CString& strName)
{
    for (POSITION pos = names.GetHeadPosition(); pos != NULL;)
    {
        if (names.GetNext(pos) == strName)
            return TRUE;
    }
    return FALSE;
}
}

CEnzymeDlg::CEnzymeDlg(CWnd* pParent, CCleavageEditor* pEditor, BOOL bEdit)
    : CDialog(IDD, pParent),
      m_strRecognitionProbability("100"),
      m_strExceptionProbability("100"),
      m_bEdit(bEdit),
      m_pEditor(pEditor),
      m_nRecognitionFirst(0),
      m_nRecognitionLast(1),
      m_nExceptionFirst(0),
      m_nExceptionLast(1),
      m_pRecognitionTable(NULL),
      m_pExceptionTable(NULL)
{
}

void CEnzymeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    // The tables show the stored sets of an edited reagent; the first exchange, inside the
    // dialog's initialisation, comes before the lists are attached.
    if (!pDX->m_bSaveAndValidate && m_bEdit)
    {
        if (m_ctlRecognitionList.m_hWnd != NULL)
            ShowPatternSet(RecognitionSide(), m_recognition);
        if (m_ctlExceptionList.m_hWnd != NULL)
            ShowPatternSet(ExceptionSide(), m_exception);
    }
    DDX_Control(pDX, IDC_EXCEPTION_RIGHT, m_btnExceptionRight);
    DDX_Control(pDX, IDC_EXCEPTION_LEFT, m_btnExceptionLeft);
    DDX_Control(pDX, IDC_RECOGNITION_RIGHT, m_btnRecognitionRight);
    DDX_Control(pDX, IDC_RECOGNITION_LEFT, m_btnRecognitionLeft);
    DDX_Control(pDX, IDC_EXCEPTION_LIST, m_ctlExceptionList);
    DDX_Control(pDX, IDC_RECOGNITION_LIST, m_ctlRecognitionList);
    DDX_Text(pDX, IDC_REAGENT_NAME, m_strName);
    DDX_Text(pDX, IDC_RECOGNITION_EFFICIENCY, m_strRecognitionProbability);
    DDX_Text(pDX, IDC_EXCEPTION_EFFICIENCY, m_strExceptionProbability);
}

BEGIN_MESSAGE_MAP(CEnzymeDlg, CDialog)
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_ADD_RECOGNITION, OnAddRecognition)
    ON_BN_CLICKED(IDOK, OnOK)
    ON_BN_CLICKED(IDC_ADD_EXCEPTION, OnAddException)
    ON_BN_CLICKED(IDC_DELETE_RECOGNITION, OnDeleteRecognition)
    ON_BN_CLICKED(IDC_DELETE_EXCEPTION, OnDeleteException)
    ON_NOTIFY(LVN_KEYDOWN, IDC_RECOGNITION_LIST, OnKeyDownRecognitionList)
    ON_NOTIFY(LVN_KEYDOWN, IDC_EXCEPTION_LIST, OnKeyDownExceptionList)
    ON_BN_CLICKED(IDC_RECOGNITION_LEFT, OnAddRecognitionLeft)
    ON_BN_CLICKED(IDC_RECOGNITION_RIGHT, OnAddRecognitionRight)
    ON_BN_CLICKED(IDC_EXCEPTION_LEFT, OnAddExceptionLeft)
    ON_BN_CLICKED(IDC_EXCEPTION_RIGHT, OnAddExceptionRight)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_RECOGNITION_LIST, OnItemChangedRecognitionList)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_EXCEPTION_LIST, OnItemChangedExceptionList)
END_MESSAGE_MAP()

BOOL CEnzymeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pRecognitionTable = &m_ctlRecognitionList;
    m_pExceptionTable = &m_ctlExceptionList;
    CreateGrid(RecognitionSide(), m_btnRecognitionLeft, m_btnRecognitionRight);
    CreateGrid(ExceptionSide(), m_btnExceptionLeft, m_btnExceptionRight);
    for (CPatternListCtrl* pList : {&m_ctlRecognitionList, &m_ctlExceptionList})
        pList->SetExtendedStyle(pList->GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    // The user never types the exception efficiency; it keeps its stored value.
    CWnd* pExceptionEfficiency = GetDlgItem(IDC_EXCEPTION_EFFICIENCY);
    ASSERT(pExceptionEfficiency != NULL);
    if (pExceptionEfficiency != NULL)
        pExceptionEfficiency->EnableWindow(FALSE);

    if (!m_bEdit)
    {
        AddDefaultColumns(m_ctlRecognitionList, m_nRecognitionFirst, m_nRecognitionLast);
        AddDefaultColumns(m_ctlExceptionList, m_nExceptionFirst, m_nExceptionLast);
        return TRUE;
    }
    if (!ReadReagentToEdit())
    {
        AfxMessageBox(kCannotOpenLibrary, MB_OK);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    SetWindowText(kEditCaption);
    return TRUE;
}

void CEnzymeDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A click on the dialog's own surface ends editing in a grid, keeping the text.
    if (::IsWindow(m_wndRecognitionGrid.m_header.m_edit.m_hWnd))
        m_wndRecognitionGrid.m_header.m_edit.SendMessage(WM_KILLFOCUS);
    else if (::IsWindow(m_wndExceptionGrid.m_header.m_edit.m_hWnd))
        m_wndExceptionGrid.m_header.m_edit.SendMessage(WM_KILLFOCUS);
    CDialog::OnLButtonDown(nFlags, point);
}

void CEnzymeDlg::OnPaint()
{
    CDialog::OnPaint();
    // The grid that had the focus gets it back through the dialog manager, so that the
    // dialog's own focus handling knows where it is; only one grid can have it.
    CClvHeader& recognition = m_wndRecognitionGrid.m_header;
    CClvHeader& exception = m_wndExceptionGrid.m_header;
    if (recognition.m_bFocus && exception.m_bFocus)
        exception.m_bFocus = FALSE;
    if (recognition.m_bFocus)
        GotoDlgCtrl(&m_wndRecognitionGrid);
    else if (exception.m_bFocus)
        GotoDlgCtrl(&m_wndExceptionGrid);
    recognition.InvalidateRect(NULL, FALSE);
    exception.InvalidateRect(NULL, FALSE);
}

void CEnzymeDlg::OnAddRecognition()
{
    AddPattern(RecognitionSide());
}

void CEnzymeDlg::OnOK()
{
    if (m_bEdit)
    {
        if (!ValidateReagent(m_strOldName))
            return;
        try
        {
            RewriteLibrary(m_strOldName);
        }
        catch (CException* pException)
        {
            // The library was put back as it was; the dialog stays open for another try.
            pException->ReportError(MB_OK);
            pException->Delete();
            return;
        }
    }
    else if (!AddNewReagentToLibrary())
    {
        return;
    }
    CDialog::OnOK();
}

void CEnzymeDlg::OnAddException()
{
    AddPattern(ExceptionSide());
}

void CEnzymeDlg::OnDeleteRecognition()
{
    DeletePattern(RecognitionSide(), TRUE);
}

void CEnzymeDlg::OnDeleteException()
{
    DeletePattern(ExceptionSide(), TRUE);
}

void CEnzymeDlg::OnKeyDownRecognitionList(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (((const NMLVKEYDOWN*)pNMHDR)->wVKey == VK_DELETE)
        DeletePattern(RecognitionSide(), FALSE);
    *pResult = 0;
}

void CEnzymeDlg::OnKeyDownExceptionList(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (((const NMLVKEYDOWN*)pNMHDR)->wVKey == VK_DELETE)
        DeletePattern(ExceptionSide(), FALSE);
    *pResult = 0;
}

void CEnzymeDlg::OnAddRecognitionLeft()
{
    AddPositionLeft(RecognitionSide());
}

void CEnzymeDlg::OnAddRecognitionRight()
{
    AddPositionRight(RecognitionSide());
}

void CEnzymeDlg::OnAddExceptionLeft()
{
    AddPositionLeft(ExceptionSide());
}

void CEnzymeDlg::OnAddExceptionRight()
{
    AddPositionRight(ExceptionSide());
}

void CEnzymeDlg::OnItemChangedRecognitionList(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLISTVIEW* pChange = (const NMLISTVIEW*)pNMHDR;
    if (pChange->uNewState & LVIS_SELECTED)
        LoadPatternIntoGrid(RecognitionSide(), pChange->iItem);
    *pResult = 0;
}

void CEnzymeDlg::OnItemChangedExceptionList(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLISTVIEW* pChange = (const NMLISTVIEW*)pNMHDR;
    if (pChange->uNewState & LVIS_SELECTED)
        LoadPatternIntoGrid(ExceptionSide(), pChange->iItem);
    *pResult = 0;
}

void CEnzymeDlg::OnCancel()
{
    if (m_bEdit && m_file.m_hFile != CFile::hFileNull)
        m_file.Close();
    CDialog::OnCancel();
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

BOOL CEnzymeDlg::ValidateReagent(const CString& strOldName)
{
    UpdateData(TRUE);
    if (m_strName.IsEmpty())
        return FailCheck(kEnterName, IDC_REAGENT_NAME);

    ASSERT(m_pEditor != NULL);
    CStringList lstNoEditor;
    CStringList& names = m_pEditor != NULL ? m_pEditor->m_lstReagentNames : lstNoEditor;
    if (m_bEdit)
        RefreshEditorNames(m_file);
    if (NameIsListed(names, m_strName) && (!m_bEdit || m_strName != strOldName))
    {
        FailCheck(kNameTaken, IDC_REAGENT_NAME);
        // An edited reagent keeps its old name rather than taking another's.
        if (m_bEdit)
        {
            m_strName = strOldName;
            SetDlgItemText(IDC_REAGENT_NAME, m_strName);
        }
        return FALSE;
    }

    if (m_strRecognitionProbability.IsEmpty())
        return FailCheck(kEnterRecognition, IDC_RECOGNITION_EFFICIENCY);
    if (m_strExceptionProbability.IsEmpty())
        return FailCheck(kEnterException, IDC_EXCEPTION_EFFICIENCY);
    return CheckEfficiency(m_strRecognitionProbability, IDC_RECOGNITION_EFFICIENCY, kMinRecognition, kMaxEfficiency,
                           kCorrectRecognition, kRangeRecognition) &&
           CheckEfficiency(m_strExceptionProbability, IDC_EXCEPTION_EFFICIENCY, kMinException, kMaxEfficiency,
                           kCorrectException, kRangeException);
}

void CEnzymeDlg::RewriteLibrary(const CString& strOldName)
{
    CEnzymeDlg holder;
    CMemFile image(CReagentLibrary::kImageGrowBytes);
    BOOL bReplaced = FALSE;
    CReagentLibrary::BuildImage(
        m_file, holder, image,
        [&](IReagentRecord& record, CPkArchive& arImage) {
            if (record.GetReagentName() != strOldName)
            {
                record.SerializeReagent(arImage);
                return;
            }
            UpdateData(TRUE);
            SerializeReagent(arImage);
            bReplaced = TRUE;
        },
        TRUE);
    // A reagent that was not found when the dialog opened is not lost: it goes at the end.
    if (!bReplaced)
    {
        UpdateData(TRUE);
        image.SeekToEnd();
        CPkArchive arImage(&image, CPkArchive::store);
        SerializeReagent(arImage);
    }
    CReagentLibrary::WriteImage(m_file, image);
    m_file.Close();
    if (m_pEditor != NULL)
    {
        m_pEditor->m_listReagents.ResetContent();
        m_pEditor->LoadReagentList();
    }
}

void CEnzymeDlg::CreateGrid(Side side, CButton& btnLeft, CButton& btnRight)
{
    CRect rcList;
    side.table.GetWindowRect(&rcList);
    ScreenToClient(&rcList);
    VERIFY(side.grid.Create(CRect(rcList.left, kGridTopPx, rcList.right, kGridTopPx), this, IDC_CLV_GRID));
    // The buttons sit beside the grid's header row.
    const int nHeaderHeight = side.grid.m_header.m_size.cy;
    CRect rcGrid;
    side.grid.GetWindowRect(&rcGrid);
    ScreenToClient(&rcGrid);
    btnRight.MoveWindow(rcGrid.right, kGridTopPx + nHeaderHeight, kPlusButtonWidthPx, nHeaderHeight);
    btnLeft.MoveWindow(rcGrid.left - kPlusButtonWidthPx, kGridTopPx + nHeaderHeight, kPlusButtonWidthPx,
                       nHeaderHeight);
}

// The stored set in an emptied table; its ends are the stored begin and count, as the
// library holds them, also for the two default columns of a short set.
void CEnzymeDlg::ShowPatternSet(Side side, const CPatternSet& set)
{
    side.table.DeleteAllItems();
    while (side.table.GetColumnCount() > 0)
        side.table.DeleteColumn(0);
    set.FillTable(side.table, side.nFirst, side.nLast);
    side.nFirst = set.m_nBegin;
    side.nLast = (int)((UINT)set.m_nBegin + (UINT)set.m_nCount - 1u);
}

void CEnzymeDlg::AddPattern(Side side)
{
    if (!AddGridPatternToTable(side.grid.m_header, side.table, side.nFirst, side.nLast))
        AfxMessageBox(kEmptyPattern, MB_OK);
}

void CEnzymeDlg::DeletePattern(Side side, BOOL bTellWhenNothingSelected)
{
    const int nRow = side.table.GetSelectedRow();
    if (nRow < 0)
    {
        if (bTellWhenNothingSelected)
            AfxMessageBox(kNothingToDelete, MB_OK);
        return;
    }
    if (AfxMessageBox(kDeletePattern, MB_OKCANCEL) == IDCANCEL)
        return;
    side.table.DeleteItem(nRow);
}

void CEnzymeDlg::LoadPatternIntoGrid(Side side, int nRow)
{
    CClvHeader& header = side.grid.m_header;
    LoadTableRowIntoGrid(side.table, nRow, side.nFirst, header);
    header.UpdateScrollBar();
    header.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    side.grid.Invalidate();
}

void CEnzymeDlg::AddPositionLeft(Side side)
{
    if (side.grid.m_header.m_nFirstVisible != 0)
    {
        AfxMessageBox(kNotMostLeft, MB_OK);
        return;
    }
    AddPositionFromCode(side.grid, CClvHeader::addLeft, kAddDragInsetPx);
}

void CEnzymeDlg::AddPositionRight(Side side)
{
    // Only while the last column ends flush with the header's right edge.
    const CClvHeader& header = side.grid.m_header;
    const int nLastEdge = header.GetEdge(header.GetColumnCount() - 1);
    const int nWidth = header.m_size.cx;
    if (nLastEdge - header.GetScrollOffset() != nWidth)
    {
        AfxMessageBox(kNotMostRight, MB_OK);
        return;
    }
    AddPositionFromCode(side.grid, CClvHeader::addRight, nWidth - kAddDragInsetPx);
}

void CEnzymeDlg::AddPositionFromCode(CHeaderWnd& grid, int nAddSide, int nDragX)
{
    CClvHeader& header = grid.m_header;
    header.m_bAdding = TRUE;
    header.m_nAddSide = nAddSide;
    header.m_nDragX = nDragX;
    header.OnLButtonUp(0, CPoint(0, 0));
    header.m_bAdding = FALSE;
    header.m_nAddSide = CClvHeader::addNone;
    header.m_nDragX = 0;
}

BOOL CEnzymeDlg::ReadReagentToEdit()
{
    ASSERT(m_pEditor != NULL);
    if (m_pEditor != NULL)
    {
        const int nSelected = m_pEditor->m_listReagents.GetCurSel();
        if (nSelected != LB_ERR)
            m_pEditor->m_listReagents.GetText(nSelected, m_strOldName);
    }
    if (!CReagentLibrary::Open(m_file, CFile::modeReadWrite))
        return FALSE;
    CEnzymeDlg record;
    CReagentLibrary::ReadRecords(m_file, record, [&](IReagentRecord& candidate) {
        if (candidate.GetReagentName() != m_strOldName)
            return TRUE;
        CopyReagent(candidate);
        UpdateData(FALSE);
        return FALSE;
    });
    return TRUE;
}

BOOL CEnzymeDlg::FailCheck(LPCSTR lpszMessage, int nIDField)
{
    AfxMessageBox(lpszMessage, MB_OK);
    CWnd* pField = GetDlgItem(nIDField);
    ASSERT(pField != NULL);
    if (pField != NULL)
        GotoDlgCtrl(pField);
    return FALSE;
}

// Converts as the platform does with no flags, and writes the value back in its canonical
// decimal form, also when it is out of range.
BOOL CEnzymeDlg::CheckEfficiency(CString& strValue, int nIDField, int nMin, int nMax, LPCSTR lpszCorrectMessage,
                                 LPCSTR lpszRangeMessage)
{
    int nValue = 0;
    if (!StrToIntExA(strValue, STIF_DEFAULT, &nValue))
        return FailCheck(lpszCorrectMessage, nIDField);
    strValue.Format("%d", nValue);
    SetDlgItemText(nIDField, strValue);
    if (nValue < nMin || nValue > nMax)
        return FailCheck(lpszRangeMessage, nIDField);
    return TRUE;
}

void CEnzymeDlg::RefreshEditorNames(CFile& file)
{
    ASSERT(m_pEditor != NULL);
    if (m_pEditor == NULL)
        return;
    CStringList& names = m_pEditor->m_lstReagentNames;
    names.RemoveAll();
    CEnzymeDlg holder;
    CReagentLibrary::ReadRecords(file, holder, [&](IReagentRecord& record) {
        names.AddTail(record.GetReagentName());
        return TRUE;
    });
}

BOOL CEnzymeDlg::AddNewReagentToLibrary()
{
    CFile file;
    CFileException error;
    if (!CReagentLibrary::Open(file, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite, &error))
    {
        error.ReportError(MB_OK);
        return FALSE;
    }
    RefreshEditorNames(file);
    // The reading stops after the last complete record: a damaged rest stays after the new one.
    const ULONGLONG nRecordsEnd = file.GetPosition();
    if (!ValidateReagent(CString()))
        return FALSE;
    try
    {
        CReagentLibrary::InsertReagent(file, nRecordsEnd, *this);
    }
    catch (CException* pException)
    {
        pException->ReportError(MB_OK);
        pException->Delete();
        return FALSE;
    }
    file.Close();
    return TRUE;
}

// While the dialog is open, a side is written from its pattern table, where the user
// composed it; the begin found there is kept in the record, its count field is not.
void CEnzymeDlg::SerializePatternSet(CPkArchive& ar, CPatternSet& set, IPatternTable* pTable)
{
    if (ar.IsLoading() || GetSafeHwnd() == NULL || pTable == NULL)
    {
        set.Serialize(ar);
        return;
    }
    CPatternSet shown;
    shown.ReadTable(*pTable);
    set.m_nBegin = shown.m_nBegin;
    shown.Serialize(ar);
}
