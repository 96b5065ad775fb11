#include "Reagent.h"
#include "ReagentList.h"

#include <gtest/gtest.h>
#include <fstream>
#include <map>

#include "TestSupport.h"

using namespace cleavage;

namespace
{
ReagentText MakeReagent(int begin, int count, std::vector<std::string> cells, int recognition = 100)
{
    ReagentText text;
    text.name = "Test";
    text.recognitionEfficiency = recognition;
    text.recognition = {begin, count, std::move(cells)};
    return text;
}

// Positions of the sites that cut (efficiency above 0).
std::vector<std::size_t> Cuts(const ReagentText& text, const std::string& sequence)
{
    std::vector<std::size_t> positions;
    for (const Site& site : Reagent(text).FindSites(sequence))
        if (site.efficiency > 0)
            positions.push_back(site.position);
    return positions;
}

using Positions = std::vector<std::size_t>;
}

TEST(ReagentTest, CellsAllowDisallowIgnoreBlanksAndCase)
{
    EXPECT_EQ((Positions{2, 4}), Cuts(MakeReagent(0, 2, {"KR", ""}), "AKARA"));
    EXPECT_EQ((Positions{1, 3}), Cuts(MakeReagent(0, 2, {"{KR}", ""}), "AKAR"));
    EXPECT_EQ((Positions{2}), Cuts(MakeReagent(0, 2, {"kR{r}", ""}), "AKARA"));
    EXPECT_EQ((Positions{2}), Cuts(MakeReagent(0, 2, {" K ", ""}), "AKA"));
    EXPECT_EQ((Positions{1, 2}), Cuts(MakeReagent(0, 2, {"{ }", " "}), "AKA"));
}

TEST(ReagentTest, UnreadableCellsNameReagentSidePatternAndPosition)
{
    const std::pair<const char*, const char*> cases[] = {
        {"K1", "'1' is neither a residue letter nor a brace"}, {"{P", "unclosed brace"},
        {"{P{Q}}", "nested brace"}, {"P}", "closing brace without an opening one"}};
    for (const auto& [cell, problem] : cases)
    {
        const std::string message = ErrorOf([&] { Reagent{MakeReagent(-1, 3, {"", "", "", "A", "", cell})}; });
        EXPECT_TRUE(Contains(message, std::string("reagent 'Test', recognition pattern 2, position P1': ") + problem));
    }
    ReagentText exception = MakeReagent(0, 2, {"K", ""});
    exception.exception = {-2, 3, {"%", "", ""}};
    EXPECT_TRUE(Contains(ErrorOf([&] { Reagent{exception}; }), "exception pattern 1, position P3: "));
    // Cells that are not whole patterns: none fit 0 positions, three do not fit 2.
    EXPECT_TRUE(Contains(ErrorOf([] { Reagent{MakeReagent(0, 0, {"K"})}; }), "patterns of 0 cells (positions per"));
    EXPECT_TRUE(Contains(ErrorOf([] { Reagent{MakeReagent(0, 2, {"W", "K", "M"})}; }),
                         "recognition patterns: 3 cells are not a whole number of patterns of 2 cells"));
}

TEST(ReagentTest, PositionsBeyondTheEndsPassOnlyCellsWithoutAllowedLetters)
{
    EXPECT_EQ(Positions{}, Cuts(MakeReagent(-1, 3, {"G", "K", ""}), "KA"));
    EXPECT_EQ(Positions{1}, Cuts(MakeReagent(-1, 3, {"", "K", ""}), "KA"));
    EXPECT_EQ(Positions{1}, Cuts(MakeReagent(-1, 3, {"{G}", "K", ""}), "KA"));
    EXPECT_EQ(Positions{}, Cuts(MakeReagent(0, 3, {"K", "", "A"}), "AKA"));
    EXPECT_EQ(Positions{2}, Cuts(MakeReagent(0, 3, {"K", "", "{P}"}), "AKA"));
}

TEST(ReagentTest, RowsBeyondTheSixtyFourthMatchToo)
{
    // 64 rows W|W, then K|{P} and, one position before the sequence, {A}|M.
    std::vector<std::string> cells(128, "W");
    for (const char* cell : {"K", "{P}", "{A}", "M"})
        cells.push_back(cell);
    EXPECT_EQ((Positions{2, 6}), Cuts(MakeReagent(0, 2, cells), "MKAKPKW"));
    EXPECT_EQ((Positions{1, 3}), Cuts(MakeReagent(-1, 2, cells), "MKAKPKW"));
}

TEST(ReagentTest, SiteEfficiencyCombinesRecognitionAndException)
{
    ReagentText text = MakeReagent(0, 2, {"K", ""}, 80);
    text.exceptionEfficiency = 25;
    text.exception = {0, 2, {"", "P", "", "D"}};
    const std::vector<Site> sites = Reagent(text).FindSites("AKAKPKDRK");
    ASSERT_EQ(3u, sites.size());
    EXPECT_DOUBLE_EQ(0.8, sites[0].efficiency);        // K|A: recognised only
    EXPECT_DOUBLE_EQ(0.8 * 0.75, sites[1].efficiency); // K|P: exception row 1
    EXPECT_DOUBLE_EQ(0.8 * 0.75, sites[2].efficiency); // K|D: exception row 2
    text.exceptionEfficiency = 100;
    EXPECT_EQ(0.0, Reagent(text).FindSites("AKP")[0].efficiency);
}

