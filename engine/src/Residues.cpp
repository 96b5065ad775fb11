#include "Residues.h"
#include "EngineError.h"

#include <algorithm>
#include <array>

namespace cleavage
{
namespace
{
// Residue masses (amino acid minus water) from the Unimod amino acid table
// (unimod.org, "Amino acids"): monoisotopic to 6 decimals, average to 4, here in
// micro-daltons. U is selenocysteine, O pyrrolysine. J (leucine or isoleucine)
// takes their common mass: the two are isobaric. B (D or N), Z (E or Q) and X
// (unknown) have no defined mass, so a fragment holding one has none either.
struct ResidueEntry
{
    char letter;
    ResidueMass mass;
};

constexpr ResidueEntry kResidueTable[] = {
    {'A', {71037114, 71077900}},   {'R', {156101111, 156185700}}, {'N', {114042927, 114102600}},
    {'D', {115026943, 115087400}}, {'C', {103009185, 103142900}}, {'E', {129042593, 129114000}},
    {'Q', {128058578, 128129200}}, {'G', {57021464, 57051300}},   {'H', {137058912, 137139300}},
    {'I', {113084064, 113157600}}, {'L', {113084064, 113157600}}, {'J', {113084064, 113157600}},
    {'K', {128094963, 128172300}}, {'M', {131040485, 131196100}}, {'F', {147068414, 147173900}},
    {'P', {97052764, 97115200}},   {'S', {87032028, 87077300}},   {'T', {101047679, 101103900}},
    {'W', {186079313, 186209900}}, {'Y', {163063329, 163173300}}, {'V', {99068414, 99131100}},
    {'U', {150953636, 150037900}}, {'O', {237147727, 237298200}}, {'B', {kNoMass, kNoMass}},
    {'Z', {kNoMass, kNoMass}},     {'X', {kNoMass, kNoMass}},
};

// Water, added once per fragment (its two ends), same table.
constexpr ResidueMass kWater = {18010565, 18015300};

// What each character is: a residue's letter, and its masses.
struct ResidueLookup
{
    std::array<ResidueMass, 26> mass{};
    std::array<bool, 256> residue{};
};

constexpr ResidueLookup MakeLookup()
{
    ResidueLookup lookup;
    for (const ResidueEntry& entry : kResidueTable)
    {
        lookup.mass[static_cast<std::size_t>(entry.letter - 'A')] = entry.mass;
        lookup.residue[static_cast<unsigned char>(entry.letter)] = true;
    }
    return lookup;
}

constexpr ResidueLookup kLookup = MakeLookup();
}

bool IsResidue(char letter)
{
    return kLookup.residue[static_cast<unsigned char>(letter)];
}

bool IsPlainSequence(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char ch) { return kLookup.residue[static_cast<unsigned char>(ch)]; });
}

ResidueMass MassOf(char residue)
{
    return kLookup.mass[static_cast<std::size_t>(residue - 'A')];
}

std::string NormaliseSequence(const std::string& text, const std::string& where)
{
    std::string sequence;
    sequence.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const char ch = text[i];
        if (ch == ' ' || ch == '\t')
            continue;
        const char upper = (ch >= 'a' && ch <= 'z') ? char(ch - 'a' + 'A') : ch;
        if (IsResidue(upper))
            sequence += upper;
        else if (!(ch == '*' && text.find_first_not_of(" \t", i + 1) == std::string::npos))
            throw EngineError(where + ": '" + Printable(std::string(1, ch)) + "' is not a residue letter (character " +
                              std::to_string(i + 1) + ")");
    }
    return sequence;
}

MassPrefix::MassPrefix(const std::string& sequence) : m_sums(sequence.size() + 1)
{
    // Summed in registers and stored whole: no entry is read back.
    MicroDalton mono = 0, average = 0;
    std::uint64_t ambiguousCount = 0;
    Sums* sums = m_sums.data();
    for (const char residue : sequence)
    {
        const ResidueMass mass = MassOf(residue);
        const bool ambiguous = mass.mono == kNoMass;
        mono += ambiguous ? 0 : mass.mono;
        average += ambiguous ? 0 : mass.average;
        ambiguousCount += ambiguous ? 1 : 0;
        *++sums = {mono, average, ambiguousCount};
    }
}

ResidueMass MassPrefix::FragmentMass(std::size_t first, std::size_t last) const
{
    const Sums& before = m_sums[first];
    const Sums& through = m_sums[last + 1];
    if (through.ambiguous != before.ambiguous)
        return {kNoMass, kNoMass};
    return {through.mono - before.mono + kWater.mono, through.average - before.average + kWater.average};
}

std::string FormatMass(MicroDalton mass, int decimals)
{
    char text[32];
    return std::string(text, FormatMass(text, mass, decimals));
}
}
