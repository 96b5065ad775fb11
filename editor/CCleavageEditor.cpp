#include "CCleavageEditor.h"
#include "CCleavageData.h"
#include "CEnzymeDlg.h"
#include "CReagentLibrary.h"
#include "EditorTopics.h"
#include "ValueValidators.h"

#include <AnalysisPopups.h>
#include <algorithm>
#include <set>
#include <string>
#include <vector>
#include <shlwapi.h>

IMPLEMENT_DYNCREATE(CCleavageEditor, CFormView)

namespace
{
const char kAllFragments[] = "All";

// The leading decimal integer of a text, sign allowed, as the platform converts it
// (no hexadecimal); 0 when the text does not begin with a number.
int DecimalValue(LPCSTR lpszText)
{
    int nValue = 0;
    if (!StrToIntExA(lpszText, STIF_DEFAULT, &nValue))
        return 0;
    return nValue;
}

CString DecimalText(int nValue)
{
    CString strText;
    strText.Format("%d", nValue);
    return strText;
}

void CopyList(const CStringList& source, CStringList& target)
{
    target.RemoveAll();
    target.AddTail(&source);
}

// The names in the order a sorted list box of the locale keeps them (its comparison
// ignores letter case, and orders as the names' sort keys do); equal names in the
// order given.
std::vector<CString> SortedAsTheList(const CStringList& names, LCID lcid)
{
    std::vector<std::pair<std::string, CString>> keyed;
    keyed.reserve((size_t)names.GetCount());
    for (POSITION pos = names.GetHeadPosition(); pos != NULL;)
    {
        const CString& strName = names.GetNext(pos);
        // One call for a key that fits the buffer, as a name's does; a second, sized, for
        // a longer one.
        const DWORD dwFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
        char buffer[256];
        int nKeyBytes = LCMapStringA(lcid, dwFlags, strName, -1, buffer, sizeof buffer);
        std::string key(buffer, (size_t)std::max(0, nKeyBytes));
        if (nKeyBytes == 0)
        {
            key.assign((size_t)std::max(0, LCMapStringA(lcid, dwFlags, strName, -1, NULL, 0)), '\0');
            VERIFY(key.empty() || LCMapStringA(lcid, dwFlags, strName, -1, &key[0], (int)key.size()) != 0);
        }
        keyed.emplace_back(std::move(key), strName);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const std::pair<std::string, CString>& a, const std::pair<std::string, CString>& b) {
                         return a.first < b.first;
                     });
    std::vector<CString> sorted;
    sorted.reserve(keyed.size());
    for (const auto& entry : keyed)
        sorted.push_back(entry.second);
    return sorted;
}
}

CCleavageEditor::CCleavageEditor()
    : CFormView(IDD),
      m_nResultMode(1),
      m_bRangeOnly(FALSE),
      m_nSortOrder(0),
      m_nMolLength(0),
      m_pContext(NULL),
      m_bReadOnly(FALSE),
      m_settingsHelper(m_topics)
{
    m_topics.LoadTopics(g_editorTopics);
}

CCleavageEditor::~CCleavageEditor() = default;

void CCleavageEditor::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RANGE_TO, m_editTo);
    DDX_Control(pDX, IDC_RANGE_FROM, m_editFrom);
    DDX_Control(pDX, IDC_PROBABILITY, m_editProbability);
    DDX_Control(pDX, IDC_FRAGMENTS, m_editFragments);
    DDX_Control(pDX, IDC_REAGENT_LIST, m_listReagents);
    DDX_Radio(pDX, IDC_ABOVE_PROBABILITY, m_nResultMode);
    DDX_Check(pDX, IDC_RANGE_ONLY, m_bRangeOnly);
    DDX_Text(pDX, IDC_TOTAL, m_strTotal);
    DDX_Radio(pDX, IDC_SORT_PROBABILITY, m_nSortOrder);

    // Outside ExchangeData the exchange only moves members and controls.
    CCleavageData* pRecord = GetContextRecord();
    if (pRecord == NULL)
        return;
    m_strMolName = m_pContext->GetAnalysisHeader()->GetMol()->GetName();
    if (pDX->m_bSaveAndValidate)
        SaveToRecord(*pRecord);
    else
        LoadFromRecord(*pRecord);
}

