#include "Analysis.h"
#include "ShippedReagents.h"

#include <algorithm>
#include <thread>

namespace cleavage
{
namespace
{
constexpr int kDefaultMaxVariableMods = 2;
// The fragment rows a run may write unless max_rows says otherwise: some gigabytes,
// far beyond any proteome's digest with a sensible length range.
constexpr std::uint64_t kDefaultMaxRows = 50000000;
// The bytes a run's fragment table may hold unless max_bytes says otherwise: 2 GiB,
// twelve times the full trypsin digest of a proteome of 20,000 proteins.
constexpr std::uint64_t kDefaultMaxBytes = std::uint64_t(1) << 31;
const char kDefaultBound[] = "the default bound";

Selection SelectionOf(const Parameters& parameters)
{
    if (parameters.thresholdMode == 1)
        return Selection::Threshold;
    return parameters.fragmentLimit == kAllFragments ? Selection::All : Selection::Best;
}

ReagentSet ReagentsOf(const Parameters& parameters)
{
    ReagentSet set;
    set.reagents.emplace_back(parameters.reagent);
    // The site table names the reagents that cut; a reagent without a name still needs one.
    set.names.push_back(parameters.reagent.name.empty() ? "(unnamed)" : parameters.reagent.name);
    for (const std::string& name : parameters.alsoReagents)
    {
        set.reagents.emplace_back(ShippedReagent(name, parameters.Where("also_reagent")));
        set.names.push_back(name);
    }
    return set;
}

FragmentFilter FilterOf(const Parameters& parameters)
{
    FragmentFilter filter;
    if (parameters.maxMissed)
        filter.maxMissed = static_cast<std::size_t>(*parameters.maxMissed);
    if (parameters.minLength)
        filter.minLength = static_cast<std::size_t>(*parameters.minLength);
    if (parameters.maxLength)
        filter.maxLength = static_cast<std::size_t>(*parameters.maxLength);
    return filter;
}

Matching MatchingOf(const Parameters& parameters)
{
    Matching matching;
    matching.massList = parameters.masses.value_or(std::string());
    if (parameters.observed)
        matching.observed = parameters.observed->value;
    if (parameters.massType)
        matching.massType = parameters.massType->value;
    if (parameters.tolerance)
        matching.tolerance = parameters.tolerance->value;
    return matching;
}

TableLimits LimitsOf(const Parameters& parameters)
{
    return {parameters.maxRows ? static_cast<std::uint64_t>(*parameters.maxRows) : kDefaultMaxRows,
            parameters.maxBytes ? static_cast<std::uint64_t>(*parameters.maxBytes) : kDefaultMaxBytes,
            parameters.maxRows ? parameters.Where("max_rows") : kDefaultBound,
            parameters.maxBytes ? parameters.Where("max_bytes") : kDefaultBound};
}
}

Analysis::Analysis(const Parameters& parameters)
    : reagents(ReagentsOf(parameters)),
      selection(SelectionOf(parameters)),
      threshold(parameters.probabilityThreshold / 100.0),
      bestCount(static_cast<std::size_t>(parameters.fragmentLimit)),
      order(static_cast<SortOrder>(parameters.sortOrder)),
      filter(FilterOf(parameters)),
      specificity(parameters.specificity.value_or(Specificity::Full)),
      modifications(parameters.fixedMods, parameters.variableMods,
                    static_cast<std::size_t>(parameters.maxVariableMods.value_or(kDefaultMaxVariableMods))),
      charges(parameters.charges.value_or(ChargeRange())),
      window{parameters.minMass.value_or(kNoMass), parameters.maxMass.value_or(kNoMass)},
      background(parameters.background ? parameters.background->value : 0.0),
      matching(MatchingOf(parameters)),
      batch(parameters.fastaFile.has_value()),
      limits(LimitsOf(parameters)),
      threads(parameters.threads ? static_cast<unsigned>(*parameters.threads)
                                 : std::max(1u, std::thread::hardware_concurrency())),
      progress(batch && parameters.progress.value_or(false))
{
}
}
