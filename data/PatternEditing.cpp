#include "PatternEditing.h"
#include "PositionLabel.h"

#include <stdexcept>

namespace
{
BOOL HasTextBesideBlanks(const CString& strText)
{
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        if (strText[i] != ' ')
            return TRUE;
    }
    return FALSE;
}

// A grid's positions come from its header, which labels every one; an unreadable label
// would make the growth loops below run for ever.
int ReadableGridPosition(const IPatternGrid& grid, int nPosition)
{
    const int nIndex = ParsePositionLabel(grid.GetLabel(nPosition));
    if (nIndex == kUnreadablePosition)
        throw std::logic_error("position grid with an unreadable label: " + std::string(grid.GetLabel(nPosition)));
    return nIndex;
}

int FindColumn(const IPatternTable& table, const CString& strHeading)
{
    const int nColumns = table.GetColumnCount();
    for (int nColumn = 0; nColumn < nColumns; ++nColumn)
    {
        if (table.GetColumnHeading(nColumn) == strHeading)
            return nColumn;
    }
    return -1;
}
}

void AddDefaultColumns(IPatternTable& table, int& nFirst, int& nLast)
{
    const int nWidthPx = table.GetClientWidth();
    table.AppendColumn(PositionLabel(0), nWidthPx / 2);
    table.AppendColumn(PositionLabel(1), nWidthPx - nWidthPx / 2);
    nFirst = 0;
    nLast = 1;
}

BOOL GetGridExtent(const IPatternGrid& grid, int& nMin, int& nMax)
{
    int nFirstWritten = -1;
    int nLastWritten = -1;
    const int nPositions = grid.GetPositionCount();
    for (int i = 0; i < nPositions; ++i)
    {
        if (!grid.GetCell(i).IsEmpty())
        {
            if (nFirstWritten < 0)
                nFirstWritten = i;
            nLastWritten = i;
        }
    }
    if (nFirstWritten < 0)
    {
        nMin = 0;
        nMax = 1;
        return FALSE;
    }
    nMin = ReadableGridPosition(grid, nFirstWritten);
    nMax = ReadableGridPosition(grid, nLastWritten);
    return TRUE;
}

BOOL AddGridPatternToTable(const IPatternGrid& grid, IPatternTable& table, int& nFirst, int& nLast)
{
    int nMin = 0;
    int nMax = 0;
    if (!GetGridExtent(grid, nMin, nMax))
        return FALSE;

    for (; nFirst > nMin; --nFirst)
        table.InsertColumnAtLeft(PositionLabel(nFirst - 1), kAddedColumnWidthPx);
    for (; nLast < nMax; ++nLast)
        table.AppendColumn(PositionLabel(nLast + 1), kAddedColumnWidthPx);

    const int nRow = table.AppendRow();
    const int nColumns = table.GetColumnCount();
    const int nPositions = grid.GetPositionCount();
    for (int nColumn = 0; nColumn < nColumns; ++nColumn)
    {
        const CString strHeading = table.GetColumnHeading(nColumn);
        for (int i = 0; i < nPositions; ++i)
        {
            if (grid.GetLabel(i) == strHeading)
            {
                table.SetCellText(nRow, nColumn, grid.GetCell(i));
                break;
            }
        }
    }
    return TRUE;
}

void LoadTableRowIntoGrid(const IPatternTable& table, int nRow, int nFirst, IPatternGrid& grid)
{
    if (grid.GetPositionCount() == 0)
        throw std::logic_error("LoadTableRowIntoGrid needs a grid with positions");

    // 64-bit: a damaged record may put its first column near the end of the index range.
    const int nColumns = table.GetColumnCount();
    long long nRowFirst = 0;
    long long nRowLast = 1;
    for (int nColumn = 0; nColumn < nColumns; ++nColumn)
    {
        if (HasTextBesideBlanks(table.GetCellText(nRow, nColumn)))
        {
            nRowFirst = (long long)nFirst + nColumn;
            break;
        }
    }
    for (int nColumn = nColumns - 1; nColumn >= 0; --nColumn)
    {
        if (HasTextBesideBlanks(table.GetCellText(nRow, nColumn)))
        {
            nRowLast = (long long)nFirst + nColumn;
            break;
        }
    }

    const int nGridFirst = ReadableGridPosition(grid, 0);
    const int nGridLast = ReadableGridPosition(grid, grid.GetPositionCount() - 1);
    for (long long nIndex = (long long)nGridLast + 1; nIndex <= nRowLast; ++nIndex)
        grid.AppendPosition(PositionLabel((int)nIndex));
    if (nRowFirst < nGridFirst)
    {
        grid.ScrollFullyLeft();
        for (long long nAdd = nGridFirst - nRowFirst; nAdd > 0; --nAdd)
            grid.AddPositionAtLeft();
    }

    const int nPositions = grid.GetPositionCount();
    for (int i = 0; i < nPositions; ++i)
    {
        const int nColumn = FindColumn(table, grid.GetLabel(i));
        grid.SetCell(i, nColumn >= 0 ? table.GetCellText(nRow, nColumn) : CString());
    }
}
