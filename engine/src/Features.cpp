#include "Features.h"
#include "Report.h"
#include "SemiDigest.h"
#include "ShippedReagents.h"

#include <algorithm>

namespace cleavage
{
namespace
{
// The proton's mass, 1.007276467 daltons (CODATA), in nano-daltons.
constexpr MicroDalton kProtonNanoDaltons = 1007276467;
constexpr int kDefaultMaxVariableMods = 2;

bool InWindow(const Features& features, MicroDalton mono)
{
    if (features.minMass == kNoMass && features.maxMass == kNoMass)
        return true;
    return mono != kNoMass && (features.minMass == kNoMass || mono >= features.minMass) &&
           (features.maxMass == kNoMass || mono <= features.maxMass);
}

// One form's row: its fragment's fields, then its modifications and m/z columns.
void WriteFormRow(const Analysis& analysis, const std::string& proteinName, const std::string& analysed,
                  std::size_t offset, const Fragment& fragment, const ModifiedForm& form, RowBuffer& rows)
{
    const Features& features = analysis.features;
    WriteFragmentFields(analysis, proteinName, analysed, offset, fragment, form.mass, rows);
    if (features.modifications.AnyVariable())
        rows.Field(form.label);
    for (int charge = features.chargeFrom; charge > 0 && charge <= features.chargeTo; ++charge)
        rows.Mass(form.mass.mono == kNoMass ? kNoMass : MassToCharge(form.mass.mono, charge), kMonoDecimals);
    rows.EndRow();
}

// The bytes WriteFormRow writes.
std::uint64_t FormRowWidth(const Analysis& analysis, std::size_t nameSize, std::size_t offset,
                           const Fragment& fragment, const ModifiedForm& form)
{
    const Features& features = analysis.features;
    std::uint64_t width = FragmentFieldsWidth(analysis, nameSize, offset, fragment, form.mass);
    if (features.modifications.AnyVariable())
        width += form.label.size() + 1;
    for (int charge = features.chargeFrom; charge > 0 && charge <= features.chargeTo; ++charge)
        width += MassWidth(form.mass.mono == kNoMass ? kNoMass : MassToCharge(form.mass.mono, charge), kMonoDecimals) + 1;
    return width;
}
}

Features::Features(const Parameters& parameters)
    : semi(parameters.specificity == "semi"),
      modifications(parameters.fixedMods, parameters.variableMods,
                    static_cast<std::size_t>(parameters.maxVariableMods < 0 ? kDefaultMaxVariableMods
                                                                            : parameters.maxVariableMods)),
      chargeFrom(parameters.chargeFrom),
      chargeTo(parameters.chargeTo),
      minMass(parameters.minMass < 0 ? kNoMass : parameters.minMass),
      maxMass(parameters.maxMass < 0 ? kNoMass : parameters.maxMass)
{
    if (parameters.alsoReagents.empty())
        return;
    // The site table names the reagents that cut; a reagent without a name still needs one.
    reagentNames.push_back(parameters.reagent.name.empty() ? "(unnamed)" : parameters.reagent.name);
    for (const std::string& name : parameters.alsoReagents)
    {
        alsoReagents.emplace_back(ShippedReagent(name, parameters.Where("also_reagent")));
        reagentNames.push_back(name);
    }
}

bool Features::Any() const
{
    return semi || !reagentNames.empty() || modifications.Any() || chargeFrom > 0 || minMass != kNoMass ||
           maxMass != kNoMass;
}

MicroDalton MassToCharge(MicroDalton mono, int charge)
{
    const MicroDalton nanoDaltons = mono * 1000 + charge * kProtonNanoDaltons;
    return (nanoDaltons + 500 * charge) / (1000 * charge);
}

void WriteFeatureColumns(std::ostream& out, const Features& features)
{
    if (features.modifications.AnyVariable())
        out << "\tmodifications";
    for (int charge = features.chargeFrom; charge > 0 && charge <= features.chargeTo; ++charge)
        out << "\tmz_" << charge;
}

TableSize ReportWithFeatures(const Analysis& analysis, const std::string& proteinName, const std::string& sequence,
                             const std::string& analysed, std::size_t offset, const TableSize& left,
                             RowBuffer& fragmentRows, RowBuffer& siteRows)
{
    const Features& features = analysis.features;
    CombinedSites found;
    if (features.reagentNames.empty())
        found.sites = analysis.reagent.FindSites(analysed);
    else
    {
        std::vector<const Reagent*> reagents = {&analysis.reagent};
        for (const Reagent& reagent : features.alsoReagents)
            reagents.push_back(&reagent);
        found = CombineSites(reagents, features.reagentNames, analysed);
    }
    const Digest digest(analysed.size(), found.sites);
    const SemiDigest semiDigest(analysed.size(), found.sites);
    const auto enumerate = [&](const auto& floor, const auto& take) {
        if (features.semi)
            semiDigest.Enumerate(analysis.filter, floor, take);
        else
            digest.Enumerate(analysis.filter, floor, take);
    };

    // A fragment's rows: its forms within the mass window.
    const MassPrefix masses(analysed);
    std::vector<ModifiedForm> forms;
    // Labelled for writing; only counted, without.
    const auto formsOf = [&](const Fragment& fragment, bool labelled) -> const std::vector<ModifiedForm>& {
        const ResidueMass mass = masses.FragmentMass(fragment.start - 1, fragment.end - 1);
        if (features.modifications.Any())
            features.modifications.Forms(sequence, fragment.start - 1 + offset, fragment.end - 1 + offset, mass,
                                         forms, labelled);
        else
            forms.assign(1, ModifiedForm{mass, std::string()});
        forms.erase(std::remove_if(forms.begin(), forms.end(),
                                   [&](const ModifiedForm& form) { return !InWindow(features, form.mass.mono); }),
                    forms.end());
        return forms;
    };
    // Fragments without a form in the window are not fragments of this analysis.
    const bool windowed = features.minMass != kNoMass || features.maxMass != kNoMass;
    const auto enumerateInWindow = [&](const auto& floor, const auto& take) {
        enumerate(floor, [&](const Fragment& fragment) {
            if (!windowed || !formsOf(fragment, false).empty())
                take(fragment);
        });
    };

    // The rows are counted before any is written.
    const bool best = !analysis.thresholdMode && !analysis.all;
    const double floor = analysis.thresholdMode ? analysis.threshold : 0.0;
    const auto fixedFloor = [floor] { return floor; };
    std::vector<Fragment> selected;
    std::uint64_t rows = 0;
    if (best)
    {
        selected = SelectBest(analysis.bestCount, enumerateInWindow);
        for (const Fragment& fragment : selected)
            rows += formsOf(fragment, false).size();
    }
    else
        enumerateInWindow(fixedFloor, [&](const Fragment& fragment) { rows += formsOf(fragment, false).size(); });

    // Their bytes: first each row as wide as the widest, then, only when that passes
    // the bound, each form's row with its label, digit for digit: exact.
    const std::size_t longest = std::min(analysed.size(), analysis.filter.maxLength);
    const MicroDalton heaviest = HeaviestMass(longest);
    const std::size_t lastPosition = offset + analysed.size();
    const int charges = features.chargeFrom > 0 ? features.chargeTo - features.chargeFrom + 1 : 0;
    const std::uint64_t widest =
        WidestFragmentFields(analysis, proteinName.size(), lastPosition, longest, heaviest) +
        (features.modifications.AnyVariable()
             ? features.modifications.WidestLabel(static_cast<std::size_t>(DigitCount(lastPosition))) + 1
             : 0) +
        static_cast<std::uint64_t>(charges) * (MassWidth(heaviest, kMonoDecimals) + 1);
    TableSize size = {rows, SaturatedProduct(rows, widest)};
    if (size.bytes > left.bytes)
    {
        size.bytes = 0;
        const auto count = [&](const Fragment& fragment) {
            for (const ModifiedForm& form : formsOf(fragment, true))
                size.bytes += FormRowWidth(analysis, proteinName.size(), offset, fragment, form);
        };
        if (best)
            std::for_each(selected.begin(), selected.end(), count);
        else
            enumerateInWindow(fixedFloor, count);
    }
    if (size.rows > left.rows || size.bytes > left.bytes)
        return size;
    const std::uint64_t bytesBefore = fragmentRows.Size();
    const auto written = [&] { return TableSize{rows, fragmentRows.Size() - bytesBefore}; };

    for (std::size_t i = 0; i < found.sites.size(); ++i)
        WriteSiteRow(analysis, proteinName, analysed, offset, found.sites[i],
                     features.reagentNames.empty() ? nullptr : &found.cutters[i], siteRows);

    const auto writeForms = [&](const Fragment& fragment, const std::vector<ModifiedForm>& fragmentForms) {
        for (const ModifiedForm& form : fragmentForms)
            WriteFormRow(analysis, proteinName, analysed, offset, fragment, form, fragmentRows);
    };
    // In position order, the enumeration's own, fragments go out as they are found.
    if (analysis.order == SortOrder::Position && !best)
    {
        enumerateInWindow(fixedFloor, [&](const Fragment& fragment) { writeForms(fragment, formsOf(fragment, true)); });
        return written();
    }
    if (!best)
        enumerateInWindow(fixedFloor, [&](const Fragment& fragment) { selected.push_back(fragment); });
    if (analysis.order != SortOrder::Weight)
    {
        SortFragments(selected, analysis.order, [](const Fragment&) { return 0LL; });
        for (const Fragment& fragment : selected)
            writeForms(fragment, formsOf(fragment, true));
        return written();
    }
    // By weight each form has its place, by its own mass (none last), ties by position
    // and then in the forms' order.
    std::vector<std::pair<Fragment, ModifiedForm>> formRows;
    for (const Fragment& fragment : selected)
        for (const ModifiedForm& form : formsOf(fragment, true))
            formRows.emplace_back(fragment, form);
    std::stable_sort(formRows.begin(), formRows.end(), [](const auto& a, const auto& b) {
        const auto massA = static_cast<unsigned long long>(a.second.mass.mono);
        const auto massB = static_cast<unsigned long long>(b.second.mass.mono);
        if (massA != massB)
            return massA < massB;
        return a.first.start != b.first.start ? a.first.start < b.first.start : a.first.end < b.first.end;
    });
    for (const auto& [fragment, form] : formRows)
        WriteFormRow(analysis, proteinName, analysed, offset, fragment, form, fragmentRows);
    return written();
}
}
