// The model checked against its definition: every subset of the sites cut, with
// its probability, and the pieces it leaves counted.
#include "Digest.h"
#include "SemiDigest.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <random>
#include <tuple>

using namespace cleavage;

namespace
{
// All fragments of probability > 0 by enumerating every cut subset, in position order.
std::vector<Fragment> BruteForce(std::size_t length, const std::vector<Site>& sites)
{
    std::map<std::pair<std::size_t, std::size_t>, double> probability;
    const std::size_t subsets = std::size_t(1) << sites.size();
    for (std::size_t mask = 0; mask < subsets; ++mask)
    {
        double weight = 1.0;
        std::vector<std::size_t> cuts = {0};
        for (std::size_t s = 0; s < sites.size(); ++s)
        {
            const bool cut = (mask >> s) & 1;
            weight *= cut ? sites[s].efficiency : 1.0 - sites[s].efficiency;
            if (cut)
                cuts.push_back(sites[s].position);
        }
        cuts.push_back(length);
        for (std::size_t i = 0; i + 1 < cuts.size() && weight > 0; ++i)
            probability[{cuts[i] + 1, cuts[i + 1]}] += weight;
    }
    std::vector<Fragment> fragments;
    for (const auto& [range, p] : probability)
    {
        std::size_t missed = 0;
        for (const Site& site : sites)
            missed += site.position >= range.first && site.position < range.second && site.efficiency > 0;
        if (p > 0)
            fragments.push_back({range.first, range.second, missed, p});
    }
    return fragments;
}

// The semi-specific digest by its definition: every cut subset's weight goes to each
// fragment with exactly one end at a site (or a terminus) whose that end is cut and no
// site inside; fragments with both ends at sites come from BruteForce.
std::vector<Fragment> BruteForceSemi(std::size_t length, const std::vector<Site>& sites)
{
    std::map<std::pair<std::size_t, std::size_t>, double> probability;
    for (const Fragment& f : BruteForce(length, sites))
        probability[{f.start, f.end}] = f.probability;
    const auto isSite = [&](std::size_t position) {
        return position == 0 || position == length ||
               std::any_of(sites.begin(), sites.end(),
                           [position](const Site& s) { return s.position == position && s.efficiency > 0; });
    };
    for (std::size_t mask = 0; mask < (std::size_t(1) << sites.size()); ++mask)
    {
        double weight = 1.0;
        std::vector<bool> cut(length + 1, false);
        cut[0] = cut[length] = true;
        for (std::size_t s = 0; s < sites.size(); ++s)
        {
            const bool isCut = (mask >> s) & 1;
            weight *= isCut ? sites[s].efficiency : 1.0 - sites[s].efficiency;
            cut[sites[s].position] = cut[sites[s].position] || isCut;
        }
        for (std::size_t left = 0; left < length; ++left)
            for (std::size_t right = left + 1; right <= length; ++right)
            {
                if (isSite(left) == isSite(right) || !cut[isSite(left) ? left : right])
                    continue;
                bool cutInside = false;
                for (std::size_t p = left + 1; p < right; ++p)
                    cutInside = cutInside || (cut[p] && isSite(p));
                if (!cutInside && weight > 0)
                    probability[{left + 1, right}] += weight;
            }
    }
    std::vector<Fragment> fragments;
    for (const auto& [range, p] : probability)
    {
        std::size_t missed = 0;
        for (std::size_t position = range.first; position < range.second; ++position)
            missed += isSite(position);
        if (p > 0)
            fragments.push_back({range.first, range.second, missed, p});
    }
    return fragments;
}

bool Passes(const Fragment& f, const FragmentFilter& filter)
{
    const std::size_t length = f.end - f.start + 1;
    return f.missed <= filter.maxMissed && length >= filter.minLength && length <= filter.maxLength;
}

// Fragments as tuples, which GoogleTest compares and prints whole.
std::vector<std::tuple<std::size_t, std::size_t, std::size_t, double>> Rows(const std::vector<Fragment>& fragments)
{
    std::vector<std::tuple<std::size_t, std::size_t, std::size_t, double>> rows;
    for (const Fragment& f : fragments)
        rows.emplace_back(f.start, f.end, f.missed, f.probability);
    return rows;
}

// Random sites on a short sequence. Efficiencies are multiples of 1/4 (and 0), so
// every product and sum is exact in binary and ties are real ties.
std::vector<Site> RandomSites(std::mt19937& random, std::size_t length)
{
    std::vector<Site> sites;
    for (std::size_t position = 1; position < length; ++position)
        if (random() % 3 != 0)
            sites.push_back({position, (random() % 5) / 4.0});
    return sites;
}
}

