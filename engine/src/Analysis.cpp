#include "Analysis.h"
#include "Background.h"
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
    if (parameters.maxMissed >= 0)
        filter.maxMissed = static_cast<std::size_t>(parameters.maxMissed);
    if (parameters.minLength > 0)
        filter.minLength = static_cast<std::size_t>(parameters.minLength);
    if (parameters.maxLength > 0)
        filter.maxLength = static_cast<std::size_t>(parameters.maxLength);
    return filter;
}

Matching MatchingOf(const Parameters& parameters)
{
    Matching matching;
    matching.massList = parameters.masses;
    if (!parameters.observed.empty())
        matching.observed = ParseObservedKind(parameters.observed, parameters.Where("observed"));
    if (!parameters.massType.empty())
        matching.massType = ParseMassType(parameters.massType, parameters.Where("mass_type"));
    if (!parameters.tolerance.empty())
        matching.tolerance = Tolerance::Parse(parameters.tolerance, parameters.Where("tolerance"));
    return matching;
}

TableLimits LimitsOf(const Parameters& parameters)
{
    const bool rowsGiven = parameters.maxRows >= 0;
    const bool bytesGiven = parameters.maxBytes >= 0;
    return {rowsGiven ? static_cast<std::uint64_t>(parameters.maxRows) : kDefaultMaxRows,
            bytesGiven ? static_cast<std::uint64_t>(parameters.maxBytes) : kDefaultMaxBytes,
            rowsGiven ? parameters.Where("max_rows") : kDefaultBound,
            bytesGiven ? parameters.Where("max_bytes") : kDefaultBound};
}
}

Analysis::Analysis(const Parameters& parameters)
    : reagents(ReagentsOf(parameters)),
      selection(SelectionOf(parameters)),
      threshold(parameters.probabilityThreshold / 100.0),
      bestCount(static_cast<std::size_t>(parameters.fragmentLimit)),
      order(static_cast<SortOrder>(parameters.sortOrder)),
      filter(FilterOf(parameters)),
      specificity(parameters.specificity == "semi" ? Specificity::Semi : Specificity::Full),
      modifications(parameters.fixedMods, parameters.variableMods,
                    static_cast<std::size_t>(parameters.maxVariableMods < 0 ? kDefaultMaxVariableMods
                                                                            : parameters.maxVariableMods)),
      charges{parameters.chargeFrom, parameters.chargeTo},
      window{parameters.minMass < 0 ? kNoMass : parameters.minMass, parameters.maxMass < 0 ? kNoMass : parameters.maxMass},
      background(parameters.background.empty()
                     ? 0.0
                     : ParseBackground(parameters.background, parameters.Where("background_efficiency"))),
      matching(MatchingOf(parameters)),
      batch(!parameters.fastaFile.empty()),
      limits(LimitsOf(parameters)),
      threads(parameters.threads > 0 ? static_cast<unsigned>(parameters.threads)
                                     : std::max(1u, std::thread::hardware_concurrency())),
      progress(batch && parameters.progress == 1)
{
}
}
