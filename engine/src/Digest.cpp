#include "Digest.h"

#include <algorithm>

namespace cleavage
{
bool ByPosition(const Fragment& a, const Fragment& b)
{
    return a.start != b.start ? a.start < b.start : a.end < b.end;
}

bool RanksHigher(const Fragment& a, const Fragment& b)
{
    return a.probability != b.probability ? a.probability > b.probability : ByPosition(a, b);
}

Digest::Digest(std::size_t length, const std::vector<Site>& sites)
{
    m_cutAfter.push_back(0);
    m_efficiency.push_back(1.0);
    for (const Site& site : sites)
    {
        // A site that never cuts bounds no fragment and is no missed site.
        if (site.efficiency > 0.0)
        {
            m_cutAfter.push_back(site.position);
            m_efficiency.push_back(site.efficiency);
        }
    }
    m_cutAfter.push_back(length);
    m_efficiency.push_back(1.0);
}

std::uint64_t Digest::Count(const FragmentFilter& filter, double floor) const
{
    std::uint64_t count = 0;
    Enumerate(filter, [floor] { return floor; }, [&count](const Fragment&) { ++count; });
    return count;
}

std::uint64_t Digest::CountBound(const FragmentFilter& filter) const
{
    // For each left end, the right ends run from the first long enough to the last short
    // enough, no further than the missed sites allow and than the first site that always
    // cuts. Every one of these limits only moves right as the left end does.
    const std::size_t last = m_cutAfter.size() - 1;
    std::uint64_t count = 0;
    std::size_t barrier = 0, shortEnough = 0, longEnough = 0;
    for (std::size_t left = 0; left < last; ++left)
    {
        barrier = std::max(barrier, left + 1);
        while (barrier < last && m_efficiency[barrier] < 1.0)
            ++barrier;
        const std::size_t lastRight =
            filter.maxMissed < barrier - left - 1 ? left + 1 + filter.maxMissed : barrier;
        // A fragment's length is cutAfter[right] - cutAfter[left].
        longEnough = std::max(longEnough, left + 1);
        while (longEnough <= last && m_cutAfter[longEnough] - m_cutAfter[left] < filter.minLength)
            ++longEnough;
        shortEnough = std::max(shortEnough, longEnough);
        while (shortEnough <= last && m_cutAfter[shortEnough] - m_cutAfter[left] <= filter.maxLength)
            ++shortEnough;
        const std::size_t end = std::min(shortEnough, lastRight + 1);
        if (end > longEnough)
            count += end - longEnough;
    }
    return count;
}

std::uint64_t Digest::QuickCount(const FragmentFilter& filter, std::uint64_t enough) const
{
    const std::uint64_t pieces = m_cutAfter.size() - 1;
    const std::uint64_t pairs = pieces * (std::min<std::uint64_t>(pieces, filter.maxMissed) + 1);
    return pairs <= enough ? pairs : CountBound(filter);
}

std::vector<Fragment> Digest::Best(std::size_t count, const FragmentFilter& filter) const
{
    return SelectBest(count, [&](const auto& floor, const auto& take) { Enumerate(filter, floor, take); });
}

std::vector<Fragment> Digest::Above(double threshold, const FragmentFilter& filter) const
{
    std::vector<Fragment> fragments;
    Enumerate(
        filter, [threshold] { return threshold; }, [&](const Fragment& fragment) { fragments.push_back(fragment); });
    return fragments;
}
}
