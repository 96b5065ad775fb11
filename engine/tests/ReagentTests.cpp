#include "EngineError.h"
#include "Reagent.h"
#include "ReagentList.h"

#include <gtest/gtest.h>
#include <fstream>

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

std::vector<std::size_t> CutPositions(const Reagent& reagent, const std::string& sequence)
{
    std::vector<std::size_t> positions;
    for (const Site& site : reagent.FindSites(sequence))
        positions.push_back(site.position);
    return positions;
}

std::string ErrorOf(const ReagentText& text)
{
    try
    {
        Reagent reagent(text);
    }
    catch (const EngineError& error)
    {
        return error.what();
    }
    return "no error";
}
}

TEST(ReagentTest, CellsAllowDisallowIgnoreBlanksAndCase)
{
    struct Case
    {
        const char* cell;
        const char* sequence;
        std::vector<std::size_t> cuts;
    };
    const Case cases[] = {
        {"KR", "AKARA", {2, 4}},       // listed residues only
        {"{KR}", "AKAR", {1, 3}},       // all but the listed ones
        {"kR{r}", "AKARA", {2}},       // both: allowed and not disallowed, any case
        {" K ", "AKA", {2}},           // blanks do not count
        {"", "AKA", {1, 2}},           // empty: anything
        {"{ }", "AKA", {1, 2}},         // empty braces: nothing disallowed
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.cell);
        const Reagent reagent(MakeReagent(0, 2, {c.cell, ""}));
        EXPECT_EQ(c.cuts, CutPositions(reagent, c.sequence));
    }
}

TEST(ReagentTest, UnreadableCellsNameReagentSidePatternAndPosition)
{
    struct Case
    {
        const char* cell;
        const char* problem;
    };
    const Case cases[] = {
        {"K1", "'1' is neither a residue letter nor a brace"},
        {"{P", "unclosed brace"},
        {"{P{Q}}", "nested brace"},
        {"P}", "closing brace without an opening one"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.cell);
        ReagentText text = MakeReagent(-1, 3, {"", "", "", "A", "", c.cell});
        text.name = "Bad one";
        const std::string message = ErrorOf(text);
        EXPECT_NE(std::string::npos, message.find("reagent 'Bad one', recognition pattern 2, position P1'"))
            << message;
        EXPECT_NE(std::string::npos, message.find(c.problem)) << message;
    }
    ReagentText exception = MakeReagent(0, 2, {"K", ""});
    exception.exception = {-2, 3, {"%", "", ""}};
    EXPECT_NE(std::string::npos, ErrorOf(exception).find("exception pattern 1, position P3")) << ErrorOf(exception);
    EXPECT_NE(std::string::npos, ErrorOf(MakeReagent(0, 0, {"K"})).find("0 positions per pattern"));
}

TEST(ReagentTest, PositionsBeyondTheEndsPassOnlyCellsWithoutAllowedLetters)
{
    // P2 must be G; at the first site of "KA" there is no P2.
    EXPECT_TRUE(CutPositions(Reagent(MakeReagent(-1, 3, {"G", "K", ""})), "KA").empty());
    // P2 empty or only disallowing: a residue outside the chain passes.
    EXPECT_EQ(std::vector<std::size_t>{1}, CutPositions(Reagent(MakeReagent(-1, 3, {"", "K", ""})), "KA"));
    EXPECT_EQ(std::vector<std::size_t>{1}, CutPositions(Reagent(MakeReagent(-1, 3, {"{G}", "K", ""})), "KA"));
    // P2' at the C-terminal end, same rule.
    EXPECT_TRUE(CutPositions(Reagent(MakeReagent(0, 3, {"K", "", "A"})), "AKA").empty());
    EXPECT_EQ(std::vector<std::size_t>{2}, CutPositions(Reagent(MakeReagent(0, 3, {"K", "", "{P}"})), "AKA"));
    // A trailing partial row reads with its missing cells empty.
    EXPECT_EQ((std::vector<std::size_t>{1, 3}), CutPositions(Reagent(MakeReagent(0, 2, {"W", "K", "M"})), "MAWK"));
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
std::vector<ReagentText> ReadProjectReagents()
{
    std::ifstream in(REAGENT_LIST);
    EXPECT_TRUE(in) << REAGENT_LIST;
    return ReadReagentList(in, REAGENT_LIST);
}

const ReagentText& Find(const std::vector<ReagentText>& reagents, const std::string& name)
{
    for (const ReagentText& reagent : reagents)
        if (reagent.name == name)
            return reagent;
    throw std::runtime_error("no reagent " + name);
}

// A residue a cell accepts: its first allowed letter, or the first standard residue
// it does not disallow.
char ResidueFor(const std::string& cell)
{
    const std::size_t brace = cell.find('{');
    const std::string allowed = cell.substr(0, brace);
    if (!allowed.empty())
        return allowed[0];
    for (const char residue : std::string("ACDEFGHIKLMNPQRSTVWY"))
        if (cell.find(residue) == std::string::npos)
            return residue;
    return 'X';
}

std::string SeededMotif(const PatternSet& set, std::size_t row)
{
    std::string motif;
    for (int column = 0; column < set.count; ++column)
        motif += ResidueFor(set.cells[row * set.count + column]);
    return motif;
}
}

