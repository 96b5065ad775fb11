#include "ResultsView.h"

#include <algorithm>
#include <numeric>

namespace
{
struct ColumnLayout
{
    LPCSTR lpszHeading;
    int nFormat;
    int nWidthPx;
};

// In the order of CFragmentTable's fixed columns.
const ColumnLayout kFixedColumns[CFragmentTable::kFixedColumnCount] = {
    {"Start", LVCFMT_RIGHT, 50},       {"End", LVCFMT_RIGHT, 50},
    {"Length", LVCFMT_RIGHT, 56},      {"Missed", LVCFMT_RIGHT, 56},
    {"Probability (%)", LVCFMT_RIGHT, 78}, {"Mono mass (Da)", LVCFMT_RIGHT, 110},
    {"Average mass (Da)", LVCFMT_RIGHT, 120}, {"Sequence", LVCFMT_LEFT, 260},
};
const ColumnLayout kModificationsColumn = {"Modifications", LVCFMT_LEFT, 150};
const int kChargeColumnWidthPx = 90;
// A heading's room beyond its text: the header's margins and the sort arrow.
const int kHeadingRoomPx = 40;
// The sequences' column gives way to the others down to this width.
const int kMinSequenceColumnPx = 120;

// A fraction as a percentage, to two decimals and without trailing zeros: 0.128 "12.8".
CString PercentText(double dFraction)
{
    const double dPercent = dFraction * 100;
    if (dPercent > 0 && dPercent < 0.005)
        return "< 0.01";
    CString strText;
    strText.Format("%.2f", dPercent);
    strText.TrimRight('0');
    strText.TrimRight('.');
    return strText;
}

// A column the table has: a fixed one, the modifications, or the m/z of a charge, headed
// "m/z (2+)".
ColumnLayout LayoutOf(const CFragmentTable& table, int nColumn, CString& strHeading)
{
    ColumnLayout layout = {"", LVCFMT_RIGHT, kChargeColumnWidthPx};
    if (nColumn < CFragmentTable::kFixedColumnCount)
        layout = kFixedColumns[nColumn];
    else if (table.GetColumnCharge(nColumn) == 0)
        layout = kModificationsColumn;
    strHeading = layout.lpszHeading;
    if (table.GetColumnCharge(nColumn) > 0)
        strHeading.Format("m/z (%d+)", table.GetColumnCharge(nColumn));
    return layout;
}
}

BEGIN_MESSAGE_MAP(CResultsView, CListCtrl)
    ON_WM_SETFOCUS()
    ON_WM_SIZE()
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

BOOL CResultsView::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    // A virtual list: the texts come from the table when a row is drawn, so thousands of
    // rows fill at once, and sorting only reorders m_rows.
    const DWORD dwListStyle = LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS;
    if (!CListCtrl::Create(dwStyle | WS_CHILD | dwListStyle, rect, pParentWnd, nID))
        return FALSE;
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    ShowColumns(CFragmentTable());
    return TRUE;
}

// A list without a focused row shows no mark of its focus: the first row takes it, not
// selected, and the arrow keys go on from there.
void CResultsView::OnSetFocus(CWnd* pOldWnd)
{
    CListCtrl::OnSetFocus(pOldWnd);
    if (GetItemCount() > 0 && GetNextItem(-1, LVNI_FOCUSED) == -1)
        SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
}

void CResultsView::ShowColumns(const CFragmentTable& table)
{
    std::vector<CString> names;
    for (int nColumn = 0; nColumn < table.GetColumnCount(); ++nColumn)
        names.push_back(table.GetColumnName(nColumn));
    if (names == m_columnNames)
        return;
    while (DeleteColumn(0))
        ;
    // The list keeps its first column left-aligned whatever it is given; a column that
    // becomes the first by the deletion of another keeps its own alignment.
    VERIFY(InsertColumn(0, "") == 0);
    for (int nColumn = 0; nColumn < table.GetColumnCount(); ++nColumn)
    {
        CString strHeading;
        const ColumnLayout layout = LayoutOf(table, nColumn, strHeading);
        const int nWidth = std::max(layout.nWidthPx, GetStringWidth(strHeading) + kHeadingRoomPx);
        VERIFY(InsertColumn(nColumn + 1, strHeading, layout.nFormat, nWidth) == nColumn + 1);
    }
    VERIFY(DeleteColumn(0));
    m_columnNames = names;
    FitSequenceColumn();
}

