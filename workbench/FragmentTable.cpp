#include "FragmentTable.h"
#include "TableText.h"
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
    const TableLineParser parseFragment = [this](const std::vector<CString>& cells) {
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
    const TableLineParser parseSiteHeader = [this](const std::vector<CString>& names) {
        const size_t nFixed = cleavage::kSiteColumnCount;
        m_bSiteReagents = names.size() == nFixed + 1 && names.back() == cleavage::kReagentsColumn;
        if (names.size() != nFixed + (m_bSiteReagents ? 1 : 0) ||
            !std::equal(std::begin(cleavage::kSiteColumns), std::end(cleavage::kSiteColumns), names.begin()))
            return NotTheEnginesHeader(cleavage::kSiteColumns, nFixed);
        return CString();
    };
    const TableLineParser parseSite = [this](const std::vector<CString>& cells) {
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
    const TableLineParser parseFragmentHeader = [this](const std::vector<CString>& names) { return ReadHeader(names); };
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
    return SortTableRows(RowsOf(), nColumn, GetColumnKind(nColumn) == kindText, bAscending);
}

std::vector<const CTableRow*> CFragmentTable::RowsOf() const
{
    std::vector<const CTableRow*> rows;
    for (const CFragment& fragment : m_fragments)
        rows.push_back(&fragment);
    return rows;
}

BOOL CFragmentTable::Export(LPCSTR lpszPath, const std::vector<int>& rows, CString& strError) const
{
    std::vector<CString> header;
    for (const CColumn& column : m_columns)
        header.push_back(column.strName);
    return ExportTable(lpszPath, header, RowsOf(), rows, strError);
}