namespace
{
std::vector<ReagentText> ProjectReagents()
{
    std::ifstream in(REAGENT_LIST);
    EXPECT_TRUE(in) << REAGENT_LIST;
    return ReadReagentList(in, REAGENT_LIST);
}

// A sequence that fills a set's window with row `row`: for each cell its first
// allowed letter, or the first residue it does not disallow.
std::string SeededMotif(const PatternSet& set, std::size_t row)
{
    const std::string residues = "ACDEFGHIKLMNPQRSTVWY";
    std::string motif;
    for (int column = 0; column < set.count; ++column)
    {
        const std::string& cell = set.cells[row * set.count + column];
        const bool listsAllowed = !cell.empty() && cell[0] != '{';
        motif += listsAllowed ? cell[0] : residues[residues.find_first_not_of(cell)];
    }
    return motif;
}
}

TEST(ReagentListTest, EveryReagentCutsItsOwnMotifs)
{
    const std::vector<ReagentText> reagents = ProjectReagents();
    ASSERT_EQ(43u, reagents.size());
    for (const ReagentText& text : reagents)
    {
        const Reagent reagent(text);
        const double recognised = text.recognitionEfficiency / 100.0;
        const auto efficiencyAfterP1 = [&](const PatternSet& set, std::size_t row) {
            // The motif spans the window: P1 is residue 1 - begin.
            for (const Site& site : reagent.FindSites(SeededMotif(set, row)))
                if (site.position == static_cast<std::size_t>(1 - set.begin))
                    return site.efficiency;
            return -1.0;
        };
        for (std::size_t row = 0; row * text.recognition.count < text.recognition.cells.size(); ++row)
            EXPECT_EQ(recognised, efficiencyAfterP1(text.recognition, row)) << text.name << ", row " << row + 1;
        for (std::size_t row = 0; row * text.exception.count < text.exception.cells.size(); ++row)
            EXPECT_EQ(recognised * (1 - text.exceptionEfficiency / 100.0), efficiencyAfterP1(text.exception, row))
                << text.name << ", exception row " << row + 1;
    }
}

TEST(ReagentListTest, KnownSitesOfRealReagents)
{
    std::map<std::string, ReagentText> byName;
    for (const ReagentText& text : ProjectReagents())
        byName[text.name] = text;
    struct Case
    {
        const char* reagent;
        const char* sequence;
        Positions cuts;
    };
    const Case cases[] = {
        {"Trypsin", "AKPGRAK", {5}},                        // not before P, not at the C-terminus
        {"Trypsin (Keil rules)", "WKPCKDRRHAK", {2, 7}},    // W-K|P cuts; C-K|D and R-R|H are blocked
        {"Chymotrypsin high specificity", "AWMAWAFPY", {5}}, // W|M and F|P blocked
        {"Staphylococcal peptidase I", "AEEAEA", {2, 5}},   // E-E: between the two, not after the second
        {"Pepsin (pH 1.3)", "AFKGGFA", {1, 2, 6}},          // absent P3, P2, P2' pass; K at P3 blocks G|F
        {"Thermolysin", "GAGDLGAP", {1}},                   // D before, P after block
        {"Thrombin", "GRGALVPRGS", {2, 8}},                 // G-R|G at the N-terminus; L-V-P-R|G-S
        {"Enterokinase", "DDDDKADDDKA", {5}},               // four acids needed
        {"TEV protease", "AENLYFQGA", {7}},
        {"Caspase 3", "DEVDGDEVDP", {4}},                   // not before P
        {"Hydroxylamine", "ANGNAG", {2}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cuts, Cuts(byName.at(c.reagent), c.sequence)) << c.reagent << ": " << c.sequence;
}

TEST(ReagentListTest, MalformedLinesNameTheLine)
{
    const char* const lists[] = {
        "  recognition P1: K .\n",                                          // row before any reagent
        "Trypsin 100 / 100\n",                                              // no " = "
        "Trypsin = 100 / 100\n  recognition P1 K .\n",                      // no colon after the label
        "Trypsin = 100 / 100\n  recognition X1: K .\n",                     // not a label
        "Trypsin = 100 / 100\n  cleavage P1: K .\n",                        // unknown side
        "Trypsin = 100 / 100\n  recognition P1: K .\n  recognition P2: . K .\n", // rows disagree
    };
    for (const char* list : lists)
    {
        std::istringstream in(list);
        EXPECT_EQ(0u, ErrorOf([&] { ReadReagentList(in, "list.txt"); }).find("list.txt, line ")) << list;
    }
}
