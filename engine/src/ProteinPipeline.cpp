#include "ProteinPipeline.h"
#include "Background.h"
#include "FragmentTableWriter.h"
#include "SemiDigest.h"
#include "SiteTableWriter.h"

#include <algorithm>

namespace cleavage
{
namespace
{
const std::string kUnmodified;

// The forms of a fragment when neither a modification nor a mass window is given: the
// fragment itself, of its residues' mass.
class UnmodifiedForms
{
public:
    static constexpr bool kOnePerFragment = true;

    explicit UnmodifiedForms(const MassPrefix& masses) : m_masses(masses) {}

    bool AnyInWindow(const Fragment& /*fragment*/) const { return true; }
    std::uint64_t Count(const Fragment& /*fragment*/) const { return 1; }
    // Calls take(mass, label) for each form.
    template <class Take>
    void Each(const Fragment& fragment, bool /*labelled*/, const Take& take) const
    {
        take(m_masses.FragmentMass(fragment.start - 1, fragment.end - 1), kUnmodified);
    }

private:
    const MassPrefix& m_masses;
};

// The forms of a fragment with modifications or a mass window: those in the window, in
// their own order.
class ModifiedForms
{
public:
    static constexpr bool kOnePerFragment = false;

    ModifiedForms(const Analysis& analysis, const MassPrefix& masses, const std::string& molecule,
                  std::size_t offset)
        : m_analysis(analysis), m_masses(masses), m_molecule(molecule), m_offset(offset)
    {
    }

    bool AnyInWindow(const Fragment& fragment) const
    {
        return !m_analysis.window.Any() || !Of(fragment, false).empty();
    }
    std::uint64_t Count(const Fragment& fragment) const { return Of(fragment, false).size(); }
    // Without `labelled` the labels stay empty: counting needs the masses only.
    template <class Take>
    void Each(const Fragment& fragment, bool labelled, const Take& take) const
    {
        for (const ModifiedForm& form : Of(fragment, labelled))
            take(form.mass, form.label);
    }

private:
    const std::vector<ModifiedForm>& Of(const Fragment& fragment, bool labelled) const
    {
        const ResidueMass mass = m_masses.FragmentMass(fragment.start - 1, fragment.end - 1);
        if (m_analysis.modifications.Any())
            m_analysis.modifications.Forms(m_molecule, fragment.start - 1 + m_offset, fragment.end - 1 + m_offset,
                                           mass, m_forms, labelled);
        else
            m_forms.assign(1, ModifiedForm{mass, std::string()});
        const MassWindow& window = m_analysis.window;
        m_forms.erase(std::remove_if(m_forms.begin(), m_forms.end(),
                                     [&window](const ModifiedForm& form) { return !window.Holds(form.mass.mono); }),
                      m_forms.end());
        return m_forms;
    }

