// The engine's matches table of one molecule: each observed value with its candidate
// fragments, most probable first (a value without candidates has one row, its candidate
// cells empty), and the run's summary; read from the text the engine writes.
#pragma once
#include "TableText.h"
#include <afx.h>
#include <vector>

class CMatchTable
{
public:
    CMatchTable() = default;

    // Replaces the contents with the engine's table. FALSE, with the line named in
    // strError and the contents empty, when the text is not what the engine writes.
    BOOL Parse(const CString& strText, CString& strError);
    void RemoveAll();

    int GetColumnCount() const { return (int)m_columnNames.size(); }
    // The column's name in the engine's header ("observed", "error_ppm").
    const CString& GetColumnName(int nColumn) const { return m_columnNames.at(nColumn); }
    BOOL IsTextColumn(int nColumn) const;
    // The columns of the candidate: the engine's names, each found in the header.
    int GetStartColumn() const { return m_nFirstCandidateColumn; }
    int GetEndColumn() const { return m_nFirstCandidateColumn + 1; }
    int GetSequenceColumn() const { return m_nFirstCandidateColumn + 2; }
    int GetShareColumn() const { return GetColumnCount() - 2; }
    int GetProbabilityColumn() const { return GetColumnCount() - 3; }

    int GetRowCount() const { return (int)m_rows.size(); }
    const CTableRow& GetRow(int nRow) const { return m_rows.at(nRow).row; }
    // The observed value (0-based, in the list's order) the row is a candidate of.
    int GetValueOfRow(int nRow) const { return m_rows.at(nRow).nValue; }
    // The row names a candidate; the row of a value without candidates does not.
    BOOL IsMatched(int nRow) const;
    // The observed values without a candidate, as the list writes them.
    std::vector<CString> GetUnmatchedValues() const;
    // "matched 6 of 7 observed values; ...", the engine's summary line; empty when none.
    const CString& GetSummary() const { return m_strSummary; }

    // Every row, in the engine's order, for SortTableRows and ExportTable.
    std::vector<const CTableRow*> GetRows() const;
    const std::vector<CString>& GetColumnNames() const { return m_columnNames; }

private:
    struct CMatchRow
    {
        CTableRow row;
        int nValue;
    };

    CString ReadHeader(const std::vector<CString>& names);
    CString ReadRow(const std::vector<CString>& cells);

    std::vector<CString> m_columnNames;
    std::vector<BOOL> m_textColumns;
    int m_nFirstCandidateColumn = 0;
    std::vector<CMatchRow> m_rows;
    CString m_strSummary;
};
