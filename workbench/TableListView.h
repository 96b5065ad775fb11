// A table of the engine's as a virtual report-view list: the texts come from the table
// when a row is drawn, so thousands of rows fill at once. Clicking a heading sorts by that
// column, a second click the other way, and the selection stays with its rows.
#pragma once
#include <afxcmn.h>
#include <vector>

class CTableListView : public CListCtrl
{
public:
    CTableListView() = default;

    // A virtual list with full-row selection; dwStyle adds to WS_CHILD and the list's own
    // styles (WS_VISIBLE, WS_BORDER...).
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // The table's rows in the order shown.
    const std::vector<int>& GetShownRows() const { return m_rows; }

protected:
    // A fraction as a percentage, to two decimals and without trailing zeros: 0.128 "12.8".
    static CString PercentText(double dFraction);
    // Shows nRows rows in the table's order, none selected.
    void ShowRows(int nRows);
    // The text of a cell of the table's row nRow (not the row shown at nRow).
    virtual CString GetCellText(int nRow, int nColumn) const = 0;
    // The table's rows sorted by the column.
    virtual std::vector<int> GetSortedRows(int nColumn, BOOL bAscending) const = 0;

    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void SortByColumn(int nColumn, BOOL bAscending);
    void ShowSortArrow();

    std::vector<int> m_rows;  // the table's rows in the order shown
    int m_nSortColumn = -1;   // -1: the engine's order
    BOOL m_bSortAscending = TRUE;
};
