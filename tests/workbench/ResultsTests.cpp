// The results pane: the engine's two tables read and written out, the fragment list
// sorted by its headings, and the cleavage map's drawing.
#include "AnalysisRun.h"
#include "CleavageMap.h"
#include "MatchTable.h"
#include "ResultsView.h"
#include "ScratchFolder.h"
#include "WindowTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// The engine's tables for this molecule with trypsin at 80 %, every fragment above 1 %,
// by position: X makes the masses NA, and the missed counts tie.
const char kSequence[] = "MKWVTRPAKDLGEKXARFGK";
const char kFragments[] =
    "start\tend\tlength\tmissed\tprobability\tmono_mass\taverage_mass\tsequence\n"
    "1\t2\t2\t0\t0.8\t277.146013\t277.3837\tMK\n"
    "1\t9\t9\t1\t0.16\t1115.627371\t1116.3797\tMKWVTRPAK\n"
    "1\t14\t14\t2\t0.032\t1657.897398\t1658.9623\tMKWVTRPAKDLGEK\n"
    "3\t9\t7\t0\t0.64\t856.491923\t857.0113\tWVTRPAK\n"
    "3\t14\t12\t1\t0.128\t1398.761950\t1399.5939\tWVTRPAKDLGEK\n"
    "3\t17\t15\t2\t0.0256\tNA\tNA\tWVTRPAKDLGEKXAR\n"
    "10\t14\t5\t0\t0.64\t560.280592\t560.5979\tDLGEK\n"
    "10\t17\t8\t1\t0.128\tNA\tNA\tDLGEKXAR\n"
    "10\t20\t11\t2\t0.032\tNA\tNA\tDLGEKXARFGK\n"
    "15\t17\t3\t0\t0.64\tNA\tNA\tXAR\n"
    "15\t20\t6\t1\t0.16\tNA\tNA\tXARFGK\n"
    "18\t20\t3\t0\t0.8\t350.195406\t350.4128\tFGK\n";
const char kSites[] =
    "position\tleft\tright\tefficiency\n"
    "2\tK\tW\t0.8\n"
    "9\tK\tD\t0.8\n"
    "14\tK\tX\t0.8\n"
    "17\tR\tF\t0.8\n";
const char kFragmentHeader[] = "start\tend\tlength\tmissed\tprobability\tmono_mass\taverage_mass\tsequence\n";
const char kSiteHeader[] = "position\tleft\tright\tefficiency\n";

CFragmentTable Parsed(const CString& strFragments, const CString& strSites)
{
    CFragmentTable table;
    CString strError;
    EXPECT_TRUE(table.Parse(strFragments, strSites, strError)) << strError;
    return table;
}
}

TEST(FragmentTableTest, KeepsTheEnginesTextsAndTheirNumbers)
{
    const CFragmentTable table = Parsed(kFragments, kSites);
    ASSERT_EQ(12, table.GetFragmentCount());
    const CFragmentTable::CFragment& fragment = table.GetFragment(4);
    EXPECT_STREQ("1398.761950", fragment.strCells[CFragmentTable::colMonoMass]);
    EXPECT_DOUBLE_EQ(1398.76195, fragment.dValues[CFragmentTable::colMonoMass]);
    EXPECT_STREQ("0.128", fragment.strCells[CFragmentTable::colProbability]);
    EXPECT_EQ(3, fragment.GetStart());
    EXPECT_EQ(14, fragment.GetEnd());
    EXPECT_STREQ("WVTRPAKDLGEK", fragment.strCells[CFragmentTable::colSequence]);
    const CFragmentTable::CFragment& withX = table.GetFragment(9);
    EXPECT_STREQ("NA", withX.strCells[CFragmentTable::colAverageMass]);
    EXPECT_TRUE(std::isnan(withX.dValues[CFragmentTable::colAverageMass]));

    ASSERT_EQ(4, table.GetSiteCount());
    EXPECT_EQ(14, table.GetSite(2).nPosition);
    EXPECT_EQ('K', table.GetSite(2).chLeft);
    EXPECT_EQ('X', table.GetSite(2).chRight);
    EXPECT_DOUBLE_EQ(0.8, table.GetSite(2).dEfficiency);
}

