#include "FragmentTable.h"
#include "AnalysisRun.h"
#include <ResultFormat.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <numeric>

namespace
{
using cleavage::kChargeColumnPrefix;
using cleavage::kModificationsColumn;
using cleavage::kNotAvailable;

static_assert(CFragmentTable::kFixedColumnCount == cleavage::kFragmentColumnCount,
              "the fixed columns are the engine's");
// What each fixed column holds, in the engine's order.
const CFragmentTable::Kind kFixedColumnKinds[CFragmentTable::kFixedColumnCount] = {
    CFragmentTable::kindWhole,  CFragmentTable::kindWhole, CFragmentTable::kindWhole, CFragmentTable::kindWhole,
    CFragmentTable::kindNumber, CFragmentTable::kindMass,  CFragmentTable::kindMass,  CFragmentTable::kindText};

// Each takes a line's cells and returns what is wrong with them, or nothing.
typedef std::function<CString(const std::vector<CString>& cells)> LineParser;

std::vector<CString> SplitCells(const CString& strLine, char chSeparator)
{
    std::vector<CString> cells;
    int nStart = 0;
    for (int nEnd; (nEnd = strLine.Find(chSeparator, nStart)) >= 0; nStart = nEnd + 1)
        cells.push_back(strLine.Mid(nStart, nEnd - nStart));
    cells.push_back(strLine.Mid(nStart));
    return cells;
}

CString JoinCells(const std::vector<CString>& cells, LPCSTR lpszSeparator)
{
    CString strLine;
    for (size_t i = 0; i < cells.size(); ++i)
        strLine += (i == 0 ? "" : lpszSeparator) + cells[i];
    return strLine;
}

// The lines of a text without their line ends (LF or CR LF); a final line end ends the
// last line rather than starting an empty one.
std::vector<CString> SplitLines(const CString& strText)
{
    std::vector<CString> lines = SplitCells(strText, '\n');
    if (lines.back().IsEmpty())
        lines.pop_back();
    for (CString& strLine : lines)
        if (!strLine.IsEmpty() && strLine[strLine.GetLength() - 1] == '\r')
            strLine = strLine.Left(strLine.GetLength() - 1);
    return lines;
}

// A whole number of digits only, or a finite decimal number; nothing before or after it.
BOOL ParseNumber(const CString& strCell, BOOL bWhole, double& dValue)
{
    if (strCell.IsEmpty() || std::isspace((unsigned char)strCell[0]))
        return FALSE;
    char* pEnd = NULL;
    if (bWhole)
    {
        if (!std::isdigit((unsigned char)strCell[0]))
            return FALSE;
        const long nValue = std::strtol(strCell, &pEnd, 10);
        dValue = (double)nValue;
        return *pEnd == '\0' && nValue < INT_MAX;
    }
    dValue = std::strtod(strCell, &pEnd);
    return *pEnd == '\0' && std::isfinite(dValue);
}

CString CellError(LPCSTR lpszColumn, const CString& strCell, BOOL bWhole)
{
    CString strError;
    strError.Format("the %s \"%s\" is not %s", lpszColumn, (LPCSTR)strCell, bWhole ? "a whole number" : "a number");
    return strError;
}

CString NotTheEnginesHeader(const char* const* names, size_t nCount)
{
    return "the header is not the engine's (" + JoinCells(std::vector<CString>(names, names + nCount), ", ") + ")";
}

// Hands the header line's cells to one parser and each further line's to the other.
BOOL ParseTable(const CString& strText, LPCSTR lpszTable, const LineParser& parseHeader, const LineParser& parseRow,
                CString& strError)
{
    std::vector<CString> lines = SplitLines(strText);
    if (lines.empty())
        lines.push_back(CString());
    const size_t nColumns = SplitCells(lines[0], '\t').size();
    for (size_t i = 0; i < lines.size(); ++i)
    {
        const std::vector<CString> cells = SplitCells(lines[i], '\t');
        CString strProblem;
        if (i > 0 && cells.size() != nColumns)
            strProblem.Format("%d cells expected, %d found", (int)nColumns, (int)cells.size());
        else
            strProblem = i == 0 ? parseHeader(cells) : parseRow(cells);
        if (!strProblem.IsEmpty())
        {
            strError.Format("%s, line %d: %s.", lpszTable, (int)i + 1, (LPCSTR)strProblem);
            return FALSE;
        }
    }
    return TRUE;
}

// RFC 4180: a cell with a separator, a quote or a line end is quoted, its quotes doubled.
CString CsvCell(const CString& strCell)
{
    if (strCell.Find(',') < 0 && strCell.Find('"') < 0 && strCell.Find('\r') < 0 && strCell.Find('\n') < 0)
        return strCell;
    CString strQuoted = "\"";
    for (int i = 0; i < strCell.GetLength(); ++i)
        strQuoted += strCell[i] == '"' ? CString("\"\"") : CString(strCell[i]);
    return strQuoted + "\"";
}
}

CString CFragmentTable::ReadHeader(const std::vector<CString>& names)
{
    RemoveAll();
    if (names.size() < kFixedColumnCount || !std::equal(names.begin(), names.begin() + kFixedColumnCount,
                                                        std::begin(cleavage::kFragmentColumns)))
        return NotTheEnginesHeader(cleavage::kFragmentColumns, kFixedColumnCount);
    for (size_t i = kFixedColumnCount; i < names.size(); ++i)
    {
        const CString& strName = names[i];
        const CString strCharge = strName.Mid((int)strlen(kChargeColumnPrefix));
        double dCharge = 0;
        if (strName == kModificationsColumn)
            m_columns.push_back({strName, kindText, 0});
        else if (strName.Left((int)strlen(kChargeColumnPrefix)) == kChargeColumnPrefix && ParseNumber(strCharge, TRUE, dCharge) &&
                 dCharge > 0)
            m_columns.push_back({strName, kindMass, (int)dCharge});
        else
            return "the column \"" + strName + "\" is not one the engine writes";
    }
    return CString();
}

