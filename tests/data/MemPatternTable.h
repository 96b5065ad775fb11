// A pattern table held in memory, standing in for the reagent dialog's list view.
#pragma once
#include <IPatternTable.h>
#include <vector>

class CMemPatternTable : public IPatternTable
{
public:
    explicit CMemPatternTable(int nClientWidthPx = 151) : m_nClientWidthPx(nClientWidthPx) {}

    int GetColumnCount() const override { return (int)m_headings.size(); }
    CString GetColumnHeading(int nColumn) const override { return m_headings.at(nColumn); }
    void InsertColumnAtLeft(LPCSTR lpszHeading, int nWidthPx) override
    {
        m_headings.insert(m_headings.begin(), lpszHeading);
        m_widths.insert(m_widths.begin(), nWidthPx);
        for (std::vector<CString>& row : m_rows)
            row.insert(row.begin(), CString());
    }
    void AppendColumn(LPCSTR lpszHeading, int nWidthPx) override
    {
        m_headings.push_back(lpszHeading);
        m_widths.push_back(nWidthPx);
        for (std::vector<CString>& row : m_rows)
            row.push_back(CString());
    }
    int GetClientWidth() const override { return m_nClientWidthPx; }

    int GetRowCount() const override { return (int)m_rows.size(); }
    CString GetCellText(int nRow, int nColumn) const override { return m_rows.at(nRow).at(nColumn); }
    void SetCellText(int nRow, int nColumn, LPCSTR lpszText) override { m_rows.at(nRow).at(nColumn) = lpszText; }
    int AppendRow() override
    {
        m_rows.emplace_back(m_headings.size());
        return (int)m_rows.size() - 1;
    }

    // Test set-up: the columns' headings, then rows of that many cells.
    void SetColumns(const std::vector<CString>& headings)
    {
        for (const CString& strHeading : headings)
            AppendColumn(strHeading, kAddedColumnWidthPx);
    }
    void AddRow(const std::vector<CString>& cells)
    {
        const int nRow = AppendRow();
        for (size_t i = 0; i < cells.size(); ++i)
            SetCellText(nRow, (int)i, cells[i]);
    }

    std::vector<CString> m_headings;
    std::vector<int> m_widths;
    std::vector<std::vector<CString>> m_rows;

private:
    static const int kAddedColumnWidthPx = 30;
    int m_nClientWidthPx;
};
