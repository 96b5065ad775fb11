// The reagents of a run, cutting together: the parameter file's own and those of
// also_reagent, each finding its sites on its own.
#pragma once
#include "Reagent.h"

#include <string>
#include <vector>

namespace cleavage
{
// The sites of a sequence and, when several reagents cut, the reagents that can cut at
// each: "Trypsin+Lys-C".
struct ProteinSites
{
    std::vector<Site> sites;
    std::vector<std::string> cutters; // per site; empty when one reagent cuts alone
};

struct ReagentSet
{
    std::vector<Reagent> reagents;
    std::vector<std::string> names; // as the site table names them, in the reagents' order

    // More than one reagent: their sites are combined and the site table names the cutters.
    bool Several() const { return reagents.size() > 1; }
    ProteinSites FindSites(const std::string& sequence) const;
};

// The sites of every reagent of `set` at once, cutting as independent events: a site's
// efficiency is 1 - prod(1 - c_i) over the reagents that match it.
ProteinSites CombineSites(const ReagentSet& set, const std::string& sequence);
}
