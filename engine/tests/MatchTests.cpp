// Observed masses matched to fragments: the mass list's forms, the tolerance's window,
// and the ranked candidates against every sub-sequence of short proteins.
#include "Background.h"
#include "Digest.h"
#include "MassList.h"
#include "MassMatcher.h"
#include "MatchTableWriter.h"
#include "Modifications.h"
#include "Reagent.h"
#include "ShippedReagents.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <tuple>

#include "TestSupport.h"

using namespace cleavage;

namespace
{
struct ReadValue
{
    std::string text;
    int charge;
    MicroDalton neutral;
    std::vector<std::string> kept;
};

bool operator==(const ReadValue& a, const ReadValue& b)
{
    return std::tie(a.text, a.charge, a.neutral, a.kept) == std::tie(b.text, b.charge, b.neutral, b.kept);
}

std::ostream& operator<<(std::ostream& out, const ReadValue& v)
{
    out << v.text << " " << v.charge << " " << v.neutral;
    for (const std::string& kept : v.kept)
        out << " [" << kept << "]";
    return out;
}
}

TEST(MassListTest, ReadsEachFormAsEachKind)
{
    const struct
    {
        const char* text;
        ObservedKind kind;
        std::vector<std::string> keptNames;
        std::vector<ReadValue> values;
    } cases[] = {
        // MH+: one proton (1.007276467 Da) less, rounded to the micro-dalton; comments,
        // blank lines, CR LF and a value with charge 1+ allowed.
        {"# peaks\r\n\r\n1000.5\r\n  952.5098 1+\r\n", ObservedKind::Protonated, {},
         {{"1000.5", 0, 999492724, {}}, {"952.5098", 1, 951502524, {}}}},
        // M: the value is the mass; a charge is kept but changes nothing.
        {"1000.5 3+ 12.5 peak_a\n1200\n", ObservedKind::Neutral, {"extra_1", "extra_2"},
         {{"1000.5", 3, 1000500000, {"12.5", "peak_a"}}, {"1200", 0, 1200000000, {"", ""}}}},
        // mz: z times the m/z less z protons, an anion's |z| protons added; digits past
        // the nano-dalton rounded.
        {"500.25\t2+\t8000\n400.1000000325 1-\n", ObservedKind::MassToCharge, {"extra_1"},
         {{"500.25", 2, 998485447, {"8000"}}, {"400.1000000325", -1, 401107277, {""}}}},
        // A peak list: value and intensity, tab or blanks between.
        {"1045.53\t3200\n1059.56   150\n", ObservedKind::Neutral, {"extra_1"},
         {{"1045.53", 0, 1045530000, {"3200"}}, {"1059.56", 0, 1059560000, {"150"}}}},
        // CSV: the mass column by its header (any case, a unit), charge by "z", the rest
        // kept under their names, quotes and a quoted comma read.
        {"Intensity,\"m/z (Da)\",z,Label\n10,500.25,2,\"a, b\"\n20, 600 ,,x\n", ObservedKind::Neutral,
         {"Intensity", "Label"},
         {{"500.25", 2, 500250000, {"10", "a, b"}}, {"600", 0, 600000000, {"20", "x"}}}},
        // A one-column CSV and MH+.
        {"Mass\n1001.007276\n", ObservedKind::Protonated, {}, {{"1001.007276", 0, 1000000000, {}}}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        TestFolder folder;
        folder.Write("masses.txt", c.text);
        const MassList list = ReadMassList(folder.PathOf("masses.txt"), c.kind);
        std::vector<ReadValue> values;
        for (const ObservedValue& v : list.values)
            values.push_back({v.text, v.charge, v.neutral, v.kept});
        EXPECT_EQ(c.keptNames, list.keptNames);
        EXPECT_EQ(c.values, values);
    }
}

TEST(MassListTest, RefusesWhatIsNoneOfTheForms)
{
    const struct
    {
        const char* text;
        ObservedKind kind;
        const char* message;
    } cases[] = {
        {"1000\n# x\n1000,5\n", ObservedKind::Neutral, "line 3: \"1000,5\" is not a number; expected a value"},
        {"abc 2+\n", ObservedKind::Neutral, "line 1: \"abc\" is not a number"},
        {"1000 0+\n", ObservedKind::Neutral, "line 1: charge 0+ is not 1 to 100"},
        {"1000\n1000 2+\n", ObservedKind::Protonated, "line 2: 1000 has charge 2+, so it is an m/z"},
        {"1000 2+\n1000\n", ObservedKind::MassToCharge, "line 2: an m/z needs its charge"},
        {"0.5\n", ObservedKind::Protonated, "line 1: 0.5 stands for no positive neutral mass"},
        {"99999999\n", ObservedKind::Neutral, "line 1: 99999999 is above 10000000 daltons"},
        {"intensity,area\n1,2\n", ObservedKind::Neutral, "line 1: the CSV header names no mass column"},
        {"mz,mass\n1,2\n", ObservedKind::Neutral, "line 1: the header names two mass columns, \"mz\" and \"mass\""},
        {"mz,i\n\n1000\n", ObservedKind::Neutral, "line 3: 1 fields, but the header names 2"},
        {"mz,i\n1000,\"open\n", ObservedKind::Neutral, "line 2: an unclosed quote"},
        {"mz,charge\n1000,2x\n", ObservedKind::Neutral, "line 2: \"2x\" is not a charge"},
        {"mz,label\n1000,\"a\tb\"\n", ObservedKind::Neutral, "line 2: field 2 holds a tab"},
        {"# only a comment\n\n", ObservedKind::Neutral, "the mass list holds no value"},
    };
    for (const auto& c : cases)
    {
        TestFolder folder;
        folder.Write("masses.txt", c.text);
        const std::string message = ErrorOf([&] { ReadMassList(folder.PathOf("masses.txt"), c.kind); });
        EXPECT_TRUE(Contains(message, "masses.txt")) << c.text;
        EXPECT_TRUE(Contains(message, c.message)) << c.text;
    }
    EXPECT_TRUE(Contains(ErrorOf([] { ParseObservedKind("MH", "key 'observed'"); }), "none of M, MH+ and mz"));
}

TEST(ToleranceTest, ReachIsTheExactShareOfTheTheoreticalMass)
{
    // Text, theoretical mass, the largest accepted error (micro-daltons).
    const std::tuple<const char*, MicroDalton, MicroDalton> cases[] = {
        {"20ppm", 1000000000, 20000},          {"20 PPM", 1234567891, 24691},
        {"2.125ppm", 1000000000000, 2125000},  {"0.5Da", 3000000000, 500000},
        {"0.000001da", 1, 1},                  {"0.1%", 2000000000, 2000000},
        {"100%", 9000000000000000, 9000000000000000}, {"0ppm", 1000000000, 0},
    };
    for (const auto& [text, theoretical, reach] : cases)
        EXPECT_EQ(reach, Tolerance::Parse(text, "t").Reach(theoretical)) << text;
    EXPECT_EQ(20000, Tolerance().Reach(1000000000));
    for (const char* text : {"20", "ppm", "20ppb", "-1Da", "1e-3Da", "20  ppm", "0.0001ppm", "1001Da", "100.1%"})
        EXPECT_NE("no error", ErrorOf([&] { Tolerance::Parse(text, "t"); })) << text;
    EXPECT_TRUE(Contains(ErrorOf([] { Tolerance::Parse("5 mmu", "key 'tolerance'"); }),
                         "key 'tolerance': \"5 mmu\" is not a tolerance; expected a number and a unit"));
    // Observed minus theoretical, in hundredths of a ppm.
    EXPECT_EQ(-1000, ErrorPpmHundredths(999990000, 1000000000));
    EXPECT_EQ(333, ErrorPpmHundredths(1000003333, 1000000000));
}

TEST(BackgroundTest, PercentWithSixDecimalsAndNoChangeWithoutIt)
{
    EXPECT_EQ(0.5, ParseBackground("50", "b"));
    EXPECT_EQ(1e-8, ParseBackground("0.000001", "b"));
    EXPECT_EQ(1.0, ParseBackground("100", "b"));
    for (const char* text : {"100.000001", "0.0000001", "-1", "1%", ""})
        EXPECT_NE("no error", ErrorOf([&] { ParseBackground(text, "b"); })) << text;
    // 1 - (1 - 0.3) is not 0.3 in binary: without a background the sites stay as they are.
    const std::vector<Site> sites = {{2, 0.3}};
    const std::vector<Site> same = WithBackground(5, sites, 0.0);
    ASSERT_EQ(1u, same.size());
    EXPECT_EQ(0.3, same[0].efficiency);
}

namespace
{
// A candidate as the matcher ranks it: protein, start, end, form label, compared mass,
// probability, rank, share.
using Ranked = std::tuple<std::size_t, std::size_t, std::size_t, std::string, MicroDalton, double, std::size_t, double>;

// Every sub-sequence's probability by its definition: each bond cut by its site and by
// the background as two independent events, every combination of events weighed.
std::map<std::pair<std::size_t, std::size_t>, double> AllSubsequences(std::size_t length,
                                                                      const std::vector<double>& site, double background)
{
    std::map<std::pair<std::size_t, std::size_t>, double> probability;
    const std::size_t bonds = length - 1;
    for (std::size_t events = 0; events < (std::size_t(1) << (2 * bonds)); ++events)
    {
        double weight = 1.0;
        std::vector<std::size_t> cuts = {0};
        for (std::size_t b = 0; b < bonds; ++b)
        {
            const bool bySite = (events >> (2 * b)) & 1, byBackground = (events >> (2 * b + 1)) & 1;
            weight *= (bySite ? site[b] : 1 - site[b]) * (byBackground ? background : 1 - background);
            if (bySite || byBackground)
                cuts.push_back(b + 1);
        }
        cuts.push_back(length);
        for (std::size_t i = 0; i + 1 < cuts.size() && weight > 0; ++i)
            probability[{cuts[i] + 1, cuts[i + 1]}] += weight;
    }
    return probability;
}
}

TEST(MatchTest, RankedCandidatesAgreeWithEverySubsequenceOfShortProteins)
{
    const std::pair<const char*, std::pair<bool, __int128>> tolerances[] = {
        {"20ppm", {true, 20000}}, {"0.5Da", {false, 500000}}, {"0.1%", {true, 1000000}}, {"0Da", {false, 0}}};
    const Modifications modifications({}, {"Oxidation (M)", "Met-loss (Protein N-term M)", "Phospho (S)"}, 2);
    std::mt19937 random(27);
    for (int round = 0; round < 200; ++round)
    {
        const auto& [toleranceText, tolerance] = tolerances[round % 4];
        const MassType massType = round % 8 < 4 ? MassType::Mono : MassType::Average;
        // Efficiencies and background in quarters: every probability exact, ties real.
        const double background = (round % 3) / 4.0;
        std::vector<std::string> proteins;
        std::vector<std::vector<double>> efficiencies;
        for (int p = 0; p < 2; ++p)
        {
            std::string protein;
            for (std::size_t i = 0, length = 2 + random() % 5; i < length; ++i)
                protein += "MSGAG"[random() % 5];
            proteins.push_back(protein);
            efficiencies.emplace_back();
            for (std::size_t b = 1; b < protein.size(); ++b)
                efficiencies.back().push_back((random() % 5) / 4.0);
        }
        SCOPED_TRACE("round " + std::to_string(round) + ": " + proteins[0] + " " + proteins[1] + " " + toleranceText);

        // The candidates by definition, and observed masses near some of them.
        std::vector<Ranked> all;
        std::vector<MicroDalton> observed = {1000000, 9999000000};
        std::vector<ModifiedForm> forms;
        for (std::size_t p = 0; p < proteins.size(); ++p)
            for (const auto& [range, probability] :
                 AllSubsequences(proteins[p].size(), efficiencies[p], background))
            {
                modifications.Forms(proteins[p], range.first - 1, range.second - 1,
                                    MassPrefix(proteins[p]).FragmentMass(range.first - 1, range.second - 1), forms);
                for (const ModifiedForm& form : forms)
                {
                    const MicroDalton mass = massType == MassType::Mono ? form.mass.mono : form.mass.average;
                    all.emplace_back(p, range.first, range.second, form.label, mass, probability, 0, 0.0);
                    if (random() % 4 == 0)
                        observed.push_back(mass + static_cast<MicroDalton>(random() % 2000001) - 1000000);
                    if (random() % 8 == 0)
                        observed.push_back(mass);
                }
            }
        const auto accepts = [&, tolerance = tolerance](MicroDalton o, MicroDalton t) {
            const __int128 error = o > t ? o - t : t - o;
            return tolerance.first ? error * 1000000000 <= __int128(t) * tolerance.second : error <= tolerance.second;
        };
        std::vector<std::vector<Ranked>> expected(observed.size());
        std::vector<std::vector<bool>> covered(2, std::vector<bool>(8, false));
        std::size_t matched = 0;
        for (std::size_t i = 0; i < observed.size(); ++i)
        {
            for (const Ranked& candidate : all)
                if (accepts(observed[i], std::get<4>(candidate)))
                    expected[i].push_back(candidate);
            std::stable_sort(expected[i].begin(), expected[i].end(), [](const Ranked& a, const Ranked& b) {
                return std::make_tuple(-std::get<5>(a), std::get<1>(a), std::get<2>(a), std::get<0>(a)) <
                       std::make_tuple(-std::get<5>(b), std::get<1>(b), std::get<2>(b), std::get<0>(b));
            });
            double total = 0;
            for (const Ranked& candidate : expected[i])
                total += std::get<5>(candidate);
            for (std::size_t r = 0; r < expected[i].size(); ++r)
            {
                std::get<6>(expected[i][r]) = r + 1;
                std::get<7>(expected[i][r]) = std::get<5>(expected[i][r]) / total;
            }
            if (!expected[i].empty())
            {
                ++matched;
                for (std::size_t residue = std::get<1>(expected[i][0]); residue <= std::get<2>(expected[i][0]); ++residue)
                    covered[std::get<0>(expected[i][0])][residue] = true;
            }
        }

        // The engine: each protein's digest with the background, its forms offered to
        // one of three matchers in turn, merged at the end.
        MassMatcher matcher(observed, Tolerance::Parse(toleranceText, "t"), massType);
        std::vector<MassMatcher> workers = {matcher.Fork(), matcher.Fork(), matcher.Fork()};
        std::size_t offered = 0;
        for (std::size_t p = 0; p < proteins.size(); ++p)
        {
            const std::string& protein = proteins[p];
            std::vector<Site> sites;
            for (std::size_t b = 0; b < efficiencies[p].size(); ++b)
                sites.push_back({b + 1, efficiencies[p][b]});
            const Digest digest(protein.size(), WithBackground(protein.size(), sites, background));
            for (const Fragment& f : digest.Above(0.0, FragmentFilter()))
            {
                modifications.Forms(protein, f.start - 1, f.end - 1, MassPrefix(protein).FragmentMass(f.start - 1, f.end - 1),
                                    forms);
                for (std::size_t form = 0; form < forms.size(); ++form)
                    workers[offered++ % 3].Offer({p, "protein", protein.size(), f.start, f.end, form,
                                                  std::string_view(protein).substr(f.start - 1, f.end - f.start + 1),
                                                  forms[form].label, forms[form].mass, f.probability});
            }
        }
        for (MassMatcher& worker : workers)
            matcher.Merge(worker);
        const MatchResult result = matcher.Finish();

        std::vector<std::vector<Ranked>> found;
        for (const std::vector<Match>& candidates : result.candidates)
        {
            found.emplace_back();
            for (const Match& m : candidates)
                found.back().emplace_back(m.protein, m.start, m.end, m.modifications, m.mass, m.probability, m.rank,
                                          m.share);
        }
        ASSERT_EQ(expected, found);
        EXPECT_EQ(matched, result.matched);
        for (const auto& [p, coverage] : result.proteins)
            EXPECT_EQ(std::size_t(std::count(covered[p].begin(), covered[p].end(), true)), coverage.covered) << p;
    }
}

TEST(MatchTest, PublishedHaemoglobinPeptidesRankFirst)
{
    // Human haemoglobin beta (UniProt P68871), with its initiator methionine.
    const std::string hbb = "MVHLTPEEKSAVTALWGKVNVDEVGGEALGRLLVVYPWTQRFFESFGDLSTPDAVMGNPKVKAHGKKVLGAFSDGLAHLDNLK"
                            "GTFATLSELHCDKLHVDPENFRLLGNVLVCVLAHHFGKEFTPPVQAAYQKVVAGVANALAHKYH";
    // [M+H]+ of its tryptic peptides as haemoglobin tryptic maps list them (betaT1 952.51,
    // betaT3 1314.66, betaT4 1274.73, betaT5 2058.95, betaT9 1669.89), to four decimals as
    // recomputed from elemental compositions (C 12, H 1.00782503, N 14.00307401,
    // O 15.99491462, S 31.97207100, proton 1.00727647); 1500 matches nothing.
    TestFolder folder;
    folder.Write("masses.txt", "952.5098\tbetaT1\n1314.6648\tbetaT3\n1274.7256\tbetaT4\n2058.9477\tbetaT5\n"
                               "1669.8908\tbetaT9\n1500\tnoise\n");
    const MassList list = ReadMassList(folder.PathOf("masses.txt"), ObservedKind::Protonated);
    ReagentText trypsin = ShippedReagent("Trypsin", "test");
    trypsin.recognitionEfficiency = 90;
    const Digest digest(hbb.size(), WithBackground(hbb.size(), Reagent(trypsin).FindSites(hbb), 0.001));
    const Modifications modifications({}, std::vector<std::string>{"Oxidation (M)", "Met-loss (Protein N-term M)"},
                                      1);
    std::vector<MicroDalton> observed;
    for (const ObservedValue& value : list.values)
        observed.push_back(value.neutral);
    MassMatcher matcher(observed, Tolerance(), MassType::Mono);
    std::vector<ModifiedForm> forms;
    FragmentFilter filter;
    filter.maxLength = 30;
    for (const Fragment& f : digest.Above(0.0, filter))
    {
        modifications.Forms(hbb, f.start - 1, f.end - 1, MassPrefix(hbb).FragmentMass(f.start - 1, f.end - 1), forms);
        for (std::size_t form = 0; form < forms.size(); ++form)
            matcher.Offer({0, "HBB", hbb.size(), f.start, f.end, form,
                           std::string_view(hbb).substr(f.start - 1, f.end - f.start + 1), forms[form].label,
                           forms[form].mass, f.probability});
    }
    const MatchResult result = matcher.Finish();
    // betaT1 is the N-terminal fragment without its methionine; cut there by the
    // background alone it is far less probable.
    const char* const firstRanked[] = {"MVHLTPEEK M1:Met-loss", "VNVDEVGGEALGR ", "LLVVYPWTQR ",
                                       "FFESFGDLSTPDAVMGNPK ", "VLGAFSDGLAHLDNLK "};
    for (std::size_t i = 0; i < std::size(firstRanked); ++i)
    {
        ASSERT_FALSE(result.candidates[i].empty()) << firstRanked[i];
        const Match& first = result.candidates[i][0];
        EXPECT_EQ(firstRanked[i], first.sequence + " " + first.modifications);
        EXPECT_GT(first.share, 0.99) << firstRanked[i];
    }
    EXPECT_EQ("VHLTPEEK", result.candidates[0].at(1).sequence);

    std::ostringstream table;
    WriteMatchTable(table, list, result, false);
    const std::string text = table.str();
    EXPECT_EQ(0u, text.find("observed\tcharge\tobserved_mass\textra_1\tstart\tend\tsequence\tmodifications\tmass\t"
                            "error_ppm\terror_da\tprobability\tshare\trank\n"));
    EXPECT_TRUE(Contains(text, "\n1500\t\t1498.992724\tnoise\t\t\t\t\t\t\t\t\t\t\n"));
    EXPECT_TRUE(Contains(text, "\n1274.7256\t\t1273.718324\tbetaT4\t32\t41\tLLVVYPWTQR\t\t1273.718295\t0.02\t"
                               "0.000029\t0.8029174884\t1.0000\t1\n"));
    // 9 + 13 + 10 + 19 + 16 of 147 residues.
    EXPECT_TRUE(Contains(text, "\n# matched 5 of 6 observed values; residues covered by the first-ranked candidates: 45 %\n"));
}

TEST(MatchTableTest, BatchRowsNameTheProteinAndSignTheErrors)
{
    MassList list;
    list.keptNames = {"label"};
    list.values = {{"1000.5", -2, 1000000000, {"a"}}, {"7", 0, 7000000, {"b"}}};
    MatchResult result;
    result.massType = MassType::Average;
    result.candidates.resize(2);
    result.candidates[0] = {{3, 2, 9, 0, "GAGAGAGA", "", 1000012345, 0.75, 0.75, 1},
                            {1, 1, 8, 1, "AGAGAGAG", "S1:Phospho", 999990000, 0.25, 0.25, 2}};
    result.matched = 1;
    result.proteins = {{1, {"P1", 8, 0}}, {3, {"P3", 20, 8}}};
    std::ostringstream table, coverage;
    WriteMatchTable(table, list, result, true);
    WriteCoverageTable(coverage, result);
    EXPECT_EQ("observed\tcharge\tobserved_mass\tlabel\tprotein\tstart\tend\tsequence\tmodifications\tmass\terror_ppm\t"
              "error_da\tprobability\tshare\trank\n"
              "1000.5\t2-\t1000.000000\ta\tP3\t2\t9\tGAGAGAGA\t\t1000.0123\t-12.34\t-0.012345\t0.75\t0.7500\t1\n"
              "1000.5\t2-\t1000.000000\ta\tP1\t1\t8\tAGAGAGAG\tS1:Phospho\t999.9900\t10.00\t0.010000\t0.25\t0.2500\t2\n"
              "7\t\t7.000000\tb\t\t\t\t\t\t\t\t\t\t\t\n"
              "# matched 1 of 2 observed values; residues covered by the first-ranked candidates: 40 % of the 1 protein "
              "that holds them\n",
              table.str());
    EXPECT_EQ("protein\tlength\tcovered\tcoverage\nP3\t20\t8\t40\n", coverage.str());
}