    const Analysis& m_analysis;
    const MassPrefix& m_masses;
    const std::string& m_molecule;
    std::size_t m_offset;
    mutable std::vector<ModifiedForm> m_forms; // the last fragment's
};

// A fast upper bound on the fragments a digest enumerates, when one is known.
std::uint64_t QuickCount(const Digest& digest, const FragmentFilter& filter, std::uint64_t enough)
{
    return digest.QuickCount(filter, enough);
}
std::uint64_t QuickCount(const SemiDigest& /*digest*/, const FragmentFilter& /*filter*/, std::uint64_t /*enough*/)
{
    return UINT64_MAX;
}

// a * b, or UINT64_MAX when that does not fit.
std::uint64_t SaturatedProduct(std::uint64_t a, std::uint64_t b)
{
    return b != 0 && a > UINT64_MAX / b ? UINT64_MAX : a * b;
}

// The fragments of `digest` in their `forms`: selected, counted against `left`, then,
// when they fit, the sites written by `writeSites` and the rows in their order.
template <class Fragments, class Forms, class WriteSites>
TableSize ReportFragments(const Analysis& analysis, const Fragments& digest, const Forms& forms,
                          const FragmentRowWriter& table, std::size_t longest, const TableSize& left,
                          const WriteSites& writeSites, RowBuffer& rows)
{
    const FragmentFilter& filter = analysis.filter;
    const bool best = analysis.selection == Selection::Best;
    const double floor = analysis.selection == Selection::Threshold ? analysis.threshold : 0.0;
    const auto fixedFloor = [floor] { return floor; };
    // Fragments without a form in the window are not fragments of this analysis.
    const auto enumerate = [&](const auto& floorOf, const auto& take) {
        digest.Enumerate(filter, floorOf, [&](const Fragment& fragment) {
            if (forms.AnyInWindow(fragment))
                take(fragment);
        });
    };

    // The rows are counted before any is written, each count closer and slower than
    // the one before, until one is within the bound: for a fragment each, a bound from
    // the sites; then the enumeration itself.
    std::vector<Fragment> selected;
    TableSize size;
    if (best)
    {
        selected = SelectBest(analysis.bestCount, enumerate);
        for (const Fragment& fragment : selected)
            size.rows += forms.Count(fragment);
    }
    else
    {
        size.rows = Forms::kOnePerFragment ? QuickCount(digest, filter, left.rows) : UINT64_MAX;
        if (size.rows > left.rows)
        {
            size.rows = 0;
            enumerate(fixedFloor, [&](const Fragment& fragment) { size.rows += forms.Count(fragment); });
        }
    }

    // The bytes the same way: first each row as wide as the widest allowed (high by the
    // sequence's length for short fragments); then, only when that passes the bound,
    // each row digit for digit, and the rows with them: exact.
    size.bytes = SaturatedProduct(size.rows, table.WidestRow(longest));
    if (size.bytes > left.bytes)
    {
        size = TableSize();
        const auto count = [&](const Fragment& fragment) {
            forms.Each(fragment, true, [&](const ResidueMass& mass, const std::string& label) {
                ++size.rows;
                size.bytes += table.Width(fragment, mass, label);
            });
        };
        if (best)
            std::for_each(selected.begin(), selected.end(), count);
        else
            enumerate(fixedFloor, count);
    }
    if (size.rows > left.rows || size.bytes > left.bytes)
        return size;

    writeSites();
    const std::uint64_t bytesBefore = rows.Size();
    std::uint64_t written = 0;
    const auto write = [&](const Fragment& fragment) {
        forms.Each(fragment, true, [&](const ResidueMass& mass, const std::string& label) {
            ++written;
            table.Write(fragment, mass, label, rows);
        });
    };
    // In position order, the enumeration's own, fragments go out as they are found:
    // asking for all of them holds none.
    if (analysis.order == SortOrder::Position && !best)
        digest.Enumerate(filter, fixedFloor, write);
    else if (analysis.order != SortOrder::Weight)
    {
        if (!best)
            enumerate(fixedFloor, [&](const Fragment& fragment) { selected.push_back(fragment); });
        SortFragments(selected, analysis.order);
        std::for_each(selected.begin(), selected.end(), write);
    }
    else
    {
        // By weight each form has its place, by its own mass; ties keep the forms'
        // order by position, the enumeration's own. The labels wait beside the rows,
        // the unmodified form's first.
        std::vector<FormRow> formRows;
        std::vector<std::string> labels = {kUnmodified};
        const auto list = [&](const Fragment& fragment) {
            forms.Each(fragment, true, [&](const ResidueMass& mass, const std::string& label) {
                if (!label.empty())
                    labels.push_back(label);
                formRows.push_back({fragment, mass, label.empty() ? 0 : labels.size() - 1});
            });
        };
        if (best)
        {
            std::sort(selected.begin(), selected.end(), ByPosition);
            std::for_each(selected.begin(), selected.end(), list);
        }
        else
            enumerate(fixedFloor, list);
        for (const WeightKey& key : WeightOrder(formRows))
        {
            const FormRow& row = formRows[key.row];
            table.Write(row.fragment, row.mass, labels[row.label], rows);
        }
        written = formRows.size();
    }
    return {written, rows.Size() - bytesBefore};
}

// Every fragment of `digest` in its forms (those in the mass window), offered to the
// matcher: the candidates do not depend on what the table selects.
template <class Fragments, class Forms>
void OfferCandidates(const Analysis& analysis, const Fragments& digest, const Forms& forms,
                     const std::string& proteinName, const std::string& molecule, const std::string& analysed,
                     std::size_t offset, const CandidateSink& sink)
{
    const std::string_view residues(analysed);
    digest.Enumerate(analysis.filter, [] { return 0.0; }, [&](const Fragment& fragment) {
        // Labels cost more than masses: a fragment none of whose forms matches gets none.
        bool reaches = false;
        if (!Forms::kOnePerFragment)
            forms.Each(fragment, false, [&](const ResidueMass& mass, const std::string& /*label*/) {
                reaches = reaches || sink.matcher->Reaches(mass);
            });
        if (!Forms::kOnePerFragment && !reaches)
            return;
        std::size_t form = 0;
        forms.Each(fragment, true, [&](const ResidueMass& mass, const std::string& label) {
            sink.matcher->Offer(Candidate{sink.protein, proteinName, molecule.size(), fragment.start + offset,
                                          fragment.end + offset, form++,
                                          residues.substr(fragment.start - 1, fragment.end - fragment.start + 1),
                                          label, mass, fragment.probability});
        });
    });
}

template <class Fragments, class Forms, class WriteSites>
TableSize ReportAndOffer(const Analysis& analysis, const Fragments& digest, const Forms& forms,
                         const std::string& proteinName, const std::string& molecule, const std::string& analysed,
                         std::size_t offset, const FragmentRowWriter& table, std::size_t longest,
                         const TableSize& left, const WriteSites& writeSites, RowBuffer& rows,
                         const CandidateSink& candidates)
{
    if (candidates.matcher)
        OfferCandidates(analysis, digest, forms, proteinName, molecule, analysed, offset, candidates);
    return ReportFragments(analysis, digest, forms, table, longest, left, writeSites, rows);
}

template <class Fragments, class WriteSites>
TableSize ReportFormsOf(const Analysis& analysis, const Fragments& digest, const std::string& proteinName,
                        const std::string& molecule, const std::string& analysed, std::size_t offset,
                        const FragmentRowWriter& table, const TableSize& left, const WriteSites& writeSites,
                        RowBuffer& rows, const CandidateSink& candidates)
{
    const MassPrefix masses(analysed);
    const std::size_t longest = std::min(analysed.size(), analysis.filter.maxLength);
    if (analysis.modifications.Any() || analysis.window.Any())
        return ReportAndOffer(analysis, digest, ModifiedForms(analysis, masses, molecule, offset), proteinName,
                              molecule, analysed, offset, table, longest, left, writeSites, rows, candidates);
    return ReportAndOffer(analysis, digest, UnmodifiedForms(masses), proteinName, molecule, analysed, offset, table,
                          longest, left, writeSites, rows, candidates);
}
}

TableSize ReportProtein(const Analysis& analysis, const std::string& proteinName, const std::string& sequence,
                        std::size_t first, std::size_t last, const TableSize& left, RowBuffer& fragmentRows,
                        RowBuffer& siteRows, const CandidateSink& candidates)
{
    // A batch analyses whole proteins: those are not copied.
    const bool whole = first == 1 && last == sequence.size();
    const std::string part = whole ? std::string() : sequence.substr(first - 1, last - first + 1);
    const std::string& analysed = whole ? sequence : part;
    const std::size_t offset = first - 1;

    const ProteinSites found = analysis.reagents.FindSites(analysed);
    const auto writeSites = [&] { WriteSiteRows(analysis, proteinName, analysed, offset, found, siteRows); };
    const FragmentRowWriter table(analysis, proteinName, analysed, offset);
    // The background cuts the fragments, not the site table: that lists the reagents' sites.
    std::vector<Site> withBackground;
    if (analysis.background > 0)
        withBackground = WithBackground(analysed.size(), found.sites, analysis.background);
    const std::vector<Site>& cuts = analysis.background > 0 ? withBackground : found.sites;
    if (analysis.specificity == Specificity::Semi)
        return ReportFormsOf(analysis, SemiDigest(analysed.size(), cuts), proteinName, sequence, analysed, offset,
                             table, left, writeSites, fragmentRows, candidates);
    return ReportFormsOf(analysis, Digest(analysed.size(), cuts), proteinName, sequence, analysed, offset, table,
                         left, writeSites, fragmentRows, candidates);
}
}
