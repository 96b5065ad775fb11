#include "ReagentSet.h"

namespace cleavage
{
ProteinSites ReagentSet::FindSites(const std::string& sequence) const
{
    if (Several())
        return CombineSites(*this, sequence);
    return {reagents.front().FindSites(sequence), {}};
}

ProteinSites CombineSites(const ReagentSet& set, const std::string& sequence)
{
    // Per position: the probability that no reagent cuts, and how many match.
    std::vector<double> uncut(sequence.size() + 1, 1.0);
    std::vector<double> single(sequence.size() + 1, 0.0);
    std::vector<int> matches(sequence.size() + 1, 0);
    std::vector<std::string> cutters(sequence.size() + 1);
    for (std::size_t r = 0; r < set.reagents.size(); ++r)
        for (const Site& site : set.reagents[r].FindSites(sequence))
        {
            uncut[site.position] *= 1.0 - site.efficiency;
            single[site.position] = site.efficiency;
            ++matches[site.position];
            if (site.efficiency > 0.0)
                cutters[site.position] += (cutters[site.position].empty() ? "" : "+") + set.names[r];
        }
    ProteinSites combined;
    for (std::size_t position = 1; position < sequence.size(); ++position)
    {
        if (matches[position] == 0)
            continue;
        // One reagent's site keeps its efficiency to the last bit.
        combined.sites.push_back({position, matches[position] == 1 ? single[position] : 1.0 - uncut[position]});
        combined.cutters.push_back(std::move(cutters[position]));
    }
    return combined;
}
}