TEST(FragmentTableTest, NamesTheTableAndLineOfWhatIsNotTheEngines)
{
    const CString strRow = "1\t2\t2\t0\t0.8\t277.146013\t277.3837\tMK\n";
    const CString strSite = "2\tK\tW\t0.8\n";
    const CString strFragmentColumns =
        "start, end, length, missed, probability, mono_mass, average_mass, sequence";
    const struct
    {
        CString strFragments;
        CString strSites;
        CString strError;
    } cases[] = {
        // A batch table, with its protein column.
        {CString("protein\t") + kFragmentHeader, kSiteHeader,
         "Fragment table, line 1: the header is not the engine's (" + strFragmentColumns + ")."},
        // Nothing at all.
        {"", kSiteHeader, "Fragment table, line 1: the header is not the engine's (" + strFragmentColumns + ")."},
        // A row without its sequence.
        {kFragmentHeader + strRow + "1\t9\t9\t1\t0.16\t1115.627371\t1116.3797\n", kSiteHeader,
         "Fragment table, line 3: 8 cells expected, 7 found."},
        {kFragmentHeader + strRow + "\n", kSiteHeader, "Fragment table, line 3: 8 cells expected, 1 found."},
        {kFragmentHeader + CString("1x\t2\t2\t0\t0.8\t277.146013\t277.3837\tMK\n"), kSiteHeader,
         "Fragment table, line 2: the start \"1x\" is not a whole number."},
        {kFragmentHeader + CString("1\t2\t2\t-1\t0.8\t277.146013\t277.3837\tMK\n"), kSiteHeader,
         "Fragment table, line 2: the missed \"-1\" is not a whole number."},
        // NA stands for masses only.
        {kFragmentHeader + CString("1\t2\t2\t0\tNA\t277.146013\t277.3837\tMK\n"), kSiteHeader,
         "Fragment table, line 2: the probability \"NA\" is not a number."},
        {kFragmentHeader + CString("1\t2\t2\t0\t0.8\tnan\t277.3837\tMK\n"), kSiteHeader,
         "Fragment table, line 2: the mono_mass \"nan\" is not a number."},
        {kFragmentHeader + CString("1\t2\t2\t0\t0.8\t277.146013\t 277.3837\tMK\n"), kSiteHeader,
         "Fragment table, line 2: the average_mass \" 277.3837\" is not a number."},
        // Optional columns: only those the engine writes, with their kinds of cells.
        {"start\tend\tlength\tmissed\tprobability\tmono_mass\taverage_mass\tsequence\tmz_0\n", kSiteHeader,
         "Fragment table, line 1: the column \"mz_0\" is not one the engine writes."},
        {"start\tend\tlength\tmissed\tprobability\tmono_mass\taverage_mass\tsequence\tcharge\n", kSiteHeader,
         "Fragment table, line 1: the column \"charge\" is not one the engine writes."},
        {"start\tend\tlength\tmissed\tprobability\tmono_mass\taverage_mass\tsequence\tmz_2\n"
         "1\t2\t2\t0\t0.8\t277.146013\t277.3837\tMK\t139.58x\n",
         kSiteHeader, "Fragment table, line 2: the mz_2 \"139.58x\" is not a number."},
        {kFragments, "position\tleft\tright\tefficiency\tcutters\n",
         "Site table, line 1: the header is not the engine's (position, left, right, efficiency)."},
        {kFragments, "position\tleft\tright\n",
         "Site table, line 1: the header is not the engine's (position, left, right, efficiency)."},
        {kFragments, kSiteHeader + strSite + "9\tK\tD\t0,8\n",
         "Site table, line 3: the efficiency \"0,8\" is not a number."},
        {kFragments, kSiteHeader + CString("9\tKR\tD\t0.8\n"),
         "Site table, line 2: the left and right residues are not one letter each."},
        {kFragments, kSiteHeader + CString("9.5\tK\tD\t0.8\n"),
         "Site table, line 2: the position \"9.5\" is not a whole number."},
    };
    for (const auto& damaged : cases)
    {
        SCOPED_TRACE(damaged.strError);
        CFragmentTable table = Parsed(kFragments, kSites);
        CString strError;
        EXPECT_FALSE(table.Parse(damaged.strFragments, damaged.strSites, strError));
        EXPECT_STREQ(damaged.strError, strError);
        // Nothing of a damaged text, nor of the earlier tables, is kept.
        EXPECT_EQ(0, table.GetFragmentCount());
        EXPECT_EQ(0, table.GetSiteCount());
    }
}

