#include "TableListView.h"

#include <numeric>

BEGIN_MESSAGE_MAP(CTableListView, CListCtrl)
    ON_WM_SETFOCUS()
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

CString CTableListView::PercentText(double dFraction)
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

BOOL CTableListView::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    // Sorting only reorders m_rows.
    const DWORD dwListStyle = LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS;
    if (!CListCtrl::Create(dwStyle | WS_CHILD | dwListStyle, rect, pParentWnd, nID))
        return FALSE;
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    return TRUE;
}

void CTableListView::ShowRows(int nRows)
{
    m_nSortColumn = -1;
    m_rows.resize(nRows);
    std::iota(m_rows.begin(), m_rows.end(), 0);
    SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    VERIFY(SetItemCountEx((int)m_rows.size(), 0));
    ShowSortArrow();
    Invalidate();
}

// A list without a focused row shows no mark of its focus: the first row takes it, not
// selected, and the arrow keys go on from there.
void CTableListView::OnSetFocus(CWnd* pOldWnd)
{
    CListCtrl::OnSetFocus(pOldWnd);
    if (GetItemCount() > 0 && GetNextItem(-1, LVNI_FOCUSED) == -1)
        SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
}

void CTableListView::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    LVITEMA& item = ((NMLVDISPINFOA*)pNMHDR)->item;
    *pResult = 0;
    if ((item.mask & LVIF_TEXT) == 0 || item.cchTextMax <= 0)
        return;
    ASSERT(item.iItem >= 0 && item.iItem < (int)m_rows.size());
    lstrcpynA(item.pszText, GetCellText(m_rows.at(item.iItem), item.iSubItem), item.cchTextMax);
}

void CTableListView::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const int nColumn = ((NMLISTVIEW*)pNMHDR)->iSubItem;
    SortByColumn(nColumn, nColumn == m_nSortColumn ? !m_bSortAscending : TRUE);
    *pResult = 0;
}

void CTableListView::SortByColumn(int nColumn, BOOL bAscending)
{
    // The list keeps its selection by position: it is taken off and put back on the rows
    // that were selected, wherever they go.
    std::vector<BOOL> selected(m_rows.size(), FALSE);
    for (int nItem = -1; (nItem = GetNextItem(nItem, LVNI_SELECTED)) >= 0;)
        selected[m_rows[nItem]] = TRUE;
    SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    m_rows = GetSortedRows(nColumn, bAscending);
    for (int nItem = 0; nItem < (int)m_rows.size(); ++nItem)
        if (selected[m_rows[nItem]])
            SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED);
    m_nSortColumn = nColumn;
    m_bSortAscending = bAscending;
    ShowSortArrow();
    Invalidate();
}

void CTableListView::ShowSortArrow()
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
