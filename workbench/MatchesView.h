// The matches of the last run as a report-view list, a column per column of the engine's
// matches table: each observed value's candidates, most probable first, and a value
// without candidates on a row that says so. Probabilities and shares are shown in percent;
// an export writes the engine's own texts.
#pragma once
#include "MatchTable.h"
#include "TableListView.h"

class CMatchesView : public CTableListView
{
public:
    // The engine's rows in its order, headed by its columns.
    void SetMatches(const CMatchTable& table);
    void Clear();

    // The observed value of the first selected row, or -1 when none is selected.
    int GetSelectedValue() const;
    // Writes the rows in the order shown; see CMatchTable::Export.
    BOOL Export(LPCSTR lpszPath, CString& strError) const;

protected:
    CString GetCellText(int nRow, int nColumn) const override;
    std::vector<int> GetSortedRows(int nColumn, BOOL bAscending) const override;

private:
    CMatchTable m_table;
};
