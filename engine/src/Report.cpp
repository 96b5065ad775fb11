#include "Report.h"
#include "Residues.h"

#include <algorithm>

namespace cleavage
{
namespace
{
std::vector<Fragment> Select(const Analysis& analysis, const Digest& digest)
{
    if (analysis.thresholdMode)
        return digest.Above(analysis.threshold, analysis.filter);
    if (analysis.all)
        return digest.Above(0.0, analysis.filter);
    return digest.Best(analysis.bestCount, analysis.filter);
}
}

Analysis::Analysis(const Parameters& parameters)
    : reagent(parameters.reagent),
      thresholdMode(parameters.thresholdMode == 1),
      threshold(parameters.probabilityThreshold / 100.0),
      bestCount(static_cast<std::size_t>(parameters.fragmentLimit)),
      all(parameters.fragmentLimit == kAllFragments),
      order(static_cast<SortOrder>(parameters.sortOrder)),
      batch(!parameters.fastaFile.empty()),
      features(parameters)
{
    if (parameters.maxMissed >= 0)
        filter.maxMissed = static_cast<std::size_t>(parameters.maxMissed);
    if (parameters.minLength > 0)
        filter.minLength = static_cast<std::size_t>(parameters.minLength);
    if (parameters.maxLength > 0)
        filter.maxLength = static_cast<std::size_t>(parameters.maxLength);
}

void WriteFragmentHeader(std::ostream& out, const Analysis& analysis)
{
    out << (analysis.batch ? "protein\t" : "")
        << "start\tend\tlength\tmissed\tprobability\tmono_mass\taverage_mass\tsequence";
    WriteFeatureColumns(out, analysis.features);
    out << "\n";
}

void WriteSiteHeader(std::ostream& out, const Analysis& analysis)
{
    out << (analysis.batch ? "protein\t" : "") << "position\tleft\tright\tefficiency"
        << (analysis.features.reagentNames.empty() ? "" : "\treagents") << "\n";
}

void WriteFragmentFields(const Analysis& analysis, const std::string& proteinName, const std::string& analysed,
                         std::size_t offset, const Fragment& fragment, const ResidueMass& mass, RowBuffer& rows)
{
    const std::size_t length = fragment.end - fragment.start + 1;
    if (analysis.batch)
        rows.Field(proteinName);
    rows.Field(fragment.start + offset);
    rows.Field(fragment.end + offset);
    rows.Field(length);
    rows.Field(fragment.missed);
    rows.Probability(fragment.probability);
    rows.Mass(mass.mono, kMonoDecimals);
    rows.Mass(mass.average, kAverageDecimals);
    rows.Field(analysed.data() + fragment.start - 1, length);
}

void WriteSiteRow(const Analysis& analysis, const std::string& proteinName, const std::string& analysed,
                  std::size_t offset, const Site& site, const std::string* cutters, RowBuffer& rows)
{
    if (analysis.batch)
        rows.Field(proteinName);
    rows.Field(site.position + offset);
    rows.Field(analysed[site.position - 1]);
    rows.Field(analysed[site.position]);
    rows.Probability(site.efficiency);
    if (cutters)
        rows.Field(*cutters);
    rows.EndRow();
}

std::uint64_t ReportProtein(const Analysis& analysis, const std::string& proteinName, const std::string& sequence,
                            std::size_t first, std::size_t last, std::uint64_t rowsLeft, RowBuffer& fragmentRows,
                            RowBuffer& siteRows)
{
    // A batch analyses whole proteins: those are not copied.
    const bool whole = first == 1 && last == sequence.size();
    const std::string part = whole ? std::string() : sequence.substr(first - 1, last - first + 1);
    const std::string& analysed = whole ? sequence : part;
    const std::size_t offset = first - 1;
    if (analysis.features.Any())
        return ReportWithFeatures(analysis, proteinName, sequence, analysed, offset, rowsLeft, fragmentRows, siteRows);
    const std::vector<Site> found = analysis.reagent.FindSites(analysed);
    const Digest digest(analysed.size(), found);

    // The rows are counted from the sites, each count closer and slower than the one
    // before, until one is within the bound: the pieces between sites and the missed
    // sites allowed; the fragments the filter passes; the enumeration itself.
    const bool best = !analysis.thresholdMode && !analysis.all;
    const double floor = analysis.thresholdMode ? analysis.threshold : 0.0;
    const auto reported = [&](std::uint64_t fragments) {
        return best ? std::min<std::uint64_t>(fragments, analysis.bestCount) : fragments;
    };
    const std::uint64_t pieces = found.size() + 1;
    std::uint64_t rows = reported(pieces * (std::min<std::uint64_t>(pieces, analysis.filter.maxMissed) + 1));
    if (rows > rowsLeft)
        rows = reported(digest.CountBound(analysis.filter));
    if (rows > rowsLeft)
        rows = reported(digest.Count(analysis.filter, floor));
    if (rows > rowsLeft)
        return rows;

    for (const Site& site : found)
        WriteSiteRow(analysis, proteinName, analysed, offset, site, nullptr, siteRows);

    const MassPrefix masses(analysed);
    std::uint64_t written = 0;
    const auto writeFragment = [&](const Fragment& fragment) {
        ++written;
        WriteFragmentFields(analysis, proteinName, analysed, offset, fragment,
                            masses.FragmentMass(fragment.start - 1, fragment.end - 1), fragmentRows);
        fragmentRows.EndRow();
    };

    // In position order, the enumeration's own order, fragments go out as they are
    // found: asking for all of them holds none.
    if (analysis.order == SortOrder::Position && !best)
    {
        digest.Enumerate(analysis.filter, [floor] { return floor; }, writeFragment);
        return written;
    }
    std::vector<Fragment> selected = Select(analysis, digest);
    SortFragments(selected, analysis.order, [&](const Fragment& fragment) {
        return masses.FragmentMass(fragment.start - 1, fragment.end - 1).mono;
    });
    for (const Fragment& fragment : selected)
        writeFragment(fragment);
    return written;
}
}
