// The fragments of the last run as a report-view list, a column per column of the
// engine's table (the optional ones as the run wrote them). Clicking a heading sorts by
// that column; a second click sorts the other way. Probabilities are shown in percent;
// an export writes the engine's own fractions.
#pragma once
#include "FragmentTable.h"
#include <afxcmn.h>

class CResultsView : public CListCtrl
{
public:
    CResultsView() = default;

    // A virtual report-view list with its columns; dwStyle adds to WS_CHILD and the
    // list's own styles (WS_VISIBLE, WS_BORDER...).
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Shows the table's fragments in the engine's order.
    void SetResults(const CFragmentTable& table);
    void Clear();

    // The table's rows in the order shown.
    const std::vector<int>& GetShownRows() const { return m_rows; }
    // Writes the fragments in the order shown; see CFragmentTable::Export.
    BOOL Export(LPCSTR lpszPath, CString& strError) const;

protected:
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // Makes the list's columns the table's, unless they are already.
    void ShowColumns(const CFragmentTable& table);
    void SortByColumn(int nColumn, BOOL bAscending);
    void ShowSortArrow();
    // The sequences' column takes the room the other columns leave at the right.
    void FitSequenceColumn();

    CFragmentTable m_table;
    std::vector<int> m_rows;  // the table's rows in the order shown
    int m_nSortColumn = -1;   // -1: the engine's order
    BOOL m_bSortAscending = TRUE;
    std::vector<CString> m_columnNames;  // the engine's names of the columns shown
};
