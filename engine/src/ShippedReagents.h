// The reagents of the project's reviewed list (resources/Reagents.txt), compiled into
// the engine, and digests with more than one of them at once.
#pragma once
#include "Reagent.h"

#include <string>
#include <vector>

namespace cleavage
{
// The names of the list's reagents, in its order.
std::vector<std::string> ShippedReagentNames();

// The list's reagent of that name (exact); otherwise throws EngineError "<where>: ...",
// listing the names it holds.
const ReagentText& ShippedReagent(const std::string& name, const std::string& where);

// The sites of several reagents on one sequence, cutting as independent events: a
// site's efficiency is 1 - prod(1 - c_i) over the reagents that match it.
struct CombinedSites
{
    std::vector<Site> sites;
    std::vector<std::string> cutters; // per site: "Trypsin+Lys-C", the reagents that can cut there
};

CombinedSites CombineSites(const std::vector<const Reagent*>& reagents, const std::vector<std::string>& names,
                           const std::string& sequence);
}