// The matches table: a value's candidates are the rows from its rank 1 on, a value
// without candidates is its own row, the summary is the last comment; what is not the
// engine's table names its line and leaves the table empty.
TEST(MatchTableTest, GroupsEachValuesCandidatesOrNamesTheLine)
{
    const CString strHeader = "observed\tcharge\tobserved_mass\tlabel\tstart\tend\tsequence\tmodifications\tmass\t"
                              "error_ppm\terror_da\tprobability\tshare\trank\n";
    const CString strRows = "500.3\t\t499.292724\ta\t3\t6\tWVTR\t\t499.292\t1.45\t0.000724\t0.6\t0.7500\t1\n"
                            "500.3\t\t499.292724\ta\t5\t8\tTRPA\t\t499.293\t-0.56\t-0.000276\t0.2\t0.2500\t2\n"
                            "700.1\t\t699.092724\tb\t\t\t\t\t\t\t\t\t\t\n"
                            "500.3\t\t499.292724\tc\t3\t6\tWVTR\t\t499.292\t1.45\t0.000724\t0.6\t1.0000\t1\n"
                            "# matched 2 of 3 observed values; residues covered by the first-ranked candidates: 20 %\n";
    CMatchTable table;
    CString strError;
    ASSERT_TRUE(table.Parse(strHeader + strRows, strError)) << (LPCSTR)strError;
    std::vector<int> values;
    for (int nRow = 0; nRow < table.GetRowCount(); ++nRow)
        values.push_back(table.GetValueOfRow(nRow));
    EXPECT_EQ((std::vector<int>{0, 0, 1, 2}), values);
    EXPECT_EQ(std::vector<CString>{"700.1"}, table.GetUnmatchedValues());
    EXPECT_STREQ("matched 2 of 3 observed values; residues covered by the first-ranked candidates: 20 %",
                 table.GetSummary());
    // By share, the value without candidates last either way.
    EXPECT_EQ((std::vector<int>{1, 0, 3, 2}), SortTableRows(table.GetRows(), table.GetShareColumn(), FALSE, TRUE));
    EXPECT_EQ((std::vector<int>{3, 0, 1, 2}), SortTableRows(table.GetRows(), table.GetShareColumn(), FALSE, FALSE));

    const struct
    {
        CString strText;
        LPCSTR lpszError;
    } cases[] = {
        // A batch table, with its protein column, is not the window's.
        {"observed\tcharge\tobserved_mass\tprotein\tstart\tend\tsequence\tmodifications\tmass\terror_ppm\terror_da\t"
         "probability\tshare\n",
         "Matches table, line 1: the header is not the engine's (observed, charge, observed_mass, the list's own "
         "columns, start, end, sequence, modifications, mass, error_ppm, error_da, probability, share, rank)."},
        {strHeader + "500.3\t\t499.292724\ta\t3.5\t6\tWVTR\t\t499.292\t1.45\t0.000724\t0.6\t0.7500\t1\n",
         "Matches table, line 2: the start \"3.5\" is not a whole number."},
        {strHeader + "500.3\t\tNA\ta\t\t\t\t\t\t\t\t\t\t\n",
         "Matches table, line 2: the observed_mass \"NA\" is not a number."},
    };
    for (const auto& c : cases)
    {
        EXPECT_FALSE(table.Parse(c.strText, strError));
        EXPECT_STREQ(c.lpszError, strError);
        EXPECT_EQ(0, table.GetRowCount());
    }
}