BEGIN_MESSAGE_MAP(CCleavageEditor, CFormView)
    ON_BN_CLICKED(IDC_NEW_REAGENT, OnNewReagent)
    ON_BN_CLICKED(IDC_REMOVE_REAGENT, OnRemoveReagent)
    ON_LBN_SELCHANGE(IDC_REAGENT_LIST, OnReagentSelChange)
    ON_BN_CLICKED(IDC_EDIT_REAGENT, OnEditReagent)
    ON_WM_VKEYTOITEM()
    ON_BN_CLICKED(IDC_ABOVE_PROBABILITY, OnAboveProbability)
    ON_BN_CLICKED(IDC_BEST_FRAGMENTS, OnBestFragments)
    ON_EN_SETFOCUS(IDC_MOL_NAME, OnNameSetFocus)
    ON_BN_CLICKED(IDC_RANGE_ONLY, OnRangeOnly)
    ON_BN_CLICKED(IDC_USE_DEFAULTS, OnUseDefaults)
    ON_WM_CTLCOLOR()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CCleavageEditor::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                             CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CFormView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    OnInitialUpdate();
    return TRUE;
}

void CCleavageEditor::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    m_settingsHelper.Attach(this);
    AttachValidators();
    if (LoadReagentList())
        ShowInitialDefaults();
}

void CCleavageEditor::OnNewReagent()
{
    CEnzymeDlg dlg(NULL, this, FALSE);
    if (dlg.DoModal() != IDOK)
        return;
    m_listReagents.ResetContent();
    LoadReagentList();
}

void CCleavageEditor::OnRemoveReagent()
{
    const CString strName = GetSelectedReagent();
    if (AfxMessageBox("You are going to delete the enzyme \"" + strName + "\"", MB_OKCANCEL) == IDCANCEL)
        return;
    CFile file;
    CEnzymeDlg holder;
    if (!CReagentLibrary::Open(file, CFile::modeRead) || !CReagentLibrary::RemoveReagent(file, strName, holder))
    {
        AfxMessageBox(kCannotOpenLibrary, MB_OK);
        return;
    }
    m_listReagents.ResetContent();
    LoadReagentList();
}

void CCleavageEditor::OnReagentSelChange()
{
    const BOOL bSelected = m_listReagents.GetCurSel() != LB_ERR;
    EnableControl(IDC_EDIT_REAGENT, bSelected);
    EnableControl(IDC_REMOVE_REAGENT, bSelected);
}

void CCleavageEditor::OnEditReagent()
{
    const int nSelected = m_listReagents.GetCurSel();
    if (nSelected == LB_ERR)
        return;
    CEnzymeDlg dlg(NULL, this, TRUE);
    dlg.DoModal();
    // The dialog may have refilled the list: the old index is kept, whatever name it holds now.
    m_listReagents.SetCurSel(nSelected);
}

int CCleavageEditor::OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex)
{
    if (m_listReagents.GetCurSel() != LB_ERR && nKey == VK_DELETE)
        OnRemoveReagent();
    return CFormView::OnVKeyToItem(nKey, pListBox, nIndex);
}

void CCleavageEditor::OnAboveProbability()
{
    UpdateData(TRUE);
    EnableResultFields();
}

void CCleavageEditor::OnBestFragments()
{
    UpdateData(TRUE);
    EnableResultFields();
}

void CCleavageEditor::OnNameSetFocus()
{
    // The edit shows its caret again once after gaining the focus; two hides keep the
    // read-only name free of a caret.
    CWnd* pName = GetDlgItem(IDC_MOL_NAME);
    ASSERT(pName != NULL);
    if (pName == NULL)
        return;
    pName->HideCaret();
    pName->HideCaret();
}

void CCleavageEditor::OnRangeOnly()
{
    UpdateData(TRUE);
    EnableRangeFields();
}

void CCleavageEditor::OnUseDefaults()
{
    m_bRangeOnly = FALSE;
    m_nResultMode = 1;
    SetDlgItemText(IDC_RANGE_FROM, "1");
    SetDlgItemText(IDC_RANGE_TO, DecimalText(m_nMolLength));
    SetDlgItemText(IDC_FRAGMENTS, DecimalText(CCleavageData::kDefaultFragments));
    SetDlgItemText(IDC_PROBABILITY, DecimalText(CCleavageData::kDefaultProbability));
    m_nSortOrder = 0;
    UpdateData(FALSE);
    OnRangeOnly();
    OnBestFragments();
}

