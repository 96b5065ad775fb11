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

BEGIN_MESSAGE_MAP(CResultsView, CTableListView)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CResultsView::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CTableListView::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    ShowColumns(CFragmentTable());
    return TRUE;
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
    CTableListView::OnSize(nType, cx, cy);
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
    ShowColumns(m_table);
    ShowRows(m_table.GetFragmentCount());
}

void CResultsView::Clear()
{
    SetResults(CFragmentTable());
}

BOOL CResultsView::Export(LPCSTR lpszPath, CString& strError) const
{
    return m_table.Export(lpszPath, GetShownRows(), strError);
}

void CResultsView::SelectFragments(const std::vector<std::pair<int, int>>& spans)
{
    SetItemState(-1, 0, LVIS_SELECTED);
    const std::vector<int>& rows = GetShownRows();
    int nFirst = -1;
    for (int nItem = 0; nItem < (int)rows.size(); ++nItem)
    {
        const CFragmentTable::CFragment& fragment = m_table.GetFragment(rows[nItem]);
        if (std::find(spans.begin(), spans.end(), std::make_pair(fragment.GetStart(), fragment.GetEnd())) == spans.end())
            continue;
        SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED);
        nFirst = nFirst < 0 ? nItem : nFirst;
    }
    if (nFirst >= 0)
        EnsureVisible(nFirst, FALSE);
}

CString CResultsView::GetCellText(int nRow, int nColumn) const
{
    ASSERT(nColumn >= 0 && nColumn < m_table.GetColumnCount());
    const CFragmentTable::CFragment& fragment = m_table.GetFragment(nRow);
    return nColumn == CFragmentTable::colProbability ? PercentText(fragment.dValues[CFragmentTable::colProbability])
                                                     : fragment.strCells[nColumn];
}

std::vector<int> CResultsView::GetSortedRows(int nColumn, BOOL bAscending) const
{
    return m_table.GetSortedRows(nColumn, bAscending);
}