TEST(FragmentTableTest, ExportWritesTheRowsGivenAsTsvOrQuotedCsv)
{
    ScratchFolder scratch;
    const CFragmentTable table = Parsed(kFragmentHeader + CString("1\t2\t2\t0\t0.8\tNA\tNA\tA,B\n"
                                                                   "3\t4\t2\t0\t0.5\t1.5\t1.6\tsay \"C\"\n"
                                                                   "5\t6\t2\t1\t0.25\t2.5\t2.6\tD\rE\n"),
                                        kSiteHeader);
    const std::vector<int> rows = {2, 0, 1};
    CString strError;
    const struct
    {
        const char* lpszName;
        const char* lpszBytes;
    } files[] = {
        // Tab-separated: the cells as they are.
        {"fragments.tsv",
         "start\tend\tlength\tmissed\tprobability\tmono_mass\taverage_mass\tsequence\r\n"
         "5\t6\t2\t1\t0.25\t2.5\t2.6\tD\rE\r\n"
         "1\t2\t2\t0\t0.8\tNA\tNA\tA,B\r\n"
         "3\t4\t2\t0\t0.5\t1.5\t1.6\tsay \"C\"\r\n"},
        // CSV, whatever the extension's case, as in Windows file names: cells quoted as needed.
        {"fragments.CSV",
         "start,end,length,missed,probability,mono_mass,average_mass,sequence\r\n"
         "5,6,2,1,0.25,2.5,2.6,\"D\rE\"\r\n"
         "1,2,2,0,0.8,NA,NA,\"A,B\"\r\n"
         "3,4,2,0,0.5,1.5,1.6,\"say \"\"C\"\"\"\r\n"},
    };
    for (const auto& file : files)
    {
        SCOPED_TRACE(file.lpszName);
        ASSERT_TRUE(table.Export(scratch.PathOf(file.lpszName), rows, strError)) << strError;
        EXPECT_EQ(file.lpszBytes, ReadWholeFile(scratch.PathOf(file.lpszName)));
    }

    EXPECT_FALSE(table.Export(scratch.PathOf("no folder\\fragments.csv"), rows, strError));
    EXPECT_NE(-1, strError.Find("no folder\\fragments.csv")) << strError;
}

class ResultsViewTest : public testing::Test
{
protected:
    enum
    {
        IDC_RESULTS = 300
    };

    void SetUp() override
    {
        ASSERT_TRUE(m_view.Create(WS_VISIBLE | WS_BORDER, CRect(10, 10, 590, 400), &m_host, IDC_RESULTS));
        m_view.SetResults(Parsed(kFragments, kSites));
        PumpMessages();
    }

    // What the list view does when its header is clicked: it turns the header's
    // HDN_ITEMCLICK into its own LVN_COLUMNCLICK to its parent, which reflects it.
    void ClickHeading(int nColumn)
    {
        const HWND hHeader = m_view.GetHeaderCtrl()->m_hWnd;
        NMHEADERA click = {{hHeader, (UINT_PTR)::GetDlgCtrlID(hHeader), (UINT)HDN_ITEMCLICKA}, nColumn, 0, NULL};
        m_view.SendMessage(WM_NOTIFY, click.hdr.idFrom, (LPARAM)&click);
        PumpMessages();
    }

    // The sequences shown, top to bottom: "MK FGK ...".
    std::string Sequences() const
    {
        std::string strShown;
        for (int nItem = 0; nItem < m_view.GetItemCount(); ++nItem)
            strShown += (nItem ? " " : "") + std::string((LPCSTR)m_view.GetItemText(nItem, CFragmentTable::colSequence));
        return strShown;
    }

    // The starts shown, top to bottom, each after a space: " 3 6 9".
    std::string Starts() const
    {
        std::string strShown;
        for (int nItem = 0; nItem < m_view.GetItemCount(); ++nItem)
            strShown += " " + std::string((LPCSTR)m_view.GetItemText(nItem, CFragmentTable::colStart));
        return strShown;
    }

    // The headings' sort arrows: "^" up, "v" down, "." none.
    std::string SortArrows() const
    {
        std::string strArrows;
        CHeaderCtrl* pHeader = m_view.GetHeaderCtrl();
        for (int nColumn = 0; nColumn < pHeader->GetItemCount(); ++nColumn)
        {
            HDITEMA item = {};
            item.mask = HDI_FORMAT;
            EXPECT_TRUE(pHeader->GetItem(nColumn, &item));
            strArrows += (item.fmt & HDF_SORTUP) ? '^' : (item.fmt & HDF_SORTDOWN) ? 'v' : '.';
        }
        return strArrows;
    }

    TestHostWindow m_host;
    CResultsView m_view;
};

