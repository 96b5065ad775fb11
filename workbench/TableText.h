// The engine's tab-separated tables as text: their lines and cells, their numbers, their
// rows sorted by a column, and rows written out again as TSV or CSV for other programs.
#pragma once
#include <afx.h>
#include <functional>
#include <vector>

// A row as the engine wrote it.
struct CTableRow
{
    std::vector<CString> strCells;  // one per column
    std::vector<double> dValues;    // the number cells' values; NaN for NA, an empty cell and text
};

// Takes a line's cells and returns what is wrong with them, or nothing.
typedef std::function<CString(const std::vector<CString>& cells)> TableLineParser;

std::vector<CString> SplitCells(const CString& strLine, char chSeparator);
CString JoinCells(const std::vector<CString>& cells, LPCSTR lpszSeparator);
// The lines of a text without their line ends (LF or CR LF); a final line end ends the
// last line rather than starting an empty one.
std::vector<CString> SplitLines(const CString& strText);
// A whole number of digits only, or a finite decimal number; nothing before or after it.
BOOL ParseNumber(const CString& strCell, BOOL bWhole, double& dValue);
// Hands the header line's cells to one parser and each further line's to the other;
// FALSE with "<lpszTable>, line N: <problem>." in strError.
BOOL ParseTable(const CString& strText, LPCSTR lpszTable, const TableLineParser& parseHeader,
                const TableLineParser& parseRow, CString& strError);
// The rows' indexes in their order, then stably sorted by the column: numbers by value
// with NaN after every number in either direction, text by its letters.
std::vector<int> SortTableRows(const std::vector<const CTableRow*>& rows, int nColumn, BOOL bText,
                               BOOL bAscending);
// Writes the header and the rows in the order given: CSV when the file name ends in
// .csv, tab-separated otherwise. FALSE with strError when the file cannot be written.
BOOL ExportTable(LPCSTR lpszPath, const std::vector<CString>& header, const std::vector<const CTableRow*>& rows,
                 const std::vector<int>& order, CString& strError);
