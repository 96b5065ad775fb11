// One side's table of patterns as the reagent dialog shows it: a column per position,
// headed by the position's label, and a row per pattern. The pattern algorithms work
// on this interface, so the dialog's list views and the tests' in-memory tables share them.
#pragma once
#include <afx.h>

class IPatternTable
{
public:
    virtual ~IPatternTable() = default;

    virtual int GetColumnCount() const = 0;
    virtual CString GetColumnHeading(int nColumn) const = 0;
    // Both give every existing row an empty cell in the new column; at the left end the
    // existing cells move one column to the right with their headings.
    virtual void InsertColumnAtLeft(LPCSTR lpszHeading, int nWidthPx) = 0;
    virtual void AppendColumn(LPCSTR lpszHeading, int nWidthPx) = 0;
    // Width available to the columns, in pixels.
    virtual int GetClientWidth() const = 0;

    virtual int GetRowCount() const = 0;
    virtual CString GetCellText(int nRow, int nColumn) const = 0;
    virtual void SetCellText(int nRow, int nColumn, LPCSTR lpszText) = 0;
    // Adds a row of empty cells at the bottom and returns its index.
    virtual int AppendRow() = 0;
};
