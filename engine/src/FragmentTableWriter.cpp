#include "FragmentTableWriter.h"
#include "ResultFormat.h"

#include <algorithm>

namespace cleavage
{
namespace
{
// The most characters FormatProbability writes: "4.940656458e-324".
constexpr std::size_t kWidestProbability = 16;
// Far above any residue with any modification, and above a water, in micro-daltons.
constexpr MicroDalton kHeavierThanAnyResidue = 400000000;

// An upper bound on the monoisotopic and average mass of `residues` residues, with any
// modifications: every residue heavier than the heaviest and its heaviest change.
MicroDalton HeaviestMass(std::size_t residues)
{
    return static_cast<MicroDalton>(std::min<std::uint64_t>(residues + 1, INT64_MAX / kHeavierThanAnyResidue)) *
           kHeavierThanAnyResidue;
}

// A number's digits and its tab.
std::uint64_t NumberWidth(std::size_t number)
{
    return static_cast<std::uint64_t>(DigitCount(number)) + 1;
}

MicroDalton ChargedMass(MicroDalton mono, int charge)
{
    return mono == kNoMass ? kNoMass : MassToCharge(mono, charge);
}
}

void WriteFragmentHeader(std::ostream& out, const Analysis& analysis)
{
    WriteColumnNames(out, analysis.batch, kFragmentColumns, kFragmentColumnCount);
    if (analysis.modifications.AnyVariable())
        out << '\t' << kModificationsColumn;
    for (int charge = analysis.charges.from; charge > 0 && charge <= analysis.charges.to; ++charge)
        out << '\t' << kChargeColumnPrefix << charge;
    out << "\n";
}

MicroDalton MassToCharge(MicroDalton mono, int charge)
{
    const MicroDalton nanoDaltons = mono * 1000 + charge * kProtonNanoDaltons;
    return (nanoDaltons + 500 * charge) / (1000 * charge);
}

FragmentRowWriter::FragmentRowWriter(const Analysis& analysis, const std::string& proteinName,
                                     const std::string& analysed, std::size_t offset)
    : m_analysis(analysis),
      m_proteinName(proteinName),
      m_analysed(analysed),
      m_offset(offset),
      m_labelled(analysis.modifications.AnyVariable())
{
}

void FragmentRowWriter::Write(const Fragment& fragment, const ResidueMass& mass, const std::string& label,
                              RowBuffer& rows) const
{
    const std::size_t length = fragment.end - fragment.start + 1;
    if (m_analysis.batch)
        rows.Field(m_proteinName);
    rows.Field(fragment.start + m_offset);
    rows.Field(fragment.end + m_offset);
    rows.Field(length);
    rows.Field(fragment.missed);
    rows.Probability(fragment.probability);
    rows.Mass(mass.mono, kMonoDecimals);
    rows.Mass(mass.average, kAverageDecimals);
    rows.Field(m_analysed.data() + fragment.start - 1, length);
    if (m_labelled)
        rows.Field(label);
    for (int charge = m_analysis.charges.from; charge > 0 && charge <= m_analysis.charges.to; ++charge)
        rows.Mass(ChargedMass(mass.mono, charge), kMonoDecimals);
    rows.EndRow();
}

std::uint64_t FragmentRowWriter::Width(const Fragment& fragment, const ResidueMass& mass,
                                       const std::string& label) const
{
    char probability[kProbabilityRoom];
    const std::size_t length = fragment.end - fragment.start + 1;
    std::uint64_t width =
        (m_analysis.batch ? m_proteinName.size() + 1 : 0) + NumberWidth(fragment.start + m_offset) +
        NumberWidth(fragment.end + m_offset) + NumberWidth(length) + NumberWidth(fragment.missed) +
        static_cast<std::uint64_t>(FormatProbability(probability, fragment.probability) - probability) + 1 +
        MassWidth(mass.mono, kMonoDecimals) + 1 + MassWidth(mass.average, kAverageDecimals) + 1 + length + 1;
    if (m_labelled)
        width += label.size() + 1;
    for (int charge = m_analysis.charges.from; charge > 0 && charge <= m_analysis.charges.to; ++charge)
        width += MassWidth(ChargedMass(mass.mono, charge), kMonoDecimals) + 1;
    return width;
}

std::uint64_t FragmentRowWriter::WidestRow(std::size_t longest) const
{
    const std::size_t lastPosition = m_offset + m_analysed.size();
    const MicroDalton heaviest = HeaviestMass(longest);
    return (m_analysis.batch ? m_proteinName.size() + 1 : 0) + 2 * NumberWidth(lastPosition) +
           2 * NumberWidth(longest) + kWidestProbability + 1 + MassWidth(heaviest, kMonoDecimals) + 1 +
           MassWidth(heaviest, kAverageDecimals) + 1 + longest + 1 +
           (m_labelled ? m_analysis.modifications.WidestLabel(static_cast<std::size_t>(DigitCount(lastPosition))) + 1
                       : 0) +
           static_cast<std::uint64_t>(m_analysis.charges.Count()) * (MassWidth(heaviest, kMonoDecimals) + 1);
}
}
