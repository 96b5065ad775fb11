// The residue alphabet of the engine and the masses of residues and fragments.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace cleavage
{
// Masses in micro-daltons, exact integers: a fragment's mass is a sum of residue
// masses, and summing integers gives the same bytes on every platform and in every
// order (a range and the cut-out sequence agree to the last digit).
using MicroDalton = std::int64_t;

// A mass that is not defined: the fragment holds an ambiguous residue (B, Z, X).
constexpr MicroDalton kNoMass = -1;

struct ResidueMass
{
    MicroDalton mono;
    MicroDalton average;
};

// Mass of one residue (an upper-case letter), or kNoMass in both fields for the
// ambiguous codes. The letter must be a residue (IsResidue).
ResidueMass MassOf(char residue);

bool IsResidue(char letter);

// Upper-cases a sequence and drops blanks and tabs and one final '*' (the stop a
// translated sequence may end with); any other character that is not a residue
// throws, naming `where` and the 1-based position.
std::string NormaliseSequence(const std::string& text, const std::string& where);

// Cumulative masses of a sequence, so that a fragment's mass is two look-ups.
class MassPrefix
{
public:
    explicit MassPrefix(const std::string& sequence);
    // Masses of residues first..last (0-based, inclusive) plus one water.
    ResidueMass FragmentMass(std::size_t first, std::size_t last) const;

private:
    std::vector<MicroDalton> m_mono;     // m_mono[i]: sum over residues 0..i-1
    std::vector<MicroDalton> m_average;
    std::vector<std::uint32_t> m_ambiguous; // ambiguous residues among 0..i-1
};

// Decimals a mass is written with: as many as the table is exact to.
constexpr int kMonoDecimals = 6;
constexpr int kAverageDecimals = 4;

// Writes "1045.534476" for a mass, "NA" for kNoMass, at `out` (room for 32
// characters); returns the end.
char* FormatMass(char* out, MicroDalton mass, int decimals);
std::string FormatMass(MicroDalton mass, int decimals);
}