TEST_F(ResultsViewTest, ShowsEachFragmentWithTheEnginesTextsInItsOrder)
{
    ASSERT_EQ(12, m_view.GetItemCount());
    const char* const expected[] = {"3", "17", "15", "2", "2.56", "NA", "NA", "WVTRPAKDLGEKXAR"};
    for (int nColumn = 0; nColumn < CFragmentTable::kFixedColumnCount; ++nColumn)
        EXPECT_STREQ(expected[nColumn], m_view.GetItemText(5, nColumn)) << "column " << nColumn;
    EXPECT_EQ("........", SortArrows());
    // The masses' headings carry their unit.
    char szHeading[32] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = szHeading;
    column.cchTextMax = sizeof(szHeading);
    ASSERT_TRUE(m_view.SendMessage(LVM_GETCOLUMNA, CFragmentTable::colAverageMass, (LPARAM)&column));
    EXPECT_STREQ("Average mass (Da)", szHeading);

    m_view.Clear();
    EXPECT_EQ(0, m_view.GetItemCount());
    EXPECT_TRUE(m_view.GetShownRows().empty());
}

// Each heading has room for its text and the sort arrow; in a wide list the sequences'
// column takes what the others leave, so the columns end at the list's right edge.
TEST_F(ResultsViewTest, HeadingsFitTheirArrowAndTheSequencesFillTheWidth)
{
    m_view.MoveWindow(10, 10, 1200, 300);
    CHeaderCtrl* pHeader = m_view.GetHeaderCtrl();
    int nTotal = 0;
    for (int nColumn = 0; nColumn < pHeader->GetItemCount(); ++nColumn)
    {
        char szHeading[32] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = szHeading;
        item.cchTextMax = sizeof(szHeading);
        ASSERT_TRUE(pHeader->GetItem(nColumn, &item));
        EXPECT_GE(item.cxy, m_view.GetStringWidth(szHeading) + 30) << szHeading;
        nTotal += item.cxy;
    }
    CRect rcClient;
    m_view.GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.Width(), nTotal);
}

TEST_F(ResultsViewTest, OptionalColumnsAreReadShownSortedAndExported)
{
    const CString strFragments = CString(kFragmentHeader).Left((int)strlen(kFragmentHeader) - 1) +
                                 "\tmodifications\tmz_2\tmz_3\n"
                                 "1\t2\t2\t0\t0.8\t293.140928\t293.3831\tMK\tM1:Oxidation\t147.577740\t98.720919\n"
                                 "1\t2\t2\t0\t0.8\t277.146013\t277.3837\tMK\t\t139.580283\t93.389281\n"
                                 "3\t5\t3\t0\t0.5\tNA\tNA\tXAR\t\tNA\tNA\n";
    const CString strSites = "position\tleft\tright\tefficiency\treagents\n2\tK\tX\t0.8\tTrypsin+Lys-C\n";
    const CFragmentTable table = Parsed(strFragments, strSites);
    ASSERT_EQ(11, table.GetColumnCount());
    EXPECT_EQ(CFragmentTable::kindText, table.GetColumnKind(8));
    EXPECT_EQ(3, table.GetColumnCharge(10));
    EXPECT_DOUBLE_EQ(147.57774, table.GetFragment(0).dValues[9]);
    EXPECT_TRUE(std::isnan(table.GetFragment(2).dValues[9]));
    EXPECT_STREQ("Trypsin+Lys-C", table.GetSite(0).strReagents);

    m_view.SetResults(table);
    PumpMessages();
    const char* const headings[] = {"Modifications", "m/z (2+)", "m/z (3+)"};
    for (int nColumn = 8; nColumn < 11; ++nColumn)
    {
        char szHeading[32] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = szHeading;
        column.cchTextMax = sizeof(szHeading);
        ASSERT_TRUE(m_view.SendMessage(LVM_GETCOLUMNA, nColumn, (LPARAM)&column));
        EXPECT_STREQ(headings[nColumn - 8], szHeading);
    }
    EXPECT_STREQ("M1:Oxidation", m_view.GetItemText(0, 8));
    ClickHeading(8);  // text: the empty ones first
    EXPECT_EQ(" 1 3 1", Starts());
    ClickHeading(9);  // by value, NA last
    EXPECT_EQ(" 1 1 3", Starts());
    EXPECT_STREQ("", m_view.GetItemText(0, 8));

    ScratchFolder scratch;
    CString strError;
    ASSERT_TRUE(m_view.Export(scratch.PathOf("mods.csv"), strError)) << strError;
    const std::string strExported = ReadWholeFile(scratch.PathOf("mods.csv"));
    EXPECT_EQ("start,end,length,missed,probability,mono_mass,average_mass,sequence,modifications,mz_2,mz_3\r\n"
              "1,2,2,0,0.8,277.146013,277.3837,MK,,139.580283,93.389281\r\n",
              strExported.substr(0, strExported.find("\r\n", strExported.find("\r\n") + 2) + 2));

    // The fixed columns come back with a table without the optional ones.
    m_view.SetResults(Parsed(kFragments, kSites));
    EXPECT_EQ(8, m_view.GetHeaderCtrl()->GetItemCount());
}

