// The engine's results for one molecule: its fragment table and its site table, read from
// the text the engine writes, and the fragment table written out for other programs.
#pragma once
#include "TableText.h"
#include <afx.h>
#include <vector>

class CFragmentTable
{
public:
    // The columns every fragment table has, in the engine's order. Columns for the
    // engine's optional outputs may follow them: `modifications`, then `mz_1`, `mz_2`...
    enum Column
    {
        colStart,
        colEnd,
        colLength,
        colMissed,
        colProbability,
        colMonoMass,
        colAverageMass,
        colSequence,
        kFixedColumnCount
    };

    // What a column's cells hold.
    enum Kind
    {
        kindWhole,   // a whole number
        kindNumber,  // a decimal number
        kindMass,    // a decimal number, or NA where the engine knows no mass
        kindText,
    };

    struct CFragment : CTableRow
    {
        int GetStart() const { return (int)dValues[colStart]; }
        int GetEnd() const { return (int)dValues[colEnd]; }
    };

    struct CSite
    {
        int nPosition;  // the cut follows this residue
        char chLeft;
        char chRight;
        double dEfficiency;      // 0..1
        CString strReagents;     // the reagents that cut here, when the run used several
    };

    // Replaces the contents with the engine's two tables. FALSE, with the table and line
    // named in strError and the contents empty, when a text is not what the engine writes.
    BOOL Parse(const CString& strFragments, const CString& strSites, CString& strError);
    // No rows, and the fixed columns only.
    void RemoveAll();

    CFragmentTable() { RemoveAll(); }

    int GetColumnCount() const { return (int)m_columns.size(); }
    // The column's name in the engine's header ("mono_mass", "mz_2").
    const CString& GetColumnName(int nColumn) const { return m_columns.at(nColumn).strName; }
    Kind GetColumnKind(int nColumn) const { return m_columns.at(nColumn).kind; }
    // The charge of an m/z column (mz_2: 2); 0 for the others.
    int GetColumnCharge(int nColumn) const { return m_columns.at(nColumn).nCharge; }

    int GetFragmentCount() const { return (int)m_fragments.size(); }
    const CFragment& GetFragment(int nRow) const { return m_fragments.at(nRow); }
    int GetSiteCount() const { return (int)m_sites.size(); }
    const CSite& GetSite(int nIndex) const { return m_sites.at(nIndex); }

    // The rows in the engine's order, then stably sorted by the column: numbers by value
    // with NA after every number in either direction, text by its letters.
    std::vector<int> GetSortedRows(int nColumn, BOOL bAscending) const;
    // Writes the header and these rows, in this order: CSV when the file name ends in
    // .csv, tab-separated otherwise. FALSE with strError when the file cannot be written.
    BOOL Export(LPCSTR lpszPath, const std::vector<int>& rows, CString& strError) const;

private:
    struct CColumn
    {
        CString strName;
        Kind kind;
        int nCharge;
    };

    // Takes the header's names as the columns; what is wrong with them, or nothing.
    CString ReadHeader(const std::vector<CString>& names);
    std::vector<const CTableRow*> RowsOf() const;

    std::vector<CColumn> m_columns;
    std::vector<CFragment> m_fragments;
    std::vector<CSite> m_sites;
    BOOL m_bSiteReagents = FALSE;  // the site table has its reagents column
};
