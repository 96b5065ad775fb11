#include "FragmentTable.h"
#include "AnalysisRun.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <numeric>

namespace
{
const char* const kColumnNames[CFragmentTable::kColumnCount] = {
    "start", "end", "length", "missed", "probability", "mono_mass", "average_mass", "sequence"};
const char kSiteHeader[] = "position\tleft\tright\tefficiency";
const int kSiteColumnCount = 4;
// What the engine writes for a mass it cannot know (a fragment with B, Z or X).
const char kNotAvailable[] = "NA";

typedef std::function<CString(const std::vector<CString>& cells)> RowParser;

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

// Checks the header line, then hands each further line's cells to the row parser, which
// returns what is wrong with them, or nothing.
BOOL ParseTable(const CString& strText, LPCSTR lpszTable, const CString& strHeader, const RowParser& parseRow,
                CString& strError)
{
    const std::vector<CString> lines = SplitLines(strText);
    const std::vector<CString> columns = SplitCells(strHeader, '\t');
    if (lines.empty() || lines[0] != strHeader)
    {
        strError.Format("%s, line 1: the header is not the engine's (%s).", lpszTable,
                        (LPCSTR)JoinCells(columns, ", "));
        return FALSE;
    }
    for (size_t i = 1; i < lines.size(); ++i)
    {
        const std::vector<CString> cells = SplitCells(lines[i], '\t');
        CString strProblem;
        if (cells.size() != columns.size())
            strProblem.Format("%d cells expected, %d found", (int)columns.size(), (int)cells.size());
        else
            strProblem = parseRow(cells);
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

BOOL CFragmentTable::Parse(const CString& strFragments, const CString& strSites, CString& strError)
{
    RemoveAll();
    const std::vector<CString> header(std::begin(kColumnNames), std::end(kColumnNames));
    const RowParser parseFragment = [this](const std::vector<CString>& cells) {
        CFragment fragment;
        for (int nColumn = 0; nColumn < kColumnCount; ++nColumn)
            fragment.strCells[nColumn] = cells[nColumn];
        for (int nColumn = 0; nColumn < colSequence; ++nColumn)
        {
            const BOOL bWhole = nColumn <= colMissed;
            const BOOL bMass = nColumn == colMonoMass || nColumn == colAverageMass;
            if (bMass && cells[nColumn] == kNotAvailable)
                fragment.dValues[nColumn] = NAN;
            else if (!ParseNumber(cells[nColumn], bWhole, fragment.dValues[nColumn]))
                return CellError(kColumnNames[nColumn], cells[nColumn], bWhole);
        }
        m_fragments.push_back(fragment);
        return CString();
    };
    const RowParser parseSite = [this](const std::vector<CString>& cells) {
        double dPosition = 0;
        CSite site = {};
        if (!ParseNumber(cells[0], TRUE, dPosition))
            return CellError("position", cells[0], TRUE);
        if (cells[1].GetLength() != 1 || cells[2].GetLength() != 1)
            return CString("the left and right residues are not one letter each");
        if (!ParseNumber(cells[3], FALSE, site.dEfficiency))
            return CellError("efficiency", cells[3], FALSE);
        site.nPosition = (int)dPosition;
        site.chLeft = cells[1][0];
        site.chRight = cells[2][0];
        m_sites.push_back(site);
        return CString();
    };
    if (ParseTable(strFragments, "Fragment table", JoinCells(header, "\t"), parseFragment, strError) &&
        ParseTable(strSites, "Site table", kSiteHeader, parseSite, strError))
        return TRUE;
    RemoveAll();
    return FALSE;
}

void CFragmentTable::RemoveAll()
{
    m_fragments.clear();
    m_sites.clear();
}

std::vector<int> CFragmentTable::GetSortedRows(int nColumn, BOOL bAscending) const
{
    ASSERT(nColumn >= 0 && nColumn < kColumnCount);
    std::vector<int> rows(m_fragments.size());
    std::iota(rows.begin(), rows.end(), 0);
    const auto precedes = [this, nColumn, bAscending](int nRowA, int nRowB) {
        const CFragment& a = m_fragments[nRowA];
        const CFragment& b = m_fragments[nRowB];
        if (nColumn == colSequence)
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
    const auto formatLine = [chSeparator](const CString* pCells) {
        std::vector<CString> cells(pCells, pCells + kColumnCount);
        if (chSeparator == ',')
            std::transform(cells.begin(), cells.end(), cells.begin(), CsvCell);
        return JoinCells(cells, CString(chSeparator)) + "\r\n";
    };
    const std::vector<CString> header(std::begin(kColumnNames), std::end(kColumnNames));
    CString strText = formatLine(header.data());
    for (const int nRow : rows)
        strText += formatLine(m_fragments.at(nRow).strCells);
    return strText;
}
