// The engine's results for one molecule: its fragment table and its site table, read from
// the text the engine writes, and the fragment table written out for other programs.
#pragma once
#include <afx.h>
#include <vector>

class CFragmentTable
{
public:
    // The fragment table's columns, in the engine's order.
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
        kColumnCount
    };

    struct CFragment
    {
        CString strCells[kColumnCount];  // as the engine wrote them
        double dValues[colSequence];     // the number cells' values; NaN for NA

        int GetStart() const { return (int)dValues[colStart]; }
        int GetEnd() const { return (int)dValues[colEnd]; }
    };

    struct CSite
    {
        int nPosition;  // the cut follows this residue
        char chLeft;
        char chRight;
        double dEfficiency;  // 0..1
    };

    // Replaces the contents with the engine's two tables. FALSE, with the table and line
    // named in strError and the contents empty, when a text is not what the engine writes.
    BOOL Parse(const CString& strFragments, const CString& strSites, CString& strError);
    void RemoveAll();

    int GetFragmentCount() const { return (int)m_fragments.size(); }
    const CFragment& GetFragment(int nRow) const { return m_fragments.at(nRow); }
    int GetSiteCount() const { return (int)m_sites.size(); }
    const CSite& GetSite(int nIndex) const { return m_sites.at(nIndex); }

    // The rows in the engine's order, then stably sorted by the column: numbers by value
    // with NA after every number in either direction, the sequence by its letters.
    std::vector<int> GetSortedRows(int nColumn, BOOL bAscending) const;
    // Writes the header and these rows, in this order: CSV when the file name ends in
    // .csv, tab-separated otherwise. FALSE with strError when the file cannot be written.
    BOOL Export(LPCSTR lpszPath, const std::vector<int>& rows, CString& strError) const;

private:
    CString FormatRows(char chSeparator, const std::vector<int>& rows) const;

    std::vector<CFragment> m_fragments;
    std::vector<CSite> m_sites;
};
