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

// The most characters FormatProbability writes: "4.940656458e-324".
constexpr std::size_t kWidestProbability = 16;
// Far above any residue with any modification, and above a water, in micro-daltons.
constexpr MicroDalton kHeavierThanAnyResidue = 400000000;
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

std::uint64_t FragmentFieldsWidth(const Analysis& analysis, std::size_t nameSize, std::size_t offset,
                                  const Fragment& fragment, const ResidueMass& mass)
{
    char probability[kProbabilityRoom];
    const std::size_t length = fragment.end - fragment.start + 1;
    const auto digits = [](std::size_t number) { return static_cast<std::uint64_t>(DigitCount(number)) + 1; };
    return (analysis.batch ? nameSize + 1 : 0) + digits(fragment.start + offset) + digits(fragment.end + offset) +
           digits(length) + digits(fragment.missed) +
           static_cast<std::uint64_t>(FormatProbability(probability, fragment.probability) - probability) + 1 +
           MassWidth(mass.mono, kMonoDecimals) + 1 + MassWidth(mass.average, kAverageDecimals) + 1 + length + 1;
}

std::uint64_t WidestFragmentFields(const Analysis& analysis, std::size_t nameSize, std::size_t lastPosition,
                                   std::size_t longest, MicroDalton heaviest)
{
    const auto digits = [](std::size_t number) { return static_cast<std::uint64_t>(DigitCount(number)) + 1; };
    return (analysis.batch ? nameSize + 1 : 0) + 2 * digits(lastPosition) + 2 * digits(longest) +
           kWidestProbability + 1 + MassWidth(heaviest, kMonoDecimals) + 1 +
           MassWidth(heaviest, kAverageDecimals) + 1 + longest + 1;
}

MicroDalton HeaviestMass(std::size_t residues)
{
    return static_cast<MicroDalton>(std::min<std::uint64_t>(residues + 1, INT64_MAX / kHeavierThanAnyResidue)) *
           kHeavierThanAnyResidue;
}

std::uint64_t SaturatedProduct(std::uint64_t a, std::uint64_t b)
{
    return b != 0 && a > UINT64_MAX / b ? UINT64_MAX : a * b;
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

TableSize ReportProtein(const Analysis& analysis, const std::string& proteinName, const std::string& sequence,
                        std::size_t first, std::size_t last, const TableSize& left, RowBuffer& fragmentRows,
                        RowBuffer& siteRows)
{
    // A batch analyses whole proteins: those are not copied.
    const bool whole = first == 1 && last == sequence.size();
    const std::string part = whole ? std::string() : sequence.substr(first - 1, last - first + 1);
    const std::string& analysed = whole ? sequence : part;
    const std::size_t offset = first - 1;
    if (analysis.features.Any())
        return ReportWithFeatures(analysis, proteinName, sequence, analysed, offset, left, fragmentRows, siteRows);
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
    TableSize size;
    size.rows = reported(pieces * (std::min<std::uint64_t>(pieces, analysis.filter.maxMissed) + 1));
    if (size.rows > left.rows)
        size.rows = reported(digest.CountBound(analysis.filter));
    if (size.rows > left.rows)
        size.rows = reported(digest.Count(analysis.filter, floor));

    // The bytes the same way: first an upper bound, those rows each as long as the
    // longest fragment allowed with every number as wide as it can be (high by the
    // sequence's length for short fragments); then, only when that passes the bound,
    // each reported fragment's row digit for digit: exact.
    const std::size_t longest = std::min(analysed.size(), analysis.filter.maxLength);
    size.bytes = SaturatedProduct(size.rows, WidestFragmentFields(analysis, proteinName.size(), last, longest,
                                                                  HeaviestMass(longest)));
    const MassPrefix masses(analysed);
    const auto widthOf = [&](const Fragment& fragment) {
        return FragmentFieldsWidth(analysis, proteinName.size(), offset, fragment,
                                   masses.FragmentMass(fragment.start - 1, fragment.end - 1));
    };
    std::vector<Fragment> selected;
    if (best)
        selected = Select(analysis, digest);
    if (size.bytes > left.bytes)
    {
        size.bytes = 0;
        const auto count = [&](const Fragment& fragment) { size.bytes += widthOf(fragment); };
        if (best)
            std::for_each(selected.begin(), selected.end(), count);
        else
            digest.Enumerate(analysis.filter, [floor] { return floor; }, count);
    }
    if (size.rows > left.rows || size.bytes > left.bytes)
        return size;

    for (const Site& site : found)
        WriteSiteRow(analysis, proteinName, analysed, offset, site, nullptr, siteRows);

    const std::uint64_t bytesBefore = fragmentRows.Size();
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
        digest.Enumerate(analysis.filter, [floor] { return floor; }, writeFragment);
    else
    {
        if (!best)
            selected = Select(analysis, digest);
        SortFragments(selected, analysis.order, [&](const Fragment& fragment) {
            return masses.FragmentMass(fragment.start - 1, fragment.end - 1).mono;
        });
        std::for_each(selected.begin(), selected.end(), writeFragment);
    }
    return {written, fragmentRows.Size() - bytesBefore};
}
}