TEST_F(ResultsViewTest, TiesKeepTheEnginesOrderInEitherDirection)
{
    // Enough rows that an unstable sort would show: 1, 4, 7... miss 1 site, 2, 5, 8... miss 2.
    const int nRows = 60;
    CString strFragments = kFragmentHeader;
    std::string strAscending[3];
    for (int nRow = 1; nRow <= nRows; ++nRow)
    {
        CString strRow;
        strRow.Format("%d\t%d\t1\t%d\t0.5\t1\t1\tK\n", nRow, nRow, nRow % 3);
        strFragments += strRow;
        strAscending[nRow % 3] += " " + std::to_string(nRow);
    }
    m_view.SetResults(Parsed(strFragments, kSiteHeader));
    ClickHeading(CFragmentTable::colMissed);
    EXPECT_EQ(strAscending[0] + strAscending[1] + strAscending[2], Starts());
    ClickHeading(CFragmentTable::colMissed);
    EXPECT_EQ(strAscending[2] + strAscending[1] + strAscending[0], Starts());
}

TEST_F(ResultsViewTest, EachClickOnAHeadingSortsByItsColumn)
{
    const struct
    {
        int nColumn;
        const char* lpszSequences;
        const char* lpszArrows;
    } clicks[] = {
        // A mass, by value (not by text): NA after every number.
        {CFragmentTable::colMonoMass,
         "MK FGK DLGEK WVTRPAK MKWVTRPAK WVTRPAKDLGEK MKWVTRPAKDLGEK WVTRPAKDLGEKXAR DLGEKXAR DLGEKXARFGK XAR XARFGK",
         ".....^.."},
        // The same heading again: the other way, NA still last.
        {CFragmentTable::colMonoMass,
         "MKWVTRPAKDLGEK WVTRPAKDLGEK MKWVTRPAK WVTRPAK DLGEK FGK MK WVTRPAKDLGEKXAR DLGEKXAR DLGEKXARFGK XAR XARFGK",
         ".....v.."},
        // Another heading starts ascending and takes the arrow; sequences go alphabetically.
        {CFragmentTable::colSequence,
         "DLGEK DLGEKXAR DLGEKXARFGK FGK MK MKWVTRPAK MKWVTRPAKDLGEK WVTRPAK WVTRPAKDLGEK WVTRPAKDLGEKXAR XAR XARFGK",
         ".......^"},
        // Sequences the other way.
        {CFragmentTable::colSequence,
         "XARFGK XAR WVTRPAKDLGEKXAR WVTRPAKDLGEK WVTRPAK MKWVTRPAKDLGEK MKWVTRPAK MK FGK DLGEKXARFGK DLGEKXAR DLGEK",
         ".......v"},
        // After a descending column too, a new one starts ascending.
        {CFragmentTable::colLength,
         "MK XAR FGK DLGEK XARFGK WVTRPAK DLGEKXAR MKWVTRPAK DLGEKXARFGK WVTRPAKDLGEK MKWVTRPAKDLGEK WVTRPAKDLGEKXAR",
         "..^....."},
    };
    for (const auto& click : clicks)
    {
        SCOPED_TRACE(click.lpszArrows);
        ClickHeading(click.nColumn);
        EXPECT_EQ(click.lpszSequences, Sequences());
        EXPECT_EQ(click.lpszArrows, SortArrows());
    }
}