HBRUSH CCleavageEditor::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    COLORREF crText = 0;
    if (!m_settingsHelper.ProcessOnCtlColor(pDC, pWnd, nCtlColor, crText))
        return CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
    const HBRUSH hbr = CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
    pDC->SetTextColor(crText);
    return hbr;
}

void CCleavageEditor::OnMouseMove(UINT nFlags, CPoint point)
{
    m_settingsHelper.ProcessOnMouseMove(nFlags, point);
}

BOOL CCleavageEditor::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_settingsHelper.ProcessOnSetCursor(pWnd, nHitTest, message))
        return TRUE;
    return CFormView::OnSetCursor(pWnd, nHitTest, message);
}

void CCleavageEditor::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_settingsHelper.ProcessOnLButtonDown(nFlags, point);
}

void CCleavageEditor::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CFormView::OnVScroll(nSBCode, nPos, pScrollBar);
    FollowScrolledControls();
}

void CCleavageEditor::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CFormView::OnHScroll(nSBCode, nPos, pScrollBar);
    FollowScrolledControls();
}

// A help popup stands beside its control: when the form scrolls, it moves along.
void CCleavageEditor::FollowScrolledControls()
{
    if (CWnd* pMainWnd = AfxGetMainWnd())
        UpdateOwnedPopups(pMainWnd);
}

void CCleavageEditor::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (CWnd* pMainWnd = AfxGetMainWnd())
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        ClientToScreen(&rcClient);
        KeepPopupsInRect(pMainWnd, rcClient);
    }
}

BOOL CCleavageEditor::LoadReagentList()
{
    CFile file;
    CFileException error;
    if (!CReagentLibrary::Open(file, CFile::modeRead, &error))
    {
        OnReagentSelChange();
        // A library that does not exist yet (nor its folder) holds no reagents.
        const bool bMissing = error.m_lOsError == ERROR_FILE_NOT_FOUND || error.m_lOsError == ERROR_PATH_NOT_FOUND;
        if (!bMissing)
            error.ReportError();
        return FALSE;
    }

    m_lstReagentNames.RemoveAll();
    CEnzymeDlg holder;
    const int nCount = CReagentLibrary::ReadRecords(file, holder, [this, &holder](IReagentRecord&) {
        m_lstReagentNames.AddTail(holder.m_strName);
        return TRUE;
    });
    // A sorted list compares each new name with a dozen others, each comparison slow
    // (full collation); the names go in already in its order, at its end, and without
    // a repaint of the list and its scroll bar for each.
    const std::vector<CString> sorted = SortedAsTheList(m_lstReagentNames, (LCID)m_listReagents.SendMessage(LB_GETLOCALE));
    m_listReagents.SendMessage(WM_SETREDRAW, FALSE);
    m_listReagents.SendMessage(LB_INITSTORAGE, sorted.size(), 0);
    for (const CString& strName : sorted)
        m_listReagents.SendMessage(LB_INSERTSTRING, (WPARAM)-1, (LPARAM)(LPCSTR)strName);
    m_listReagents.SendMessage(WM_SETREDRAW, TRUE);
    m_listReagents.Invalidate();
    m_strTotal.Format("Total: %d", nCount);
    SetDlgItemText(IDC_TOTAL, m_strTotal);
    m_listReagents.SetCurSel(0);
    OnReagentSelChange();
    file.Close();
    return TRUE;
}

void CCleavageEditor::SetReadOnly(BOOL bReadOnly)
{
    m_bReadOnly = bReadOnly;
    static const int kLockedControls[] = {IDC_RANGE_TO,     IDC_RANGE_FROM,      IDC_REAGENT_LIST,
                                          IDC_ABOVE_PROBABILITY, IDC_BEST_FRAGMENTS, IDC_NEW_REAGENT,
                                          IDC_RANGE_ONLY,   IDC_USE_DEFAULTS,    IDC_SORT_PROBABILITY,
                                          IDC_SORT_WEIGHT,  IDC_SORT_POSITION};
    for (const int nID : kLockedControls)
        EnableControl(nID, !bReadOnly);

    if (bReadOnly)
    {
        static const int kStateControls[] = {IDC_REMOVE_REAGENT, IDC_EDIT_REAGENT, IDC_PROBABILITY,
                                             IDC_FRAGMENTS,      IDC_RANGE_TO,     IDC_RANGE_FROM};
        for (const int nID : kStateControls)
            EnableControl(nID, FALSE);
        return;
    }
    // Unlocked, the fields come back as their current states say.
    OnReagentSelChange();
    OnAboveProbability();
    OnRangeOnly();
}

