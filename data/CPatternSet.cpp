#include "CPatternSet.h"
#include "PatternEditing.h"
#include "PositionLabel.h"

#include <stdexcept>

namespace
{
const int kSetColumnWidthPx = 40;
}

void CPatternSet::Copy(const CPatternSet& other)
{
    m_nBegin = other.m_nBegin;
    m_nCount = other.m_nCount;
    m_lstCells.RemoveAll();
    m_lstCells.AddTail(&other.m_lstCells);
}

void CPatternSet::Serialize(CPkArchive& ar)
{
    ar(m_nCount)(m_nBegin)(m_lstCells);
}

void CPatternSet::ReadTable(const IPatternTable& table)
{
    m_nCount = table.GetColumnCount();
    m_nBegin = m_nCount > 0 ? ParsePositionLabel(table.GetColumnHeading(0)) : kUnreadablePosition;
    m_lstCells.RemoveAll();
    const int nRows = table.GetRowCount();
    for (int nRow = 0; nRow < nRows; ++nRow)
    {
        for (int nColumn = 0; nColumn < m_nCount; ++nColumn)
            m_lstCells.AddTail(table.GetCellText(nRow, nColumn));
    }
}

void CPatternSet::FillTable(IPatternTable& table, int& nFirst, int& nLast) const
{
    if (table.GetColumnCount() != 0 || table.GetRowCount() != 0)
        throw std::logic_error("CPatternSet::FillTable needs an empty table");

    // Sets of one or two positions are shown as the default P1, P1' pair, so that the
    // table's columns and nFirst..nLast always agree.
    if (m_nCount > 2)
    {
        for (int i = 0; i < m_nCount; ++i)
            table.AppendColumn(PositionLabel((int)((UINT)m_nBegin + (UINT)i)), kSetColumnWidthPx);
        nFirst = m_nBegin;
        nLast = (int)((UINT)m_nBegin + (UINT)m_nCount - 1u);
    }
    else
    {
        AddDefaultColumns(table, nFirst, nLast);
    }

    const int nColumns = table.GetColumnCount();
    for (POSITION pos = m_lstCells.GetHeadPosition(); pos != NULL;)
    {
        const int nRow = table.AppendRow();
        for (int nColumn = 0; nColumn < nColumns && pos != NULL; ++nColumn)
            table.SetCellText(nRow, nColumn, m_lstCells.GetNext(pos));
    }
}
