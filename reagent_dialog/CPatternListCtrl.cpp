#include "CPatternListCtrl.h"

namespace
{
const int kHeadingChars = 4;
}

int CPatternListCtrl::GetColumnCount() const
{
    const CHeaderCtrl* pHeader = GetHeaderCtrl();
    ASSERT(pHeader != NULL);
    return pHeader != NULL ? pHeader->GetItemCount() : 0;
}

CString CPatternListCtrl::GetColumnHeading(int nColumn) const
{
    char szHeading[kHeadingChars + 1] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = szHeading;
    column.cchTextMax = sizeof(szHeading);
    VERIFY(GetColumn(nColumn, &column));
    return szHeading;
}

// A list view keeps the item text in its first column whatever is inserted before it, so
// the new column is added at the right and headings and texts move one column along.
void CPatternListCtrl::InsertColumnAtLeft(LPCSTR lpszHeading, int nWidthPx)
{
    const int nColumns = GetColumnCount();
    AppendColumn("", nWidthPx);
    for (int nColumn = nColumns; nColumn > 0; --nColumn)
    {
        SetColumnHeadingAndWidth(nColumn, GetColumnHeading(nColumn - 1), GetColumnWidth(nColumn - 1));
        for (int nRow = 0; nRow < GetRowCount(); ++nRow)
            SetItemText(nRow, nColumn, GetItemText(nRow, nColumn - 1));
    }
    SetColumnHeadingAndWidth(0, lpszHeading, nWidthPx);
    for (int nRow = 0; nRow < GetRowCount(); ++nRow)
        SetItemText(nRow, 0, "");
}

void CPatternListCtrl::AppendColumn(LPCSTR lpszHeading, int nWidthPx)
{
    const int nColumn = GetColumnCount();
    VERIFY(InsertColumn(nColumn, lpszHeading, LVCFMT_CENTER, nWidthPx, nColumn) == nColumn);
}

int CPatternListCtrl::GetClientWidth() const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    return rcClient.Width();
}

void CPatternListCtrl::SetColumnHeadingAndWidth(int nColumn, LPCSTR lpszHeading, int nWidthPx)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<LPSTR>(lpszHeading);
    column.cx = nWidthPx;
    VERIFY(SetColumn(nColumn, &column));
}