void CCleavageEditor::SetRange(LPCSTR lpszMolName, int nKind, int nFirst, int nLast)
{
    if (m_bReadOnly || nKind != CPkMol::kProteinKind || m_strMolName.CompareNoCase(lpszMolName) != 0)
        return;
    SetDlgItemText(IDC_RANGE_FROM, DecimalText(nFirst));
    SetDlgItemText(IDC_RANGE_TO, DecimalText(nLast));
    UpdateData(TRUE);
}

void CCleavageEditor::AttachValidators()
{
    m_editProbability.AddValidator(CValidationItem(ValidateInteger, &m_editProbability));
    m_editProbability.AddValidator(CValidationItem(ValidatePercent, &m_editProbability));
    m_editFragments.AddValidator(CValidationItem(ValidateInteger, &m_editFragments));
    m_editFragments.AddValidator(CValidationItem(ValidateCount, &m_editFragments));
    m_editFrom.AddValidator(CValidationItem(ValidateInteger, &m_editFrom));
    m_editFrom.AddValidator(CValidationItem(ValidateNotAbove, &m_editFrom, &m_editTo));
    m_editTo.AddValidator(CValidationItem(ValidateInteger, &m_editTo));
    m_editTo.AddValidator(CValidationItem(ValidateNotBelow, &m_editTo, &m_editFrom));
}

void CCleavageEditor::ShowInitialDefaults()
{
    EnableControl(IDC_PROBABILITY, FALSE);
    SetDlgItemText(IDC_FRAGMENTS, DecimalText(CCleavageData::kDefaultFragments));
    SetDlgItemText(IDC_PROBABILITY, DecimalText(CCleavageData::kDefaultProbability));
    CheckDlgButton(IDC_RANGE_ONLY, BST_UNCHECKED);
    EnableControl(IDC_RANGE_FROM, FALSE);
    EnableControl(IDC_RANGE_TO, FALSE);
}

CCleavageData* CCleavageEditor::GetContextRecord() const
{
    if (m_pContext == NULL)
        return NULL;
    const CAnalysisHeaderBase* pHeader = m_pContext->GetAnalysisHeader();
    if (pHeader == NULL || pHeader->GetMol() == NULL)
        return NULL;
    return dynamic_cast<CCleavageData*>(m_pContext->GetAnalysisData());
}

void CCleavageEditor::SaveToRecord(CCleavageData& record)
{
    const CString strSelected = GetSelectedReagent();
    CFile file;
    if (!CReagentLibrary::Open(file, CFile::modeRead))
    {
        AfxMessageBox(kCannotOpenLibrary, MB_OK);
        return;
    }

    CEnzymeDlg holder;
    const CEnzymeDlg& reagent = holder;
    CReagentLibrary::ReadRecords(file, holder, [&](IReagentRecord&) {
        if (reagent.m_strName != strSelected)
            return TRUE;
        record.m_strEnzName = reagent.m_strName;
        record.m_nRecognitionBegin = reagent.m_recognition.m_nBegin;
        record.m_nExceptionBegin = reagent.m_exception.m_nBegin;
        record.m_nRecognitionCount = reagent.m_recognition.m_nCount;
        record.m_nExceptionCount = reagent.m_exception.m_nCount;
        record.m_nRecognitionProbability = DecimalValue(reagent.m_strRecognitionProbability);
        record.m_nExceptionProbability = DecimalValue(reagent.m_strExceptionProbability);

        CString strText;
        GetDlgItemText(IDC_PROBABILITY, strText);
        record.m_nAnalysisProbability = DecimalValue(strText);
        GetDlgItemText(IDC_FRAGMENTS, strText);
        record.m_nAnalysisFragments = strText == kAllFragments ? CCleavageData::kAllFragments : DecimalValue(strText);
        GetDlgItemText(IDC_RANGE_FROM, strText);
        record.m_nAnalysisFrom = DecimalValue(strText);
        GetDlgItemText(IDC_RANGE_TO, strText);
        record.m_nAnalysisTo = DecimalValue(strText);
        record.m_nProbabilityOrFragments = IsDlgButtonChecked(IDC_ABOVE_PROBABILITY) == BST_CHECKED ? 1 : 0;
        record.m_nRange = m_bRangeOnly ? 1 : 0;
        record.m_nSorting = m_nSortOrder;
        CopyList(reagent.m_recognition.m_lstCells, record.m_lstRecognition);
        CopyList(reagent.m_exception.m_lstCells, record.m_lstException);
        // Reading goes on: when several records carry the name, the last one counts.
        return TRUE;
    });
    file.Close();
}

