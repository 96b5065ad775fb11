#include "MemPatternGrid.h"
#include <CPatternSet.h>
#include <PatternEditing.h>

#include <gtest/gtest.h>

TEST(PositionLabelTest, LabelsReadBackAndParsingDropsTheFirstCharacter)
{
    EXPECT_EQ((Texts{"P2", "P1", "P1'", "P2'"}),
              (Texts{PositionLabel(-1), PositionLabel(0), PositionLabel(1), PositionLabel(2)}));
    for (long long nIndex = -2147483000LL; nIndex < 2147483000LL; nIndex += 99991)
        ASSERT_EQ((int)nIndex, ParsePositionLabel(PositionLabel((int)nIndex))) << PositionLabel((int)nIndex);
    EXPECT_EQ(-1, ParsePositionLabel("Q2"));
    EXPECT_EQ(2, ParsePositionLabel("P2x'"));  // digits end at x
    EXPECT_EQ(-2, ParsePositionLabel("P3x"));
    for (LPCSTR lpszUnreadable : {"P", "P'", ""})
        EXPECT_EQ(kUnreadablePosition, ParsePositionLabel(lpszUnreadable)) << lpszUnreadable;
}

TEST(PatternTableTest, GrowingAtEitherSideMovesExistingRowsWithTheirHeadings)
{
    CMemPatternTable table({"P1", "P1'"}, {{"a", "b"}});
    int nFirst = 0, nLast = 1;
    // Written at P2 and P1' only: a column P2 at the left, the P1 cell empty.
    ASSERT_TRUE(AddGridPatternToTable(CMemPatternGrid(-3, 2).Write("P2", "KR").Write("P1'", "{P}"), table, nFirst,
                                      nLast));
    ASSERT_TRUE(AddGridPatternToTable(CMemPatternGrid(-2, 3).Write("P3", "A").Write("P3'", "C"), table, nFirst, nLast));
    EXPECT_EQ(-2, nFirst);
    EXPECT_EQ(3, nLast);
    EXPECT_EQ((Texts{"P3", "P2", "P1", "P1'", "P2'", "P3'"}), table.m_headings);
    EXPECT_EQ((std::vector<Texts>{{"", "", "a", "b", "", ""}, {"", "KR", "", "{P}", "", ""}, {"A", "", "", "", "", "C"}}),
              table.m_rows);
    EXPECT_EQ(kAddedColumnWidthPx, table.m_widths[0]);
}

TEST(PatternTableTest, AddingNeverNarrowsAndSkipsOnlyAGridWithoutText)
{
    CMemPatternTable table({"P3", "P2", "P1", "P1'", "P2'"});
    int nFirst = -2, nLast = 2;
    EXPECT_FALSE(AddGridPatternToTable(CMemPatternGrid(0, 1), table, nFirst, nLast));
    ASSERT_TRUE(AddGridPatternToTable(CMemPatternGrid(0, 1).Write("P1'", "W"), table, nFirst, nLast));
    ASSERT_TRUE(AddGridPatternToTable(CMemPatternGrid(0, 1).Write("P1", " "), table, nFirst, nLast));
    EXPECT_EQ((std::vector<Texts>{{"", "", "", "W", ""}, {"", "", " ", "", ""}}), table.m_rows);
}

TEST(PatternSetTest, TableStoresAsBeginCountAndRowMajorCellsAndShowsBackTheSame)
{
    const CMemPatternTable table({"P2", "P1", "P1'", "P2'"}, {{"a1", "a2", "a3", "a4"}, {"b1", "", " ", "b4"}});
    CPatternSet set;
    set.ReadTable(table);
    EXPECT_EQ(-1, set.m_nBegin);
    EXPECT_EQ(4, set.m_nCount);
    CMemPatternTable shown;
    int nFirst = 0, nLast = 0;
    set.FillTable(shown, nFirst, nLast);
    EXPECT_EQ(table.m_headings, shown.m_headings);
    EXPECT_EQ(table.m_rows, shown.m_rows);
    EXPECT_EQ(2, nLast);

    // Two positions show as P1 and P1' sharing the width; a short last row is padded.
    set.m_nCount = 2;
    set.m_lstCells.RemoveTail();
    CMemPatternTable pair;
    set.FillTable(pair, nFirst, nLast);
    EXPECT_EQ((std::vector<int>{75, 76}), pair.m_widths);
    EXPECT_EQ((Texts{" ", ""}), pair.m_rows.back());
}

TEST(PatternGridTest, LoadingGrowsTheGridRightThenLeftButNotForBlanks)
{
    const CMemPatternTable table({"P3", "P2", "P1", "P1'", "P2'", "P3'"},
                                 {{"", "", "", "", "", "H"}, {"D", " ", "", "", "", ""}, {" ", "", "", "", "", "  "}});
    CMemPatternGrid grid(0, 1);
    grid.Write("P1", "old");
    LoadTableRowIntoGrid(table, 0, -2, grid);
    EXPECT_EQ((Texts{"", "", "", "H"}), grid.m_cells);
    LoadTableRowIntoGrid(table, 1, -2, grid);
    EXPECT_EQ((Texts{"right P2'", "right P3'", "scroll", "left P2", "left P3"}), grid.m_events);
    EXPECT_EQ(table.m_rows[1], grid.m_cells);

    CMemPatternGrid narrow(0, 1);
    LoadTableRowIntoGrid(table, 2, -2, narrow);
    EXPECT_TRUE(narrow.m_events.empty());
}