TEST(ReagentListTest, EveryReagentCutsItsOwnMotifs)
{
    const std::vector<ReagentText> reagents = ReadProjectReagents();
    ASSERT_EQ(43u, reagents.size());
    for (const ReagentText& text : reagents)
    {
        SCOPED_TRACE(text.name);
        const Reagent reagent(text);
        const double recognised = text.recognitionEfficiency / 100.0;
        const double excepted = recognised * (1 - text.exceptionEfficiency / 100.0);
        // The motif spans the set's window exactly: P1 is residue 1 - begin.
        const auto efficiencyAtP1 = [&](const PatternSet& set, std::size_t row) {
            const std::string motif = SeededMotif(set, row);
            for (const Site& site : reagent.FindSites(motif))
                if (site.position == static_cast<std::size_t>(1 - set.begin))
                    return site.efficiency;
            ADD_FAILURE() << motif << " is not cut after P1";
            return -1.0;
        };
        for (std::size_t row = 0; row < text.recognition.cells.size() / text.recognition.count; ++row)
            EXPECT_EQ(recognised, efficiencyAtP1(text.recognition, row)) << "recognition row " << row + 1;
        for (std::size_t row = 0; row < text.exception.cells.size() / text.exception.count; ++row)
            EXPECT_EQ(excepted, efficiencyAtP1(text.exception, row)) << "exception row " << row + 1;
    }
}

TEST(ReagentListTest, KnownSitesOfRealReagents)
{
    const std::vector<ReagentText> reagents = ReadProjectReagents();
    struct Case
    {
        const char* reagent;
        const char* sequence;
        std::vector<std::size_t> cuts; // with efficiency > 0
    };
    const Case cases[] = {
        {"Trypsin", "AKPGRAK", {5}},                        // not before P, not at the C-terminus
        {"Trypsin (Keil rules)", "WKPCKDRRHAK", {2, 7}},    // W-K|P cuts; C-K|D and R-R|H are blocked
        {"Chymotrypsin high specificity", "AWMAWAFPY", {5}}, // W|M and F|P blocked
        {"Staphylococcal peptidase I", "AEEAEA", {2, 5}},   // E-E: between the two, not after the second
        {"Pepsin (pH 1.3)", "AFKGGFA", {1, 2, 6}},           // absent P3, P2, P2' pass; K at P3 blocks G|F
        {"Thermolysin", "GAGDLGAP", {1}},                   // D before, P after block
        {"Thrombin", "GRGALVPRGS", {2, 8}},                 // G-R|G at the N-terminus; L-V-P-R|G-S
        {"Enterokinase", "DDDDKADDDKA", {5}},               // four acids needed
        {"TEV protease", "AENLYFQGA", {7}},
        {"Caspase 3", "DEVDGDEVDP", {4}},                   // not before P
        {"Hydroxylamine", "ANGNAG", {2}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.reagent);
        std::vector<std::size_t> cuts;
        for (const Site& site : Reagent(Find(reagents, c.reagent)).FindSites(c.sequence))
            if (site.efficiency > 0)
                cuts.push_back(site.position);
        EXPECT_EQ(c.cuts, cuts) << c.sequence;
    }
}

TEST(ReagentListTest, MalformedLinesNameTheLine)
{
    const char* const lists[] = {
        "  recognition P1: K .\n",                       // row before any reagent
        "Trypsin 100 / 100\n",                           // no " = "
        "Trypsin = 100 / 100\n  recognition P1 K .\n",   // no colon after the label
        "Trypsin = 100 / 100\n  recognition X1: K .\n",  // not a label
        "Trypsin = 100 / 100\n  cleavage P1: K .\n",     // unknown side
        "Trypsin = 100 / 100\n  recognition P1: K .\n  recognition P2: . K .\n", // rows disagree
    };
    for (const char* list : lists)
    {
        std::istringstream in(list);
        try
        {
            ReadReagentList(in, "list.txt");
            ADD_FAILURE() << "accepted: " << list;
        }
        catch (const EngineError& error)
        {
            EXPECT_EQ(0u, std::string(error.what()).find("list.txt, line ")) << error.what();
        }
    }
}