void CResultsView::OnSize(UINT nType, int cx, int cy)
{
    CListCtrl::OnSize(nType, cx, cy);
    FitSequenceColumn();
}

void CResultsView::FitSequenceColumn()
{
    // Not while ShowColumns changes the columns (a scroll bar that comes or goes sizes the
    // list), nor before the list has them.
    const int nColumns = GetHeaderCtrl()->GetItemCount();
    if (nColumns != (int)m_columnNames.size() || nColumns <= CFragmentTable::colSequence)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    int nOthers = 0;
    for (int nColumn = 0; nColumn < nColumns; ++nColumn)
        if (nColumn != CFragmentTable::colSequence)
            nOthers += GetColumnWidth(nColumn);
    const int nWidth = std::max(kMinSequenceColumnPx, (int)rcClient.Width() - nOthers);
    if (nWidth != GetColumnWidth(CFragmentTable::colSequence))
        VERIFY(SetColumnWidth(CFragmentTable::colSequence, nWidth));
}

void CResultsView::SetResults(const CFragmentTable& table)
{
    m_table = table;
    m_nSortColumn = -1;
    m_rows.resize(m_table.GetFragmentCount());
    std::iota(m_rows.begin(), m_rows.end(), 0);
    SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    VERIFY(SetItemCountEx((int)m_rows.size(), 0));
    ShowColumns(m_table);
    ShowSortArrow();
    Invalidate();
}

void CResultsView::Clear()
{
    SetResults(CFragmentTable());
}

BOOL CResultsView::Export(LPCSTR lpszPath, CString& strError) const
{
    return m_table.Export(lpszPath, m_rows, strError);
}

void CResultsView::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    LVITEMA& item = ((NMLVDISPINFOA*)pNMHDR)->item;
    *pResult = 0;
    if ((item.mask & LVIF_TEXT) == 0 || item.cchTextMax <= 0)
        return;
    ASSERT(item.iItem >= 0 && item.iItem < (int)m_rows.size());
    ASSERT(item.iSubItem >= 0 && item.iSubItem < m_table.GetColumnCount());
    const CFragmentTable::CFragment& fragment = m_table.GetFragment(m_rows.at(item.iItem));
    const CString strText = item.iSubItem == CFragmentTable::colProbability
                                ? PercentText(fragment.dValues[CFragmentTable::colProbability])
                                : fragment.strCells[item.iSubItem];
    lstrcpynA(item.pszText, strText, item.cchTextMax);
}

void CResultsView::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const int nColumn = ((NMLISTVIEW*)pNMHDR)->iSubItem;
    SortByColumn(nColumn, nColumn == m_nSortColumn ? !m_bSortAscending : TRUE);
    *pResult = 0;
}

void CResultsView::SortByColumn(int nColumn, BOOL bAscending)
{
    // The list keeps its selection by position: it is taken off and put back on the rows
    // that were selected, wherever they go.
    std::vector<BOOL> selected(m_rows.size(), FALSE);
    for (int nItem = -1; (nItem = GetNextItem(nItem, LVNI_SELECTED)) >= 0;)
        selected[m_rows[nItem]] = TRUE;
    SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    m_rows = m_table.GetSortedRows(nColumn, bAscending);
    for (int nItem = 0; nItem < (int)m_rows.size(); ++nItem)
        if (selected[m_rows[nItem]])
            SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED);
    m_nSortColumn = nColumn;
    m_bSortAscending = bAscending;
    ShowSortArrow();
    Invalidate();
}

void CResultsView::ShowSortArrow()
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    ASSERT(pHeader != NULL);
    for (int nColumn = 0; nColumn < pHeader->GetItemCount(); ++nColumn)
    {
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        VERIFY(pHeader->GetItem(nColumn, &item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (nColumn == m_nSortColumn)
            item.fmt |= m_bSortAscending ? HDF_SORTUP : HDF_SORTDOWN;
        VERIFY(pHeader->SetItem(nColumn, &item));
    }
}
