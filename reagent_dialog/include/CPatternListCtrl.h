// One side's pattern table in the reagent dialog: a report list view with a centred
// column per position, headed by the position's label, and a row per pattern. The
// pattern algorithms reach it through IPatternTable.
#pragma once
#include <IPatternTable.h>
#include <afxcmn.h>

class CPatternListCtrl : public CListCtrl, public IPatternTable
{
public:
    CPatternListCtrl() = default;

    int GetColumnCount() const override;
    // Headings are read back with room for 4 characters, the longest label there is.
    CString GetColumnHeading(int nColumn) const override;
    void InsertColumnAtLeft(LPCSTR lpszHeading, int nWidthPx) override;
    void AppendColumn(LPCSTR lpszHeading, int nWidthPx) override;
    int GetClientWidth() const override;
    int GetRowCount() const override { return GetItemCount(); }
    CString GetCellText(int nRow, int nColumn) const override { return GetItemText(nRow, nColumn); }
    void SetCellText(int nRow, int nColumn, LPCSTR lpszText) override { SetItemText(nRow, nColumn, lpszText); }
    int AppendRow() override { return InsertItem(GetItemCount(), ""); }

    // The selected row, or -1.
    int GetSelectedRow() const { return GetNextItem(-1, LVNI_SELECTED); }

private:
    void SetColumnHeadingAndWidth(int nColumn, LPCSTR lpszHeading, int nWidthPx);
};