void CCleavageEditor::LoadFromRecord(const CCleavageData& record)
{
    const CPkMol* pMol = m_pContext->GetAnalysisHeader()->GetMol();
    SetDlgItemText(IDC_MOL_NAME, pMol->GetName());
    m_nMolLength = pMol->GetLength();

    // Both 0: no range entered, so the form shows the whole molecule.
    const bool bRangeEntered = record.m_nAnalysisFrom != 0 || record.m_nAnalysisTo != 0;
    SetDlgItemText(IDC_RANGE_FROM, DecimalText(bRangeEntered ? record.m_nAnalysisFrom : 1));
    SetDlgItemText(IDC_RANGE_TO, DecimalText(bRangeEntered ? record.m_nAnalysisTo : m_nMolLength));
    SetDlgItemText(IDC_PROBABILITY, DecimalText(record.m_nAnalysisProbability));
    SetDlgItemText(IDC_FRAGMENTS, record.m_nAnalysisFragments == CCleavageData::kAllFragments
                                      ? CString(kAllFragments)
                                      : DecimalText(record.m_nAnalysisFragments));

    m_nResultMode = record.m_nProbabilityOrFragments != 0 ? 0 : 1;
    CheckRadioButton(IDC_ABOVE_PROBABILITY, IDC_BEST_FRAGMENTS,
                     m_nResultMode == 0 ? IDC_ABOVE_PROBABILITY : IDC_BEST_FRAGMENTS);
    m_bRangeOnly = record.m_nRange != 0;
    CheckDlgButton(IDC_RANGE_ONLY, m_bRangeOnly ? BST_CHECKED : BST_UNCHECKED);
    m_nSortOrder = record.m_nSorting;
    if (m_nSortOrder >= 0 && m_nSortOrder <= 2)
        CheckRadioButton(IDC_SORT_PROBABILITY, IDC_SORT_POSITION, IDC_SORT_PROBABILITY + m_nSortOrder);

    if (!record.m_strEnzName.IsEmpty())
        SelectReagent(record.m_strEnzName);
    EnableResultFields();
    EnableRangeFields();
}

void CCleavageEditor::SelectReagent(const CString& strName)
{
    // The list's own search ignores case: step through its matches for the exact name,
    // and stop when the search comes round to an item already seen.
    std::set<int> visited;
    int nIndex = -1;
    for (;;)
    {
        nIndex = m_listReagents.FindString(nIndex, strName);
        if (nIndex == LB_ERR || !visited.insert(nIndex).second)
            break;
        CString strItem;
        m_listReagents.GetText(nIndex, strItem);
        if (strItem == strName)
        {
            m_listReagents.SetCurSel(nIndex);
            return;
        }
    }
    m_listReagents.SetCurSel(0);
}

CString CCleavageEditor::GetSelectedReagent() const
{
    CString strSelected;
    const int nSelected = m_listReagents.GetCurSel();
    if (nSelected != LB_ERR)
        m_listReagents.GetText(nSelected, strSelected);
    return strSelected;
}

void CCleavageEditor::EnableResultFields()
{
    EnableControl(IDC_FRAGMENTS, m_nResultMode == 1);
    EnableControl(IDC_PROBABILITY, m_nResultMode == 0);
}

void CCleavageEditor::EnableRangeFields()
{
    EnableControl(IDC_RANGE_FROM, m_bRangeOnly);
    EnableControl(IDC_RANGE_TO, m_bRangeOnly);
}

void CCleavageEditor::EnableControl(int nID, BOOL bEnable)
{
    CWnd* pControl = GetDlgItem(nID);
    ASSERT(pControl != NULL);
    if (pControl != NULL)
        pControl->EnableWindow(bEnable);
}
