// The residue alphabet of the engine and the masses of residues and fragments.
#pragma once
#include "DecimalText.h"
#include "ResultFormat.h"

#include <algorithm>
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

// Whether `text` holds upper-case residues only: NormaliseSequence would return it
// as it is.
bool IsPlainSequence(const std::string& text);

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
    // Over residues 0..i-1, together: a fragment's mass reads two neighbouring entries.
    struct Sums
    {
        MicroDalton mono = 0;
        MicroDalton average = 0;
        // Residues without a mass; as wide as the masses: an entry copied whole
        // after a narrower store of its last field stalls the copy.
        std::uint64_t ambiguous = 0;
    };
    std::vector<Sums> m_sums;
};

constexpr std::uint64_t kMicroPerDalton = 1000000;

// The proton's mass, 1.007276467 daltons (CODATA), in nano-daltons: an ion's m/z and
// an observed ion's neutral mass are computed with it.
constexpr MicroDalton kProtonNanoDaltons = 1007276467;

// Decimals a mass is written with: as many as the table is exact to.
constexpr int kMonoDecimals = 6;
constexpr int kAverageDecimals = 4;

// Writes "1045.534476" for a mass, kNotAvailable ("NA") for kNoMass, at `out` (room for 32
// characters) with `decimals` 0 to 6, the most micro-daltons hold; returns the end.
// Inline: every fragment row writes two.
inline char* FormatMass(char* out, MicroDalton mass, int decimals)
{
    if (mass == kNoMass)
    {
        constexpr std::size_t kSize = sizeof kNotAvailable - 1;
        std::copy(kNotAvailable, kNotAvailable + kSize, out);
        return out + kSize;
    }
    // The table is exact to the decimals written: the digits are cut, never rounded.
    constexpr std::uint64_t kCut[] = {1000000, 100000, 10000, 1000, 100, 10, 1};
    const auto micro = static_cast<std::uint64_t>(mass);
    out = FormatUnsigned(out, micro / kMicroPerDalton);
    *out++ = '.';
    return FormatDigits(out, micro % kMicroPerDalton / kCut[decimals], decimals);
}

// The characters FormatMass writes.
inline std::size_t MassWidth(MicroDalton mass, int decimals)
{
    if (mass == kNoMass)
        return sizeof kNotAvailable - 1;
    return static_cast<std::size_t>(DigitCount(static_cast<std::uint64_t>(mass) / kMicroPerDalton)) + 1 +
           static_cast<std::size_t>(decimals);
}
std::string FormatMass(MicroDalton mass, int decimals);
}
