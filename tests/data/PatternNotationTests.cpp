#include "MemPatternGrid.h"
#include "MemPatternTable.h"
#include <CPatternSet.h>
#include <PatternEditing.h>
#include <PositionLabel.h>

#include <gtest/gtest.h>

namespace
{
typedef std::vector<CString> Texts;

Texts CellsOf(const CStringList& lst)
{
    Texts cells;
    for (POSITION pos = lst.GetHeadPosition(); pos != NULL;)
        cells.push_back(lst.GetNext(pos));
    return cells;
}
}

TEST(PositionLabelTest, LabelsReadBackOverAWideRange)
{
    EXPECT_STREQ("P1", PositionLabel(0));
    EXPECT_STREQ("P2", PositionLabel(-1));
    EXPECT_STREQ("P1'", PositionLabel(1));
    EXPECT_STREQ("P2'", PositionLabel(2));
    for (int nIndex = -5000; nIndex <= 5000; ++nIndex)
        ASSERT_EQ(nIndex, ParsePositionLabel(PositionLabel(nIndex))) << PositionLabel(nIndex);
    for (long long nIndex = -2147483000LL; nIndex < 2147483000LL; nIndex += 999983)
        ASSERT_EQ((int)nIndex, ParsePositionLabel(PositionLabel((int)nIndex))) << PositionLabel((int)nIndex);
}

TEST(PositionLabelTest, ParsingDropsTheFirstCharacterAndStopsAtTheFirstNonDigit)
{
    EXPECT_EQ(-1, ParsePositionLabel("Q2"));                   // any first character
    EXPECT_EQ(2, ParsePositionLabel("P2x'"));                  // primed, digits end at x
    EXPECT_EQ(-2, ParsePositionLabel("P3x"));                  // unprimed: 1 - 3
    EXPECT_EQ(4, ParsePositionLabel("P 4'"));                  // leading blank skipped
    EXPECT_EQ(-999, ParsePositionLabel("P1000"));              // longer than a heading holds
    EXPECT_EQ(kUnreadablePosition, ParsePositionLabel("P"));   // no digit
    EXPECT_EQ(kUnreadablePosition, ParsePositionLabel("P'"));  // no digit
    EXPECT_EQ(kUnreadablePosition, ParsePositionLabel("'"));
    EXPECT_EQ(kUnreadablePosition, ParsePositionLabel(""));
}

TEST(PatternTableTest, GrowingAtTheLeftMovesExistingRowsWithTheirHeadings)
{
    CMemPatternTable table;
    int nFirst = 0, nLast = 0;
    AddDefaultColumns(table, nFirst, nLast);
    table.AddRow({"a", "b"});

    // Written at P2 and P1' only: one column P2 at the left, P1 stays empty.
    CMemPatternGrid grid(-3, 2);
    grid.Write("P2", "KR");
    grid.Write("P1'", "{P}");
    ASSERT_TRUE(AddGridPatternToTable(grid, table, nFirst, nLast));
    EXPECT_EQ(-1, nFirst);
    EXPECT_EQ(1, nLast);
    EXPECT_EQ((Texts{"P2", "P1", "P1'"}), table.m_headings);
    EXPECT_EQ((Texts{"", "a", "b"}), table.m_rows[0]);
    EXPECT_EQ((Texts{"KR", "", "{P}"}), table.m_rows[1]);
    EXPECT_EQ(kAddedColumnWidthPx, table.m_widths[0]);

    // Growth on both sides at once, and grid positions that are not columns are ignored.
    CMemPatternGrid wide(-2, 3);
    wide.Write("P3", "A");
    wide.Write("P3'", "C");
    ASSERT_TRUE(AddGridPatternToTable(wide, table, nFirst, nLast));
    EXPECT_EQ(-2, nFirst);
    EXPECT_EQ(3, nLast);
    EXPECT_EQ((Texts{"P3", "P2", "P1", "P1'", "P2'", "P3'"}), table.m_headings);
    EXPECT_EQ((Texts{"", "", "a", "b", "", ""}), table.m_rows[0]);
    EXPECT_EQ((Texts{"", "KR", "", "{P}", "", ""}), table.m_rows[1]);
    EXPECT_EQ((Texts{"A", "", "", "", "", "C"}), table.m_rows[2]);
}

TEST(PatternTableTest, AddingNeverNarrowsAndSkipsOnlyAnAllEmptyGrid)
{
    CMemPatternTable table;
    table.SetColumns({"P3", "P2", "P1", "P1'", "P2'"});
    int nFirst = -2, nLast = 2;

    CMemPatternGrid grid(0, 1);
    EXPECT_FALSE(AddGridPatternToTable(grid, table, nFirst, nLast));
    EXPECT_EQ(0, table.GetRowCount());

    grid.Write("P1'", "W");
    ASSERT_TRUE(AddGridPatternToTable(grid, table, nFirst, nLast));
    EXPECT_EQ(5, table.GetColumnCount());
    EXPECT_EQ(-2, nFirst);
    EXPECT_EQ(2, nLast);
    EXPECT_EQ((Texts{"", "", "", "W", ""}), table.m_rows[0]);

    // A lone blank is written text: the pattern is added, blank kept.
    CMemPatternGrid blank(0, 1);
    blank.Write("P1", " ");
    ASSERT_TRUE(AddGridPatternToTable(blank, table, nFirst, nLast));
    EXPECT_EQ((Texts{"", "", " ", "", ""}), table.m_rows[1]);
}

