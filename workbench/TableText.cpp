#include "TableText.h"
#include "AnalysisRun.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace
{
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

BOOL ParseTable(const CString& strText, LPCSTR lpszTable, const TableLineParser& parseHeader, const TableLineParser& parseRow,
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

std::vector<int> SortTableRows(const std::vector<const CTableRow*>& rows, int nColumn, BOOL bText, BOOL bAscending)
{
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    const auto precedes = [&rows, nColumn, bAscending, bText](int nRowA, int nRowB) {
        const CTableRow& a = *rows[nRowA];
        const CTableRow& b = *rows[nRowB];
        if (bText)
        {
            const int nOrder = a.strCells[nColumn].Compare(b.strCells[nColumn]);
            return bAscending ? nOrder < 0 : nOrder > 0;
        }
        // A missing number is neither the smallest nor the largest: it goes last either way.
        const double dA = a.dValues[nColumn];
        const double dB = b.dValues[nColumn];
        if (std::isnan(dA) || std::isnan(dB))
            return !std::isnan(dA) && std::isnan(dB);
        return bAscending ? dA < dB : dA > dB;
    };
    std::stable_sort(order.begin(), order.end(), precedes);
    return order;
}

BOOL ExportTable(LPCSTR lpszPath, const std::vector<CString>& header, const std::vector<const CTableRow*>& rows,
                 const std::vector<int>& order, CString& strError)
{
    const BOOL bCsv = CString(lpszPath).Right(4).CompareNoCase(".csv") == 0;
    // Lines end in CR LF: RFC 4180 asks for it in CSV, and the Windows programs the files
    // go to read it in either format.
    const auto formatLine = [bCsv](std::vector<CString> cells) {
        if (bCsv)
            std::transform(cells.begin(), cells.end(), cells.begin(), CsvCell);
        return JoinCells(cells, bCsv ? "," : "\t") + "\r\n";
    };
    CString strText = formatLine(header);
    for (const int nRow : order)
        strText += formatLine(rows.at(nRow)->strCells);
    return WriteTextFile(lpszPath, strText, strError);
}
