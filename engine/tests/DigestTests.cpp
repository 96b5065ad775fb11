#include "Digest.h"
#include "FragmentOrder.h"
#include "ProteinPipeline.h"
#include "Residues.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>

using namespace cleavage;

namespace
{
using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

Ranges RangesOf(const std::vector<Fragment>& fragments)
{
    Ranges ranges;
    for (const Fragment& f : fragments)
        ranges.emplace_back(f.start, f.end);
    return ranges;
}

Parameters ContextReagentParameters()
{
    Parameters parameters;
    parameters.reagent.name = "Context";
    parameters.reagent.recognitionEfficiency = 60;
    parameters.reagent.exceptionEfficiency = 50;
    parameters.reagent.recognition = {-1, 3, {"{D}", "KR", ""}};
    parameters.reagent.exception = {0, 2, {"", "P"}};
    parameters.moleculeName = "test";
    return parameters;
}

std::string RandomProtein(std::mt19937& random, std::size_t length)
{
    static const std::string residues = "ACDEFGHIKLMNPQRSTVWYKR";
    std::string protein;
    for (std::size_t i = 0; i < length; ++i)
        protein += residues[random() % residues.size()];
    return protein;
}
}

TEST(DigestTest, SortOrdersBreakTiesByStartThenEnd)
{
    // Equal probabilities, and equal masses: I and L weigh the same.
    const std::string sequence = "GIGLGA";
    const MassPrefix masses(sequence);
    std::vector<Fragment> fragments = {
        {5, 6, 0, 0.25}, {3, 4, 0, 0.5}, {1, 2, 0, 0.5}, {1, 6, 0, 0.125}, {2, 2, 0, 0.5}};
    // The weight order takes rows listed by position, as the enumeration finds them.
    const auto rowsOf = [](const MassPrefix& prefix, std::vector<Fragment> unordered) {
        SortFragments(unordered, SortOrder::Position);
        std::vector<FormRow> rows;
        for (const Fragment& f : unordered)
            rows.push_back({f, prefix.FragmentMass(f.start - 1, f.end - 1), 0});
        return rows;
    };
    const auto weightOrder = [](const std::vector<FormRow>& rows) {
        std::vector<Fragment> ordered;
        for (const WeightKey& key : WeightOrder(rows))
            ordered.push_back(rows[key.row].fragment);
        return RangesOf(ordered);
    };

    EXPECT_EQ((Ranges{{2, 2}, {5, 6}, {1, 2}, {3, 4}, {1, 6}}), weightOrder(rowsOf(masses, fragments)));
    SortFragments(fragments, SortOrder::Probability);
    EXPECT_EQ((Ranges{{1, 2}, {2, 2}, {3, 4}, {5, 6}, {1, 6}}), RangesOf(fragments));
    SortFragments(fragments, SortOrder::Position);
    EXPECT_EQ((Ranges{{1, 2}, {1, 6}, {2, 2}, {3, 4}, {5, 6}}), RangesOf(fragments));

    // A fragment without a mass (it holds X) comes after every weighed one, whatever
    // its number: kNoMass is the least of the masses.
    const MassPrefix ambiguous("GXGG");
    EXPECT_EQ((Ranges{{3, 4}, {1, 2}}), weightOrder(rowsOf(ambiguous, {{1, 2, 0, 0.5}, {3, 4, 0, 0.5}})));
}

TEST(DigestTest, ProbabilitiesWrittenAlikeSortByPosition)
{
    // Fragment 5-6 is the more probable by its double, 3-4 the least probable.
    const struct
    {
        double early, late;
        Ranges order;
    } cases[] = {
        {0.3, 0.1 + 0.2, {{1, 2}, {5, 6}, {3, 4}}},                           // both written 0.3: by position
        {0.17 * 0.17 * 0.83, 0.83 * 0.17 * 0.17, {{1, 2}, {5, 6}, {3, 4}}},   // both 0.023987: by position
        {0.12345678896, 0.12345678904, {{1, 2}, {5, 6}, {3, 4}}},             // both 0.123456789: by position
        {0.1234567891, 0.1234567892, {{5, 6}, {1, 2}, {3, 4}}},               // apart in the tenth digit
        {0.12345678904999999, 0.12345678905000002, {{5, 6}, {1, 2}, {3, 4}}}, // 0.123456789 and 0.1234567891
    };
    for (const auto& c : cases)
    {
        std::vector<Fragment> fragments = {{3, 4, 0, 0.01}, {5, 6, 0, c.late}, {1, 2, 0, c.early}};
        SortFragments(fragments, SortOrder::Probability);
        EXPECT_EQ(c.order, RangesOf(fragments)) << c.early << " " << c.late;
    }
}

TEST(DigestTest, BestOfAHugeProteinDoesNotEnumerateEveryFragment)
{
    // 35,000 residues, a site of efficiency 1 % after each: 612 million fragments
    // with a probability above 0, of which the best 40 lie near the ends.
    const std::size_t length = 35000;
    std::vector<Site> sites;
    for (std::size_t position = 1; position < length; ++position)
        sites.push_back({position, 0.01});
    const std::vector<Fragment> best = Digest(length, sites).Best(40, FragmentFilter());
    ASSERT_EQ(40u, best.size());
    EXPECT_EQ((Ranges{{1, 1}, {length, length}, {1, 2}, {length - 1, length}}),
              RangesOf(std::vector<Fragment>(best.begin(), best.begin() + 4)));
}

TEST(ReportTest, RangeIsAnalysedLikeTheCutOutSequenceAtTheMoleculesPositions)
{
    std::mt19937 random(5);
    std::string molecule = RandomProtein(random, 400);
    const std::size_t first = 101, last = 230;
    // D before the range would block the cut after its first residue K, but the range
    // has no context: its first site is after residue 101.
    molecule.replace(first - 2, 3, "DKA");
    for (int order = 0; order <= 2; ++order)
    {
        for (const int limit : {25, kAllFragments})
        {
            SCOPED_TRACE("sort " + std::to_string(order) + ", limit " + std::to_string(limit));
            Parameters parameters = ContextReagentParameters();
            parameters.sortOrder = order;
            parameters.fragmentLimit = limit;
            const Analysis analysis(parameters);
            RowBuffer rangeFragments, rangeSites, shiftedFragments, shiftedSites;
            ReportProtein(analysis, "p", molecule, first, last, kNoTableBound, rangeFragments, rangeSites, {});
            ReportProtein(analysis, "p", molecule.substr(first - 1, last - first + 1), 1, last - first + 1,
                          kNoTableBound, shiftedFragments, shiftedSites, {});
            // Rows of the cut-out sequence, moved to the molecule's positions.
            const auto shift = [&](const std::string& rows, int columns) {
                std::istringstream in(rows);
                std::string line, result;
                while (std::getline(in, line))
                {
                    std::istringstream fields(line);
                    std::string field, shifted;
                    for (int column = 0; std::getline(fields, field, '\t'); ++column)
                        shifted += (shifted.empty() ? "" : "\t") +
                                   (column < columns ? std::to_string(std::stoul(field) + first - 1) : field);
                    result += shifted + "\n";
                }
                return result;
            };
            const std::string sites = rangeSites.Take();
            EXPECT_EQ(shift(shiftedFragments.Take(), 2), rangeFragments.Take());
            EXPECT_EQ(shift(shiftedSites.Take(), 1), sites);
            EXPECT_EQ(0u, sites.find("101\tK\tA\t"));
        }
    }
}
