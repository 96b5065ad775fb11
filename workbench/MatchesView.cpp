#include "MatchesView.h"

#include <algorithm>
#include <iterator>

namespace
{
struct ColumnLayout
{
    LPCSTR lpszName;  // the engine's
    LPCSTR lpszHeading;
    int nFormat;
    int nWidthPx;
};

const ColumnLayout kColumns[] = {
    {"observed", "Observed", LVCFMT_RIGHT, 80},          {"charge", "Charge", LVCFMT_RIGHT, 50},
    {"observed_mass", "Neutral mass (Da)", LVCFMT_RIGHT, 100}, {"start", "Start", LVCFMT_RIGHT, 45},
    {"end", "End", LVCFMT_RIGHT, 45},                    {"sequence", "Sequence", LVCFMT_LEFT, 170},
    {"modifications", "Modifications", LVCFMT_LEFT, 100}, {"mass", "Mass (Da)", LVCFMT_RIGHT, 90},
    {"error_ppm", "Error (ppm)", LVCFMT_RIGHT, 70},       {"error_da", "Error (Da)", LVCFMT_RIGHT, 70},
    {"probability", "Probability (%)", LVCFMT_RIGHT, 80}, {"share", "Share (%)", LVCFMT_RIGHT, 60},
    {"rank", "Rank", LVCFMT_RIGHT, 40},
};
// A mass list's own columns (an intensity, a label) are headed by their names.
const int kKeptColumnWidthPx = 70;
// Where an observed value without candidates shows that it has none.
const char kNoCandidate[] = "(no fragment within the tolerance)";
}

void CMatchesView::SetMatches(const CMatchTable& table)
{
    m_table = table;
    while (DeleteColumn(0))
        ;
    // The list keeps its first column left-aligned whatever it is given; a column that
    // becomes the first by the deletion of another keeps its own alignment.
    VERIFY(InsertColumn(0, "") == 0);
    for (int nColumn = 0; nColumn < m_table.GetColumnCount(); ++nColumn)
    {
        const CString& strName = m_table.GetColumnName(nColumn);
        const auto layout = std::find_if(std::begin(kColumns), std::end(kColumns),
                                         [&strName](const ColumnLayout& column) { return strName == column.lpszName; });
        const BOOL bKnown = layout != std::end(kColumns);
        VERIFY(InsertColumn(nColumn + 1, bKnown ? layout->lpszHeading : (LPCSTR)strName,
                            bKnown ? layout->nFormat : LVCFMT_LEFT, bKnown ? layout->nWidthPx : kKeptColumnWidthPx) ==
               nColumn + 1);
    }
    VERIFY(DeleteColumn(0));
    ShowRows(m_table.GetRowCount());
}

void CMatchesView::Clear()
{
    SetMatches(CMatchTable());
}

int CMatchesView::GetSelectedValue() const
{
    const int nItem = GetNextItem(-1, LVNI_SELECTED);
    return nItem < 0 ? -1 : m_table.GetValueOfRow(GetShownRows().at(nItem));
}

BOOL CMatchesView::Export(LPCSTR lpszPath, CString& strError) const
{
    return ExportTable(lpszPath, m_table.GetColumnNames(), m_table.GetRows(), GetShownRows(), strError);
}

CString CMatchesView::GetCellText(int nRow, int nColumn) const
{
    const CTableRow& row = m_table.GetRow(nRow);
    if (!m_table.IsMatched(nRow))
        return nColumn == m_table.GetSequenceColumn() ? CString(kNoCandidate) : row.strCells.at(nColumn);
    if (nColumn == m_table.GetProbabilityColumn() || nColumn == m_table.GetShareColumn())
        return PercentText(row.dValues.at(nColumn));
    return row.strCells.at(nColumn);
}

std::vector<int> CMatchesView::GetSortedRows(int nColumn, BOOL bAscending) const
{
    return SortTableRows(m_table.GetRows(), nColumn, m_table.IsTextColumn(nColumn), bAscending);
}