TEST(PatternTableTest, GridExtentCountsBlankCellsAndDefaultsToP1P1Prime)
{
    CMemPatternGrid grid(-3, 3);
    int nMin = 7, nMax = 7;
    EXPECT_FALSE(GetGridExtent(grid, nMin, nMax));
    EXPECT_EQ(0, nMin);
    EXPECT_EQ(1, nMax);

    grid.Write("P3", "  ");
    grid.Write("P2'", "G");
    EXPECT_TRUE(GetGridExtent(grid, nMin, nMax));
    EXPECT_EQ(-2, nMin);
    EXPECT_EQ(2, nMax);
}

TEST(PatternSetTest, TableStoresAsBeginCountAndRowMajorCellsAndShowsBackTheSame)
{
    CMemPatternTable table;
    table.SetColumns({"P2", "P1", "P1'", "P2'"});
    table.AddRow({"a1", "a2", "a3", "a4"});
    table.AddRow({"b1", "", " ", "b4"});

    CPatternSet set;
    set.ReadTable(table);
    EXPECT_EQ(-1, set.m_nBegin);
    EXPECT_EQ(4, set.m_nCount);
    EXPECT_EQ((Texts{"a1", "a2", "a3", "a4", "b1", "", " ", "b4"}), CellsOf(set.m_lstCells));

    CMemPatternTable shown;
    int nFirst = 0, nLast = 0;
    set.FillTable(shown, nFirst, nLast);
    EXPECT_EQ(table.m_headings, shown.m_headings);
    EXPECT_EQ(table.m_rows, shown.m_rows);
    EXPECT_EQ(-1, nFirst);
    EXPECT_EQ(2, nLast);
    EXPECT_EQ(40, shown.m_widths[0]);
}

TEST(PatternSetTest, ShortSetsShowAsDefaultColumnsAndAShortLastRowIsPadded)
{
    CPatternSet set;  // no patterns yet: begin 0, count 2
    set.m_lstCells.AddTail("x");
    set.m_lstCells.AddTail("y");
    set.m_lstCells.AddTail("z");

    CMemPatternTable shown(151);
    int nFirst = 9, nLast = 9;
    set.FillTable(shown, nFirst, nLast);
    EXPECT_EQ((Texts{"P1", "P1'"}), shown.m_headings);
    EXPECT_EQ((std::vector<int>{75, 76}), shown.m_widths);
    EXPECT_EQ(0, nFirst);
    EXPECT_EQ(1, nLast);
    ASSERT_EQ(2, shown.GetRowCount());
    EXPECT_EQ((Texts{"z", ""}), shown.m_rows[1]);

    // A table without columns stores an unreadable begin rather than a made-up one.
    CMemPatternTable empty;
    set.ReadTable(empty);
    EXPECT_EQ(0, set.m_nCount);
    EXPECT_EQ(kUnreadablePosition, set.m_nBegin);
    EXPECT_TRUE(set.m_lstCells.IsEmpty());
}

TEST(PatternGridTest, LoadingGrowsTheGridRightThenLeftAndEmptiesTheRest)
{
    CMemPatternTable table;
    table.SetColumns({"P3", "P2", "P1", "P1'", "P2'", "P3'"});
    table.AddRow({"", "", "", "", "", "H"});
    table.AddRow({"D", " ", "", "", "", ""});

    CMemPatternGrid grid(0, 1);
    grid.Write("P1", "old");
    LoadTableRowIntoGrid(table, 0, -2, grid);
    EXPECT_EQ((Texts{"P1", "P1'", "P2'", "P3'"}), grid.m_labels);
    EXPECT_EQ((Texts{"", "", "", "H"}), grid.m_cells);
    EXPECT_EQ((Texts{"right P2'", "right P3'"}), grid.m_events);

    // Growing at the left scrolls first; the grid keeps its right-hand surplus.
    grid.m_events.clear();
    LoadTableRowIntoGrid(table, 1, -2, grid);
    EXPECT_EQ((Texts{"scroll", "left P2", "left P3"}), grid.m_events);
    EXPECT_EQ((Texts{"P3", "P2", "P1", "P1'", "P2'", "P3'"}), grid.m_labels);
    EXPECT_EQ((Texts{"D", " ", "", "", "", ""}), grid.m_cells);
}

TEST(PatternGridTest, BlankOnlyCellsDoNotWidenTheGridButShowWhereItReaches)
{
    CMemPatternTable table;
    table.SetColumns({"P2", "P1", "P1'", "P2'"});
    table.AddRow({"  ", " ", "", "   "});

    CMemPatternGrid grid(0, 2);
    grid.Write("P2'", "stale");
    LoadTableRowIntoGrid(table, 0, -1, grid);
    EXPECT_TRUE(grid.m_events.empty());
    EXPECT_EQ((Texts{"P1", "P1'", "P2'"}), grid.m_labels);
    EXPECT_EQ((Texts{" ", "", "   "}), grid.m_cells);
}
