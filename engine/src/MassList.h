// The observed values a run matches to its fragments: a mass list as spectrometers and
// peak pickers write it, each value turned into the neutral mass it stands for.
#pragma once
#include "Residues.h"

#include <string>
#include <vector>

namespace cleavage
{
// What a list's values are.
enum class ObservedKind
{
    Neutral,    // "M": neutral masses
    Protonated, // "MH+": singly protonated ions, [M+H]+
    MassToCharge, // "mz": m/z, each line with its charge
};

// "M", "MH+" or "mz"; otherwise throws EngineError "<where>: ...".
ObservedKind ParseObservedKind(const std::string& text, const std::string& where);

struct ObservedValue
{
    std::string text;   // the value as the file writes it
    int charge;         // signed; 0 when the line gives none
    MicroDalton neutral; // the neutral mass it stands for
    std::vector<std::string> kept; // the further columns, as text, one per keptNames
};

struct MassList
{
    std::vector<std::string> keptNames; // the further columns' names: a CSV header's, else extra_1, extra_2, ...
    std::vector<ObservedValue> values;  // in file order
};

// Reads a mass list (engine/ParameterFile.md, "Mass lists"): values one a line with an
// optional signed charge and further columns separated by tabs or blanks, or a CSV
// file whose header names the mass column. A line that is neither, or a value that
// cannot stand for a neutral mass of `kind`, throws EngineError "<file>, line N: ...".
MassList ReadMassList(const std::string& path, ObservedKind kind);

// "2+", "1-"; "" for no charge.
std::string ChargeText(int charge);
}
