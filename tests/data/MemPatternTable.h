// A pattern table held in memory, standing in for the reagent dialog's list view.
#pragma once
#include <IPatternTable.h>
#include <vector>

typedef std::vector<CString> Texts;

class CMemPatternTable : public IPatternTable
{
public:
    explicit CMemPatternTable(const Texts& headings = {}, const std::vector<Texts>& rows = {})
        : m_headings(headings), m_widths(headings.size(), 30), m_rows(rows)
    {
    }

    int GetColumnCount() const override { return (int)m_headings.size(); }
    CString GetColumnHeading(int nColumn) const override { return m_headings.at(nColumn); }
    void InsertColumnAtLeft(LPCSTR lpszHeading, int nWidthPx) override { InsertColumn(0, lpszHeading, nWidthPx); }
    void AppendColumn(LPCSTR lpszHeading, int nWidthPx) override
    {
        InsertColumn(m_headings.size(), lpszHeading, nWidthPx);
    }
    int GetClientWidth() const override { return 151; }
    int GetRowCount() const override { return (int)m_rows.size(); }
    CString GetCellText(int nRow, int nColumn) const override { return m_rows.at(nRow).at(nColumn); }
    void SetCellText(int nRow, int nColumn, LPCSTR lpszText) override { m_rows.at(nRow).at(nColumn) = lpszText; }
    int AppendRow() override
    {
        m_rows.emplace_back(m_headings.size());
        return (int)m_rows.size() - 1;
    }

    Texts m_headings;
    std::vector<int> m_widths;
    std::vector<Texts> m_rows;

private:
    void InsertColumn(size_t nAt, LPCSTR lpszHeading, int nWidthPx)
    {
        m_headings.insert(m_headings.begin() + nAt, lpszHeading);
        m_widths.insert(m_widths.begin() + nAt, nWidthPx);
        for (Texts& row : m_rows)
            row.insert(row.begin() + nAt, CString());
    }
};
