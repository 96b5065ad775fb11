// The reagent dialog's pattern operations between a position grid and a pattern table.
#pragma once
#include "IPatternGrid.h"
#include "IPatternTable.h"

// Width of a column that the table grows by when a pattern is added.
const int kAddedColumnWidthPx = 30;

// Gives an empty table the two centred default columns P1 and P1', sharing its width.
void AddDefaultColumns(IPatternTable& table, int& nFirst, int& nLast);

// The positions of the first and last cell that is not the empty string (a blank counts);
// FALSE, with (0, 1), when no cell is written.
BOOL GetGridExtent(const IPatternGrid& grid, int& nMin, int& nMax);

// Appends the grid's pattern as a new row, first widening the table (whose columns run
// from nFirst to nLast) on either side to take the grid's extent. Each cell comes from
// the grid position with the column's label, or is empty. FALSE, with the table
// unchanged, when every grid cell is empty.
BOOL AddGridPatternToTable(const IPatternGrid& grid, IPatternTable& table, int& nFirst, int& nLast);

// Shows row nRow of the table, whose first column is position nFirst, in the grid:
// widens the grid to the row's extent (cells holding only blanks do not count), then
// gives every grid position the row's text under its label, or the empty string.
// The grid never shrinks.
void LoadTableRowIntoGrid(const IPatternTable& table, int nRow, int nFirst, IPatternGrid& grid);
