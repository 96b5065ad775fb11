#include "MatchTable.h"
#include <ResultFormat.h>

#include <algorithm>
#include <cstring>
#include <cmath>
#include <iterator>

namespace
{
using cleavage::kCandidateColumns;
using cleavage::kObservedColumns;

// The candidate's columns that hold text; the mass list's own columns (an intensity, a
// label) are text too.
const char* const kTextColumns[] = {kObservedColumns[1], kCandidateColumns[2], cleavage::kModificationsColumn};
}

CString CMatchTable::ReadHeader(const std::vector<CString>& names)
{
    const size_t nObserved = std::size(kObservedColumns);
    const size_t nCandidate = std::size(kCandidateColumns);
    if (names.size() < nObserved + nCandidate ||
        !std::equal(std::begin(kObservedColumns), std::end(kObservedColumns), names.begin()) ||
        !std::equal(std::begin(kCandidateColumns), std::end(kCandidateColumns), names.end() - nCandidate))
        return "the header is not the engine's (" +
               JoinCells(std::vector<CString>(std::begin(kObservedColumns), std::end(kObservedColumns)), ", ") +
               ", the list's own columns, " +
               JoinCells(std::vector<CString>(std::begin(kCandidateColumns), std::end(kCandidateColumns)), ", ") + ")";
    m_columnNames = names;
    m_nFirstCandidateColumn = (int)(names.size() - nCandidate);
    m_textColumns.clear();
    for (int nColumn = 0; nColumn < (int)names.size(); ++nColumn)
    {
        const BOOL bKept = nColumn >= (int)nObserved && nColumn < m_nFirstCandidateColumn;
        m_textColumns.push_back(bKept || std::find(std::begin(kTextColumns), std::end(kTextColumns),
                                                   names[nColumn]) != std::end(kTextColumns));
    }
    return CString();
}

CString CMatchTable::ReadRow(const std::vector<CString>& cells)
{
    CMatchRow match = {};
    match.row.strCells = cells;
    match.row.dValues.assign(cells.size(), NAN);
    for (size_t nColumn = 0; nColumn < cells.size(); ++nColumn)
    {
        const BOOL bWhole = (int)nColumn == GetStartColumn() || (int)nColumn == GetEndColumn() ||
                            (int)nColumn == GetColumnCount() - 1;
        if (m_textColumns[nColumn] || (cells[nColumn].IsEmpty() && (int)nColumn >= m_nFirstCandidateColumn))
            continue;
        if (!ParseNumber(cells[nColumn], bWhole, match.row.dValues[nColumn]))
            return "the " + m_columnNames[nColumn] + " \"" + cells[nColumn] + "\" is not " +
                   (bWhole ? "a whole number" : "a number");
    }
    // A value's candidates are ranked from 1; a value without candidates has no rank.
    const double dRank = match.row.dValues.back();
    match.nValue = m_rows.empty() ? 0 : m_rows.back().nValue + (std::isnan(dRank) || dRank == 1 ? 1 : 0);
    m_rows.push_back(std::move(match));
    return CString();
}

BOOL CMatchTable::Parse(const CString& strText, CString& strError)
{
    RemoveAll();
    std::vector<CString> lines = SplitLines(strText);
    CString strSummary;
    const int nPrefix = (int)strlen(cleavage::kCommentPrefix);
    if (!lines.empty() && lines.back().Left(nPrefix) == cleavage::kCommentPrefix)
    {
        strSummary = lines.back().Mid(nPrefix);
        lines.pop_back();
    }
    const TableLineParser parseHeader = [this](const std::vector<CString>& names) { return ReadHeader(names); };
    const TableLineParser parseRow = [this](const std::vector<CString>& cells) { return ReadRow(cells); };
    if (!ParseTable(JoinCells(lines, "\n"), "Matches table", parseHeader, parseRow, strError))
    {
        RemoveAll();
        return FALSE;
    }
    m_strSummary = strSummary;
    return TRUE;
}

void CMatchTable::RemoveAll()
{
    m_columnNames.clear();
    m_textColumns.clear();
    m_nFirstCandidateColumn = 0;
    m_rows.clear();
    m_strSummary.Empty();
}

BOOL CMatchTable::IsTextColumn(int nColumn) const
{
    return m_textColumns.at(nColumn);
}

BOOL CMatchTable::IsMatched(int nRow) const
{
    return !GetRow(nRow).strCells.at(GetStartColumn()).IsEmpty();
}

std::vector<CString> CMatchTable::GetUnmatchedValues() const
{
    std::vector<CString> values;
    for (int nRow = 0; nRow < GetRowCount(); ++nRow)
        if (!IsMatched(nRow))
            values.push_back(GetRow(nRow).strCells[0]);
    return values;
}

std::vector<const CTableRow*> CMatchTable::GetRows() const
{
    std::vector<const CTableRow*> rows;
    for (const CMatchRow& match : m_rows)
        rows.push_back(&match.row);
    return rows;
}
