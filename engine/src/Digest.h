// The fragments of one cleaved sequence with their probabilities: a molecule is cut
// independently at each site with that site's efficiency, and a fragment's
// probability is that of cuts at both its ends and none strictly inside.
#pragma once
#include "Reagent.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <queue>
#include <vector>

namespace cleavage
{
struct Fragment
{
    std::size_t start; // 1-based first residue of the analysed sequence
    std::size_t end;   // 1-based last residue
    std::size_t missed; // inner sites that can cut (efficiency > 0)
    double probability;
};

// Which fragments may be reported at all, whatever the selection.
struct FragmentFilter
{
    std::size_t maxMissed = std::numeric_limits<std::size_t>::max();
    std::size_t minLength = 1;
    std::size_t maxLength = std::numeric_limits<std::size_t>::max();
};

class Digest
{
public:
    Digest(std::size_t length, const std::vector<Site>& sites);

    // Calls `take` for every fragment that passes the filter and whose probability
    // exceeds `floor()`, in order of start, then end. `floor` may rise between calls:
    // since a fragment's probability is at most its left end's efficiency times the
    // product of (1 - c) over the sites it spans, and that only shrinks as the
    // fragment grows, a start is left as soon as its bound reaches the floor.
    template <class Floor, class Take>
    void Enumerate(const FragmentFilter& filter, const Floor& floor, const Take& take) const;

    // How many fragments Enumerate would take with a fixed floor, counted without
    // taking them.
    std::uint64_t Count(const FragmentFilter& filter, double floor) const;

    // At least as many as Count(filter, 0.0), from the sites alone and fast: the
    // fragments that pass the filter and span no site that always cuts. (Count may be
    // lower where a long fragment's probability is too small for a double.)
    std::uint64_t CountBound(const FragmentFilter& filter) const;

    // At least as many as Count(filter, 0.0), each bound closer and slower than the
    // one before, the first that is at most `enough` (else the closest): the pairs of
    // ends the missed sites allow, then CountBound.
    std::uint64_t QuickCount(const FragmentFilter& filter, std::uint64_t enough) const;

    // The `count` most probable fragments (ties: lower start, then lower end), most
    // probable first.
    std::vector<Fragment> Best(std::size_t count, const FragmentFilter& filter) const;

    // Every fragment more probable than `threshold`, in order of position.
    std::vector<Fragment> Above(double threshold, const FragmentFilter& filter) const;

private:
    std::vector<std::size_t> m_cutAfter; // 0 (N-terminus), the sites that can cut, length (C-terminus)
    std::vector<double> m_efficiency;    // termini count as 1
};

template <class Floor, class Take>
void Digest::Enumerate(const FragmentFilter& filter, const Floor& floor, const Take& take) const
{
    const std::size_t last = m_cutAfter.size() - 1;
    for (std::size_t left = 0; left < last; ++left)
    {
        // Probability of a cut at the left end and none so far inside.
        double bound = m_efficiency[left];
        if (bound <= floor())
            continue;
        const std::size_t start = m_cutAfter[left] + 1;
        for (std::size_t right = left + 1; right <= last; ++right)
        {
            const std::size_t missed = right - left - 1;
            const std::size_t length = m_cutAfter[right] - start + 1;
            if (missed > filter.maxMissed || length > filter.maxLength)
                break;
            const double probability = bound * m_efficiency[right];
            if (length >= filter.minLength && probability > floor())
                take(Fragment{start, m_cutAfter[right], missed, probability});
            bound *= 1.0 - m_efficiency[right];
            if (bound <= floor())
                break;
        }
    }
}

// The ranking of the best selection: more probable first, ties by lower start, then
// lower end.
bool RanksHigher(const Fragment& a, const Fragment& b);
// Lower start first, then lower end.
bool ByPosition(const Fragment& a, const Fragment& b);

// The `count` highest-ranked of the fragments that `enumerate(floor, take)` takes
// (an Enumerate of some digest), most probable first.
template <class EnumerateFragments>
std::vector<Fragment> SelectBest(std::size_t count, const EnumerateFragments& enumerate)
{
    if (count == 0)
        return {};
    // The least of the best so far on top. Fragments come in order of position, so a
    // newcomer as probable as the least ranks below it and may be dropped.
    std::priority_queue<Fragment, std::vector<Fragment>, decltype(&RanksHigher)> best(&RanksHigher);
    enumerate([&] { return best.size() < count ? 0.0 : best.top().probability; },
              [&](const Fragment& fragment) {
                  best.push(fragment);
                  if (best.size() > count)
                      best.pop();
              });
    std::vector<Fragment> fragments;
    fragments.reserve(best.size());
    for (; !best.empty(); best.pop())
        fragments.push_back(best.top());
    std::reverse(fragments.begin(), fragments.end());
    return fragments;
}
}
