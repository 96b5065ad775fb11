// Modifications of residues and protein termini, named by their Unimod titles and
// sites, and the modified forms of a fragment.
#pragma once
#include "Residues.h"

#include <string>
#include <vector>

namespace cleavage
{
// Where a modification sits.
enum class ModificationSite
{
    Residue,      // every residue of its letter
    FirstResidue, // its residue when it is a fragment's first
    ProteinFirstResidue, // its residue when it is the molecule's own first
    ProteinNTerm, // the molecule's own first residue's amino group
    ProteinCTerm, // the molecule's own last residue's carboxyl group
};

struct ModificationKind
{
    const char* name;  // "Oxidation (M)": as users name it
    const char* title; // "Oxidation": as a row's modifications column shows it
    ModificationSite site;
    char residue;      // the residue it changes; 0 for a protein terminus
    ResidueMass delta;
    // It takes its residue's amino group too (pyro-glutamate forms from it), the place
    // of an N-terminal modification: the two never go together.
    bool takesAminoGroup;
};

// The names FindModifications takes: each kind's, then the shorthands.
std::vector<std::string> ModificationNames();

// The kinds a name stands for: one, or the three of the shorthand "Phospho (STY)". An
// unknown name throws EngineError "<where>: ...", listing the known names.
std::vector<const ModificationKind*> FindModifications(const std::string& name, const std::string& where);

// A modification as it was named, and the kinds the name stands for.
struct NamedModification
{
    std::string name;
    std::vector<const ModificationKind*> kinds;
};
// FindModifications, with the name kept.
NamedModification LookUpModification(const std::string& name, const std::string& where);

// Two kinds that may change the same residue, terminus or amino group of some fragment.
bool ShareASite(const ModificationKind& a, const ModificationKind& b);

struct ModifiedForm
{
    ResidueMass mass;
    std::string label; // "M5:Oxidation;S12:Phospho"; empty for the unmodified form
};

class Modifications
{
public:
    Modifications() = default;
    Modifications(const std::vector<NamedModification>& fixed, const std::vector<NamedModification>& variable,
                  std::size_t maxVariable);
    // Names as FindModifications takes them, checked before.
    Modifications(const std::vector<std::string>& fixed, const std::vector<std::string>& variable,
                  std::size_t maxVariable);

    bool Any() const { return !m_fixed.empty() || !m_variable.empty(); }
    bool AnyVariable() const { return !m_variable.empty(); }
    // At least the characters of any form's label within a molecule whose positions
    // have at most `positionDigits` digits.
    std::size_t WidestLabel(std::size_t positionDigits) const;

    // The forms of residues first..last (0-based, inclusive) of `molecule`, whose mass
    // unmodified is `mass`: every fixed modification on each, and each choice of at most
    // maxVariable variable ones, one to a residue or terminus, on places no fixed one
    // holds (a kind that takes the amino group holds the N-terminus too). The unmodified
    // form comes first, then the forms with one variable modification, then two, each
    // count in order of place, the kinds of one place in the order given. A mass of
    // kNoMass stays so. Without `labelled` the forms' labels stay empty: counting them
    // needs their masses only.
    void Forms(const std::string& molecule, std::size_t first, std::size_t last, ResidueMass mass,
               std::vector<ModifiedForm>& forms, bool labelled = true) const;

private:
    std::vector<const ModificationKind*> m_fixed;
    std::vector<const ModificationKind*> m_variable;
    std::size_t m_maxVariable = 0;
};
}
