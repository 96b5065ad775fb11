#include "Report.h"
#include "Residues.h"

#include <charconv>

namespace cleavage
{
namespace
{
constexpr int kProbabilityDigits = 10;

void WriteProteinColumn(std::ostream& out, const Analysis& analysis, const std::string& proteinName)
{
    if (analysis.batch)
        out << proteinName << '\t';
}

std::vector<Fragment> Select(const Analysis& analysis, const Digest& digest)
{
    if (analysis.thresholdMode)
        return digest.Above(analysis.threshold, analysis.filter);
    if (analysis.all)
        return digest.Above(0.0, analysis.filter);
    return digest.Best(analysis.bestCount, analysis.filter);
}
}

std::string FormatProbability(double probability)
{
    char text[64];
    const std::to_chars_result result =
        std::to_chars(text, text + sizeof(text), probability, std::chars_format::general, kProbabilityDigits);
    return std::string(text, result.ptr);
}

Analysis::Analysis(const Parameters& parameters)
    : reagent(parameters.reagent),
      thresholdMode(parameters.thresholdMode == 1),
      threshold(parameters.probabilityThreshold / 100.0),
      bestCount(static_cast<std::size_t>(parameters.fragmentLimit)),
      all(parameters.fragmentLimit == kAllFragments),
      order(static_cast<SortOrder>(parameters.sortOrder)),
      batch(!parameters.fastaFile.empty())
{
    if (parameters.maxMissed >= 0)
        filter.maxMissed = static_cast<std::size_t>(parameters.maxMissed);
    if (parameters.minLength > 0)
        filter.minLength = static_cast<std::size_t>(parameters.minLength);
    if (parameters.maxLength > 0)
        filter.maxLength = static_cast<std::size_t>(parameters.maxLength);
}

void WriteFragmentHeader(std::ostream& out, bool batch)
{
    out << (batch ? "protein\t" : "") << "start\tend\tlength\tmissed\tprobability\tmono_mass\taverage_mass\tsequence\n";
}

void WriteSiteHeader(std::ostream& out, bool batch)
{
    out << (batch ? "protein\t" : "") << "position\tleft\tright\tefficiency\n";
}

void ReportProtein(const Analysis& analysis, const std::string& proteinName, const std::string& sequence,
                   std::size_t first, std::size_t last, std::ostream& fragments, std::ostream& sites)
{
    const std::string analysed = sequence.substr(first - 1, last - first + 1);
    const std::size_t offset = first - 1;
    const std::vector<Site> found = analysis.reagent.FindSites(analysed);
    for (const Site& site : found)
    {
        WriteProteinColumn(sites, analysis, proteinName);
        sites << site.position + offset << '\t' << analysed[site.position - 1] << '\t' << analysed[site.position]
              << '\t' << FormatProbability(site.efficiency) << '\n';
    }

    const Digest digest(analysed.size(), found);
    const MassPrefix masses(analysed);
    const auto writeFragment = [&](const Fragment& fragment) {
        const ResidueMass mass = masses.FragmentMass(fragment.start - 1, fragment.end - 1);
        WriteProteinColumn(fragments, analysis, proteinName);
        fragments << fragment.start + offset << '\t' << fragment.end + offset << '\t'
                  << fragment.end - fragment.start + 1 << '\t' << fragment.missed << '\t'
                  << FormatProbability(fragment.probability) << '\t' << FormatMonoMass(mass.mono) << '\t'
                  << FormatAverageMass(mass.average) << '\t';
        fragments.write(analysed.data() + fragment.start - 1, static_cast<std::streamsize>(fragment.end - fragment.start + 1));
        fragments << '\n';
    };

    // In position order, the enumeration's own order, fragments go out as they are
    // found: asking for all of them holds none.
    if (analysis.order == SortOrder::Position && (analysis.thresholdMode || analysis.all))
    {
        const double floor = analysis.thresholdMode ? analysis.threshold : 0.0;
        digest.Enumerate(analysis.filter, [floor] { return floor; }, writeFragment);
        return;
    }
    std::vector<Fragment> selected = Select(analysis, digest);
    SortFragments(selected, analysis.order, [&](const Fragment& fragment) {
        return masses.FragmentMass(fragment.start - 1, fragment.end - 1).mono;
    });
    for (const Fragment& fragment : selected)
        writeFragment(fragment);
}
}