TEST_F(ResultsViewTest, TheSelectionStaysWithItsFragment)
{
    ASSERT_TRUE(m_view.SetItemState(11, LVIS_SELECTED, LVIS_SELECTED));  // FGK
    ClickHeading(CFragmentTable::colMonoMass);
    EXPECT_EQ(1, m_view.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(-1, m_view.GetNextItem(1, LVNI_SELECTED));
}

// The map of a 20-residue molecule, 10 pixels a residue.
class CleavageMapTest : public testing::Test
{
protected:
    static const int kResiduePx = 10;
    static const int kLength = 20;

    void SetUp() override
    {
        const int nWidth = 2 * CCleavageMap::kMarginPx + kLength * kResiduePx;
        ASSERT_TRUE(m_map.Create(WS_VISIBLE, CRect(10, 10, 10 + nWidth, 210), &m_host, 301));
        m_map.SetMolecule(kSequence);
        Update();
    }

    // Paints what the map has invalidated, and nothing else.
    void Update()
    {
        m_map.UpdateWindow();
        PumpMessages();
        CRect rcClient;
        m_map.GetClientRect(&rcClient);
        m_pixels.assign(rcClient.Height(), std::vector<COLORREF>(rcClient.Width()));
        const HDC hDC = ::GetDC(m_map.m_hWnd);
        for (int y = 0; y < rcClient.Height(); ++y)
            for (int x = 0; x < rcClient.Width(); ++x)
                m_pixels[y][x] = ::GetPixel(hDC, x, y);
        ::ReleaseDC(m_map.m_hWnd, hDC);
    }

    static int BoundaryX(int nResidues) { return CCleavageMap::kMarginPx + nResidues * kResiduePx; }

    // The columns that show the colour anywhere.
    std::vector<int> ColumnsWith(COLORREF colour) const
    {
        std::vector<int> columns;
        for (int x = 0; x < (int)m_pixels[0].size(); ++x)
            for (const auto& row : m_pixels)
                if (row[x] == colour)
                {
                    columns.push_back(x);
                    break;
                }
        return columns;
    }

    // The first y from the top where the column is not the background.
    int TopOfDrawing(int x) const
    {
        for (int y = 0; y < (int)m_pixels.size(); ++y)
            if (m_pixels[y][x] != ::GetSysColor(COLOR_WINDOW))
                return y;
        return -1;
    }

    // The run of drawn pixels from the top of the column down.
    int MarkHeight(int x) const
    {
        int y = TopOfDrawing(x);
        const int nTop = y;
        while (y >= 0 && y < (int)m_pixels.size() && m_pixels[y][x] != ::GetSysColor(COLOR_WINDOW))
            ++y;
        return y - nTop;
    }

    // Where runs of bar colour start down the column.
    std::vector<int> BarTops(int x) const
    {
        std::vector<int> tops;
        for (int y = 0; y < (int)m_pixels.size(); ++y)
            if (m_pixels[y][x] == CCleavageMap::kBarColour && (y == 0 || m_pixels[y - 1][x] != CCleavageMap::kBarColour))
                tops.push_back(y);
        return tops;
    }

    int CountPixels(COLORREF colour) const
    {
        int nCount = 0;
        for (const auto& row : m_pixels)
            nCount += (int)std::count(row.begin(), row.end(), colour);
        return nCount;
    }

    TestHostWindow m_host;
    CCleavageMap m_map;
    std::vector<std::vector<COLORREF>> m_pixels;
};

TEST_F(CleavageMapTest, ASiteIsMarkedAfterItsResidueAsHighAsItCuts)
{
    m_map.SetResults(Parsed(kFragmentHeader, kSiteHeader + CString("9\tK\tD\t1\n"
                                                                   "14\tK\tX\t0.5\n")));
    Update();
    EXPECT_EQ(std::vector<int>({BoundaryX(9) - 1, BoundaryX(9)}), ColumnsWith(CCleavageMap::kFullSiteColour));
    // Both marks stand on the same line: the weaker one is half as high.
    const int nFullTop = TopOfDrawing(BoundaryX(9));
    const int nHalfTop = TopOfDrawing(BoundaryX(14));
    EXPECT_EQ(nFullTop + MarkHeight(BoundaryX(9)), nHalfTop + MarkHeight(BoundaryX(14)));
    EXPECT_NEAR(MarkHeight(BoundaryX(9)), 2 * MarkHeight(BoundaryX(14)), 2);
}

TEST_F(CleavageMapTest, FragmentsAreBarsFromStartToEndPackedIntoFewestRows)
{
    // 1..2 and 3..9 share a row; 1..9 overlaps both; 18..20 joins the first row.
    m_map.SetResults(Parsed(kFragmentHeader + CString("1\t2\t2\t0\t0.8\t1\t1\tMK\n"
                                                      "1\t9\t9\t1\t0.16\t1\t1\tMKWVTRPAK\n"
                                                      "3\t9\t7\t0\t0.64\t1\t1\tWVTRPAK\n"
                                                      "18\t20\t3\t0\t0.8\t1\t1\tFGK\n"),
                            kSiteHeader));
    Update();
    const std::vector<int> rows = BarTops(BoundaryX(0) + kResiduePx / 2);
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(rows, BarTops(BoundaryX(4) + kResiduePx / 2));
    EXPECT_EQ(rows, BarTops(BoundaryX(9) - 2));
    EXPECT_EQ(std::vector<int>(), BarTops(BoundaryX(9)));
    EXPECT_EQ(std::vector<int>(), BarTops(BoundaryX(17) - 1));
    EXPECT_EQ(std::vector<int>({rows[0]}), BarTops(BoundaryX(17)));
    EXPECT_EQ(std::vector<int>({rows[0]}), BarTops(BoundaryX(20) - 2));
}

TEST_F(CleavageMapTest, ClearLeavesOnlyTheGreyHint)
{
    const int nHintPixels = CountPixels(::GetSysColor(COLOR_GRAYTEXT));
    EXPECT_GT(nHintPixels, 20) << "no hint before a run";
    m_map.SetResults(Parsed(kFragments, kSiteHeader + CString("9\tK\tD\t1\n")));
    Update();
    ASSERT_FALSE(ColumnsWith(CCleavageMap::kFullSiteColour).empty());
    EXPECT_EQ(0, CountPixels(::GetSysColor(COLOR_GRAYTEXT)));

    m_map.Clear();
    Update();
    EXPECT_TRUE(ColumnsWith(CCleavageMap::kFullSiteColour).empty());
    EXPECT_EQ(0, CountPixels(CCleavageMap::kBarColour));
    EXPECT_EQ(nHintPixels, CountPixels(::GetSysColor(COLOR_GRAYTEXT)));
}

// The observed masses' candidates are bars in rows of their own below the fragments, the
// deeper the larger their share; the picked value's are in the picked colour.
TEST_F(CleavageMapTest, CandidatesAreBarsBelowTheFragmentsShadedByTheirShare)
{
    m_map.SetResults(Parsed(kFragmentHeader + CString("1\t2\t2\t0\t0.8\t1\t1\tMK\n"), kSiteHeader));
    CMatchTable matches;
    CString strError;
    ASSERT_TRUE(matches.Parse("observed\tcharge\tobserved_mass\tstart\tend\tsequence\tmodifications\tmass\t"
                              "error_ppm\terror_da\tprobability\tshare\trank\n"
                              "500\t\t499\t3\t9\tWVTRPAK\t\t499\t0\t0\t0.6\t1.0000\t1\n"
                              "500\t\t499\t10\t14\tDLGEK\t\t499\t0\t0\t0\t0.0000\t2\n"
                              "300\t\t299\t18\t20\tFGK\t\t299\t0\t0\t0.8\t0.5000\t1\n",
                              strError))
        << (LPCSTR)strError;
    m_map.SetMatches(matches);
    Update();
    const auto colourAt = [this](int nResidue) {
        const int x = BoundaryX(nResidue - 1) + kResiduePx / 2;
        const int nTop = BarTops(BoundaryX(0) + kResiduePx / 2).at(0);
        for (int y = nTop + 1; y < (int)m_pixels.size(); ++y)
            if (m_pixels[y][x] != ::GetSysColor(COLOR_WINDOW) && m_pixels[y][x] != CCleavageMap::kBarColour)
                return std::make_pair(y, m_pixels[y][x]);
        return std::make_pair(-1, ::GetSysColor(COLOR_WINDOW));
    };
    // residue: the colour's red part, from the window's white down to the full share's.
    EXPECT_EQ(CCleavageMap::kMatchColour, colourAt(5).second);
    EXPECT_GT(GetRValue(colourAt(12).second), GetRValue(colourAt(19).second));
    EXPECT_GT(GetRValue(colourAt(19).second), GetRValue(CCleavageMap::kMatchColour));
    EXPECT_LT(GetRValue(colourAt(12).second), GetRValue(::GetSysColor(COLOR_WINDOW)));
    EXPECT_GT(colourAt(5).first, BarTops(BoundaryX(0) + kResiduePx / 2).at(0));

    m_map.PickValue(1);
    Update();
    EXPECT_EQ(CCleavageMap::kPickedColour, colourAt(19).second);
    EXPECT_EQ(CCleavageMap::kMatchColour, colourAt(5).second);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{18, 20}}), m_map.GetPickedSpans());
}