BOOL CFragmentTable::Parse(const CString& strFragments, const CString& strSites, CString& strError)
{
    const LineParser parseFragment = [this](const std::vector<CString>& cells) {
        CFragment fragment;
        fragment.strCells = cells;
        fragment.dValues.assign(cells.size(), NAN);
        for (size_t nColumn = 0; nColumn < cells.size(); ++nColumn)
        {
            const Kind kind = m_columns[nColumn].kind;
            const BOOL bWhole = kind == kindWhole;
            if (kind == kindText || (kind == kindMass && cells[nColumn] == kNotAvailable))
                continue;
            if (!ParseNumber(cells[nColumn], bWhole, fragment.dValues[nColumn]))
                return CellError(m_columns[nColumn].strName, cells[nColumn], bWhole);
        }
        m_fragments.push_back(std::move(fragment));
        return CString();
    };
    const LineParser parseSiteHeader = [this](const std::vector<CString>& names) {
        const size_t nFixed = cleavage::kSiteColumnCount;
        m_bSiteReagents = names.size() == nFixed + 1 && names.back() == cleavage::kReagentsColumn;
        if (names.size() != nFixed + (m_bSiteReagents ? 1 : 0) ||
            !std::equal(std::begin(cleavage::kSiteColumns), std::end(cleavage::kSiteColumns), names.begin()))
            return NotTheEnginesHeader(cleavage::kSiteColumns, nFixed);
        return CString();
    };
    const LineParser parseSite = [this](const std::vector<CString>& cells) {
        double dPosition = 0;
        CSite site = {};
        if (!ParseNumber(cells[0], TRUE, dPosition))
            return CellError(cleavage::kSiteColumns[0], cells[0], TRUE);
        if (cells[1].GetLength() != 1 || cells[2].GetLength() != 1)
            return CString("the left and right residues are not one letter each");
        if (!ParseNumber(cells[3], FALSE, site.dEfficiency))
            return CellError(cleavage::kSiteColumns[3], cells[3], FALSE);
        site.nPosition = (int)dPosition;
        site.chLeft = cells[1][0];
        site.chRight = cells[2][0];
        if (m_bSiteReagents)
            site.strReagents = cells[4];
        m_sites.push_back(site);
        return CString();
    };
    const LineParser parseFragmentHeader = [this](const std::vector<CString>& names) { return ReadHeader(names); };
    if (ParseTable(strFragments, "Fragment table", parseFragmentHeader, parseFragment, strError) &&
        ParseTable(strSites, "Site table", parseSiteHeader, parseSite, strError))
        return TRUE;
    RemoveAll();
    return FALSE;
}

void CFragmentTable::RemoveAll()
{
    m_columns.clear();
    for (int nColumn = 0; nColumn < kFixedColumnCount; ++nColumn)
    {
        m_columns.push_back({cleavage::kFragmentColumns[nColumn], kFixedColumnKinds[nColumn], 0});
    }
    m_fragments.clear();
    m_sites.clear();
    m_bSiteReagents = FALSE;
}

std::vector<int> CFragmentTable::GetSortedRows(int nColumn, BOOL bAscending) const
{
    ASSERT(nColumn >= 0 && nColumn < GetColumnCount());
    const BOOL bText = GetColumnKind(nColumn) == kindText;
    std::vector<int> rows(m_fragments.size());
    std::iota(rows.begin(), rows.end(), 0);
    const auto precedes = [this, nColumn, bAscending, bText](int nRowA, int nRowB) {
        const CFragment& a = m_fragments[nRowA];
        const CFragment& b = m_fragments[nRowB];
        if (bText)
        {
            const int nOrder = a.strCells[nColumn].Compare(b.strCells[nColumn]);
            return bAscending ? nOrder < 0 : nOrder > 0;
        }
        // A missing mass is neither the smallest nor the largest: it goes last either way.
        const double dA = a.dValues[nColumn];
        const double dB = b.dValues[nColumn];
        if (std::isnan(dA) || std::isnan(dB))
            return !std::isnan(dA) && std::isnan(dB);
        return bAscending ? dA < dB : dA > dB;
    };
    std::stable_sort(rows.begin(), rows.end(), precedes);
    return rows;
}

BOOL CFragmentTable::Export(LPCSTR lpszPath, const std::vector<int>& rows, CString& strError) const
{
    const CString strPath(lpszPath);
    const BOOL bCsv = strPath.Right(4).CompareNoCase(".csv") == 0;
    return WriteTextFile(lpszPath, FormatRows(bCsv ? ',' : '\t', rows), strError);
}

CString CFragmentTable::FormatRows(char chSeparator, const std::vector<int>& rows) const
{
    // Lines end in CR LF: RFC 4180 asks for it in CSV, and the Windows programs the files
    // go to read it in either format.
    const auto formatLine = [chSeparator](std::vector<CString> cells) {
        if (chSeparator == ',')
            std::transform(cells.begin(), cells.end(), cells.begin(), CsvCell);
        return JoinCells(cells, CString(chSeparator)) + "\r\n";
    };
    std::vector<CString> header;
    for (const CColumn& column : m_columns)
        header.push_back(column.strName);
    CString strText = formatLine(header);
    for (const int nRow : rows)
        strText += formatLine(m_fragments.at(nRow).strCells);
    return strText;
}
