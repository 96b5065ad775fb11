// The fragments of the last run as a report-view list, a column per column of the
// engine's table (the optional ones as the run wrote them). Clicking a heading sorts by
// that column; a second click sorts the other way. Probabilities are shown in percent;
// an export writes the engine's own fractions.
#pragma once
#include "FragmentTable.h"
#include "TableListView.h"
#include <utility>

class CResultsView : public CTableListView
{
public:
    CResultsView() = default;

    // The list with the fixed columns; see CTableListView::Create.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Shows the table's fragments in the engine's order.
    void SetResults(const CFragmentTable& table);
    void Clear();

    // Selects the rows of the fragments from start to end given, and no others; the
    // first of them is scrolled into view.
    void SelectFragments(const std::vector<std::pair<int, int>>& spans);
    // Writes the fragments in the order shown; see CFragmentTable::Export.
    BOOL Export(LPCSTR lpszPath, CString& strError) const;

protected:
    CString GetCellText(int nRow, int nColumn) const override;
    std::vector<int> GetSortedRows(int nColumn, BOOL bAscending) const override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    // Makes the list's columns the table's, unless they are already.
    void ShowColumns(const CFragmentTable& table);
    // The sequences' column takes the room the other columns leave at the right.
    void FitSequenceColumn();

    CFragmentTable m_table;
    std::vector<CString> m_columnNames;  // the engine's names of the columns shown
};
