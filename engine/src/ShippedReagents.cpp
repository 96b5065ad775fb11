#include "ShippedReagents.h"
#include "EngineError.h"
#include "ReagentList.h"

#include <algorithm>
#include <sstream>

namespace cleavage
{
// The text of resources/Reagents.txt, written into a source file at build time.
extern const char kShippedReagentList[];

namespace
{
const std::vector<ReagentText>& ShippedList()
{
    static const std::vector<ReagentText> reagents = [] {
        std::istringstream in(kShippedReagentList);
        return ReadReagentList(in, "the shipped reagent list");
    }();
    return reagents;
}
}

std::vector<std::string> ShippedReagentNames()
{
    std::vector<std::string> names;
    for (const ReagentText& reagent : ShippedList())
        names.push_back(reagent.name);
    return names;
}

const ReagentText& ShippedReagent(const std::string& name, const std::string& where)
{
    const std::vector<ReagentText>& reagents = ShippedList();
    const auto found =
        std::find_if(reagents.begin(), reagents.end(), [&name](const ReagentText& r) { return r.name == name; });
    if (found != reagents.end())
        return *found;
    throw EngineError(where + ": \"" + Printable(name) + "\" is not a reagent of the shipped list; it holds " +
                      JoinNames(ShippedReagentNames()));
}

CombinedSites CombineSites(const std::vector<const Reagent*>& reagents, const std::vector<std::string>& names,
                           const std::string& sequence)
{
    // Per position: the probability that no reagent cuts, and how many match.
    std::vector<double> uncut(sequence.size() + 1, 1.0);
    std::vector<double> single(sequence.size() + 1, 0.0);
    std::vector<int> matches(sequence.size() + 1, 0);
    std::vector<std::string> cutters(sequence.size() + 1);
    for (std::size_t r = 0; r < reagents.size(); ++r)
        for (const Site& site : reagents[r]->FindSites(sequence))
        {
            uncut[site.position] *= 1.0 - site.efficiency;
            single[site.position] = site.efficiency;
            ++matches[site.position];
            if (site.efficiency > 0.0)
                cutters[site.position] += (cutters[site.position].empty() ? "" : "+") + names[r];
        }
    CombinedSites combined;
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