TEST(BruteForceTest, EverySelectionAgreesExactlyWithAllCutSubsets)
{
    std::mt19937 random(8);
    for (int round = 0; round < 800; ++round)
    {
        const std::size_t length = 1 + random() % 12;
        const std::vector<Site> sites = RandomSites(random, length);
        // Every other pair of rounds digests semi-specifically.
        const bool semi = round % 4 >= 2;
        const std::vector<Fragment> all = semi ? BruteForceSemi(length, sites) : BruteForce(length, sites);
        const Digest digest(length, sites);
        const SemiDigest semiDigest(length, sites);
        const auto enumerate = [&](const FragmentFilter& filter, const auto& floor, const auto& take) {
            semiDigest.Enumerate(filter, floor, take);
        };
        const auto semiAbove = [&](double threshold, const FragmentFilter& filter) {
            std::vector<Fragment> fragments;
            semiDigest.Enumerate(filter, [threshold] { return threshold; }, [&](const Fragment& f) { fragments.push_back(f); });
            return fragments;
        };
        SCOPED_TRACE("round " + std::to_string(round) + (semi ? ", semi-specific" : ""));

        FragmentFilter filter;
        if (round % 2)
        {
            filter.maxMissed = random() % 3;
            filter.minLength = 1 + random() % 3;
            filter.maxLength = filter.minLength + random() % 6;
        }
        std::vector<Fragment> passing;
        std::copy_if(all.begin(), all.end(), std::back_inserter(passing),
                     [&](const Fragment& f) { return Passes(f, filter); });

        const double threshold = (random() % 5) / 8.0;
        std::vector<Fragment> above;
        std::copy_if(passing.begin(), passing.end(), std::back_inserter(above),
                     [&](const Fragment& f) { return f.probability > threshold; });
        EXPECT_EQ(Rows(above), Rows(semi ? semiAbove(threshold, filter) : digest.Above(threshold, filter)))
            << "above " << threshold;
        // Counted without taking them; from the sites alone (no product here is too small for a double).
        if (!semi)
        {
            EXPECT_EQ(above.size(), digest.Count(filter, threshold));
            EXPECT_EQ(passing.size(), digest.CountBound(filter));
        }

        std::vector<Fragment> best = passing;
        std::stable_sort(best.begin(), best.end(),
                         [](const Fragment& a, const Fragment& b) { return a.probability > b.probability; });
        const std::size_t count = random() % 8;  // 0 selects nothing
        best.resize(std::min(count, best.size()));
        const auto semiBest = [&] {
            return SelectBest(count, [&](const auto& floor, const auto& take) { enumerate(filter, floor, take); });
        };
        EXPECT_EQ(Rows(best), Rows(semi ? semiBest() : digest.Best(count, filter))) << "best " << count;
    }
}

TEST(BruteForceTest, CoverageAndExpectedCountIdentitiesOnRandomProteins)
{
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round)
    {
        const std::size_t length = 50 + random() % 300;
        std::vector<Site> sites;
        double efficiencySum = 0;
        for (std::size_t position = 1; position < length; ++position)
        {
            if (random() % 4 == 0)
            {
                sites.push_back({position, (1 + random() % 100) / 100.0 * (random() % 2 ? 1.0 : 0.37)});
                efficiencySum += sites.back().efficiency;
            }
        }
        const std::vector<Fragment> fragments = Digest(length, sites).Above(0.0, FragmentFilter());
        // Every residue lies in exactly one fragment of each cut molecule.
        std::vector<double> coverage(length + 2, 0.0);
        double expectedCount = 0;
        for (const Fragment& f : fragments)
        {
            for (std::size_t residue = f.start; residue <= f.end; ++residue)
                coverage[residue] += f.probability;
            expectedCount += f.probability;
        }
        for (std::size_t residue = 1; residue <= length; ++residue)
            ASSERT_NEAR(1.0, coverage[residue], 1e-9) << "round " << round << ", residue " << residue;
        EXPECT_NEAR(1.0 + efficiencySum, expectedCount, 1e-9) << "round " << round;
    }
}
