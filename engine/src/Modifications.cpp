#include "Modifications.h"
#include "EngineError.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace cleavage
{
namespace
{
// Mass changes from Unimod (unimod.org; each modification's "delta" mono_mass and
// avge_mass), in micro-daltons: Carbamidomethyl 57.021464 / 57.0513 (H(3) C(2) N O),
// Oxidation 15.994915 / 15.9994, Phospho 79.966331 / 79.9799, Acetyl 42.010565 /
// 42.0367, Deamidated 0.984016 / 0.9848, Gln->pyro-Glu -17.026549 / -17.0305,
// Amidated -0.984016 / -0.9848, Met-loss -131.040485 / -131.1961, Met-loss+Acetyl
// -89.029920 / -89.1594.
constexpr ResidueMass kCarbamidomethyl = {57021464, 57051300};
constexpr ResidueMass kOxidation = {15994915, 15999400};
constexpr ResidueMass kPhospho = {79966331, 79979900};
constexpr ResidueMass kAcetyl = {42010565, 42036700};
constexpr ResidueMass kDeamidated = {984016, 984800};
constexpr ResidueMass kPyroGlu = {-17026549, -17030500};
constexpr ResidueMass kAmidated = {-984016, -984800};
constexpr ResidueMass kMetLoss = {-131040485, -131196100};
constexpr ResidueMass kMetLossAcetyl = {-89029920, -89159400};

const ModificationKind kKinds[] = {
    {"Carbamidomethyl (C)", "Carbamidomethyl", ModificationSite::Residue, 'C', kCarbamidomethyl, false},
    {"Oxidation (M)", "Oxidation", ModificationSite::Residue, 'M', kOxidation, false},
    {"Phospho (S)", "Phospho", ModificationSite::Residue, 'S', kPhospho, false},
    {"Phospho (T)", "Phospho", ModificationSite::Residue, 'T', kPhospho, false},
    {"Phospho (Y)", "Phospho", ModificationSite::Residue, 'Y', kPhospho, false},
    {"Acetyl (Protein N-term)", "Acetyl", ModificationSite::ProteinNTerm, 0, kAcetyl, false},
    {"Deamidated (N)", "Deamidated", ModificationSite::Residue, 'N', kDeamidated, false},
    {"Deamidated (Q)", "Deamidated", ModificationSite::Residue, 'Q', kDeamidated, false},
    {"Gln->pyro-Glu (N-term Q)", "Gln->pyro-Glu", ModificationSite::FirstResidue, 'Q', kPyroGlu, true},
    {"Amidated (Protein C-term)", "Amidated", ModificationSite::ProteinCTerm, 0, kAmidated, false},
    // The initiator methionine most proteins lose in the cell, with it its amino group.
    {"Met-loss (Protein N-term M)", "Met-loss", ModificationSite::ProteinFirstResidue, 'M', kMetLoss, true},
    {"Met-loss+Acetyl (Protein N-term M)", "Met-loss+Acetyl", ModificationSite::ProteinFirstResidue, 'M',
     kMetLossAcetyl, true},
};

// A shorthand and the names it stands for.
struct Shorthand
{
    const char* name;
    std::vector<const char*> names;
};
const Shorthand kShorthands[] = {{"Phospho (STY)", {"Phospho (S)", "Phospho (T)", "Phospho (Y)"}}};

const ModificationKind* KindNamed(const std::string& name)
{
    const auto kind =
        std::find_if(std::begin(kKinds), std::end(kKinds), [&name](const ModificationKind& k) { return name == k.name; });
    return kind == std::end(kKinds) ? nullptr : kind;
}

// A place a modification can take: the N-terminus (0), residue i (i + 1), the
// C-terminus (length + 1), in that order.
constexpr std::size_t kNTermOrder = 0;
struct Place
{
    std::size_t order;
    std::string label; // "M5", "N-term", "C-term"
    std::vector<const ModificationKind*> kinds;
};

void AddMass(ResidueMass& mass, const ResidueMass& delta)
{
    if (mass.mono == kNoMass)
        return;
    mass.mono += delta.mono;
    mass.average += delta.average;
}

// Calls `at(order, label)` for each place of the fragment that `kind` modifies.
template <class At>
void PlacesOf(const ModificationKind& kind, const std::string& molecule, std::size_t first, std::size_t last,
              const At& at)
{
    const auto residueLabel = [&molecule](std::size_t i) { return molecule[i] + std::to_string(i + 1); };
    switch (kind.site)
    {
    case ModificationSite::Residue:
        for (std::size_t i = first; i <= last; ++i)
            if (molecule[i] == kind.residue)
                at(i - first + 1, residueLabel(i));
        break;
    case ModificationSite::FirstResidue:
        if (molecule[first] == kind.residue)
            at(1, residueLabel(first));
        break;
    case ModificationSite::ProteinFirstResidue:
        if (first == 0 && molecule[0] == kind.residue)
            at(1, residueLabel(0));
        break;
    case ModificationSite::ProteinNTerm:
        if (first == 0)
            at(0, std::string("N-term"));
        break;
    case ModificationSite::ProteinCTerm:
        if (last + 1 == molecule.size())
            at(last - first + 2, std::string("C-term"));
        break;
    }
}
}

std::vector<std::string> ModificationNames()
{
    std::vector<std::string> names;
    for (const ModificationKind& kind : kKinds)
        names.push_back(kind.name);
    for (const Shorthand& shorthand : kShorthands)
        names.push_back(shorthand.name);
    return names;
}

std::vector<const ModificationKind*> FindModifications(const std::string& name, const std::string& where)
{
    if (const ModificationKind* kind = KindNamed(name))
        return {kind};
    for (const Shorthand& shorthand : kShorthands)
    {
        if (name != shorthand.name)
            continue;
        std::vector<const ModificationKind*> kinds;
        for (const char* member : shorthand.names)
            kinds.push_back(KindNamed(member));
        return kinds;
    }
    throw EngineError(where + ": \"" + Printable(name) + "\" is not a modification the engine knows; it knows " +
                      JoinNames(ModificationNames()));
}

NamedModification LookUpModification(const std::string& name, const std::string& where)
{
    return {name, FindModifications(name, where)};
}

bool ShareASite(const ModificationKind& a, const ModificationKind& b)
{
    const auto takesNTerm = [](const ModificationKind& kind) {
        return kind.site == ModificationSite::ProteinNTerm || kind.takesAminoGroup;
    };
    if (takesNTerm(a) && takesNTerm(b))
        return true;
    return a.residue != 0 ? a.residue == b.residue : a.site == b.site;
}

namespace
{
std::vector<NamedModification> LookUpModifications(const std::vector<std::string>& names)
{
    std::vector<NamedModification> named;
    for (const std::string& name : names)
        named.push_back(LookUpModification(name, name));
    return named;
}
}

Modifications::Modifications(const std::vector<NamedModification>& fixed,
                             const std::vector<NamedModification>& variable, std::size_t maxVariable)
    : m_maxVariable(maxVariable)
{
    for (const auto& [named, kinds] : {std::make_pair(&fixed, &m_fixed), std::make_pair(&variable, &m_variable)})
        for (const NamedModification& modification : *named)
            kinds->insert(kinds->end(), modification.kinds.begin(), modification.kinds.end());
}

Modifications::Modifications(const std::vector<std::string>& fixed, const std::vector<std::string>& variable,
                             std::size_t maxVariable)
    : Modifications(LookUpModifications(fixed), LookUpModifications(variable), maxVariable)
{
}

std::size_t Modifications::WidestLabel(std::size_t positionDigits) const
{
    // Each modification as "M12345:title;", a terminus as "N-term:title;".
    std::size_t widest = 0;
    for (const ModificationKind* kind : m_variable)
        widest = std::max(widest, std::max<std::size_t>(1 + positionDigits, 6) + 1 + std::strlen(kind->title) + 1);
    return widest * m_maxVariable;
}

void Modifications::Forms(const std::string& molecule, std::size_t first, std::size_t last, ResidueMass mass,
                          std::vector<ModifiedForm>& forms, bool labelled) const
{
    forms.clear();
    std::vector<std::size_t> taken; // places a fixed modification holds
    const auto isTaken = [&taken](std::size_t order) {
        return std::find(taken.begin(), taken.end(), order) != taken.end();
    };
    for (const ModificationKind* kind : m_fixed)
        PlacesOf(*kind, molecule, first, last, [&](std::size_t order, const std::string&) {
            AddMass(mass, kind->delta);
            taken.push_back(order);
            if (kind->takesAminoGroup)
                taken.push_back(kNTermOrder);
        });
    std::vector<Place> places;
    for (const ModificationKind* kind : m_variable)
        PlacesOf(*kind, molecule, first, last, [&](std::size_t order, const std::string& label) {
            if (isTaken(order) || (kind->takesAminoGroup && isTaken(kNTermOrder)))
                return;
            const auto place = std::find_if(places.begin(), places.end(),
                                            [order](const Place& p) { return p.order == order; });
            if (place == places.end())
                places.push_back({order, label, {kind}});
            else
                place->kinds.push_back(kind);
        });
    std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) { return a.order < b.order; });

    forms.push_back({mass, std::string()});
    // For each count of modifications, the places chosen in order, each with each of
    // its kinds; the N-terminus, when chosen, is chosen first.
    const std::function<void(std::size_t, std::size_t, ResidueMass, const std::string&, bool)> choose =
        [&](std::size_t from, std::size_t left, ResidueMass chosen, const std::string& label, bool nTermChosen) {
            if (left == 0)
            {
                forms.push_back({chosen, label});
                return;
            }
            for (std::size_t p = from; p + left <= places.size(); ++p)
                for (const ModificationKind* kind : places[p].kinds)
                {
                    if (kind->takesAminoGroup && nTermChosen)
                        continue;
                    ResidueMass next = chosen;
                    AddMass(next, kind->delta);
                    choose(p + 1, left - 1, next,
                           labelled ? label + (label.empty() ? "" : ";") + places[p].label + ":" + kind->title
                                    : label,
                           nTermChosen || places[p].order == kNTermOrder);
                }
        };
    for (std::size_t count = 1; count <= std::min(m_maxVariable, places.size()); ++count)
        choose(0, count, mass, std::string(), false);
}
}
