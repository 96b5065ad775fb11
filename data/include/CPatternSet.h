// One side of a reagent (recognition or exception): the leftmost position, the number of
// positions per pattern, and the cells of all patterns row after row.
#pragma once
#include "IPatternTable.h"
#include <CPkArchive.h>

class CPatternSet
{
public:
    // A side without patterns: the two positions P1 and P1'.
    CPatternSet() = default;
    CPatternSet(const CPatternSet&) = delete;
    CPatternSet& operator=(const CPatternSet&) = delete;

    void Copy(const CPatternSet& other);

    // Count, begin, cells: the order of the library file and of the host's settings.
    // Reading appends to the cells, so readers empty them first.
    void Serialize(CPkArchive& ar);

    // Count is the number of columns, begin the first heading's position (unreadable
    // without columns), the cells every row from left to right.
    void ReadTable(const IPatternTable& table);
    // Lays the set out in an empty table: more than two positions get one 40-pixel column
    // each, otherwise the table gets its default columns P1 and P1'. The cells are dealt
    // row by row, one to a column; a short last row keeps empty cells. nFirst and nLast
    // receive the positions of the first and last column.
    void FillTable(IPatternTable& table, int& nFirst, int& nLast) const;

    int m_nBegin = 0;          // position index of the leftmost position
    int m_nCount = 2;          // positions per pattern
    CStringList m_lstCells;    // m_nCount cells per pattern, pattern after pattern
};
