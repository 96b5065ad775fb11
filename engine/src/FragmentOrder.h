// The orders of the fragment table: by probability, by weight or by position, ties
// always by start, then end.
#pragma once
#include "Digest.h"
#include "Residues.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cleavage
{
enum class SortOrder
{
    Probability = 0, // descending
    Weight = 1,      // ascending monoisotopic mass, rows without a mass last
    Position = 2,    // start, then end
};

// Orders fragments by probability (as they are written: ten significant digits) or by
// position. The weight order is one of rows: WeightOrder.
void SortFragments(std::vector<Fragment>& fragments, SortOrder order);

// A monoisotopic mass's place in the weight order: lighter first, kNoMass after every
// mass.
inline MicroDalton WeightRank(MicroDalton mono)
{
    return mono == kNoMass ? INT64_MAX : mono;
}

// One row of the fragment table: a fragment in one of its forms.
struct FormRow
{
    Fragment fragment;
    ResidueMass mass;
    // The form's label (its variable modifications) in a list beside the rows.
    std::size_t label;
};

// A row's place in the weight order: the rank of its mass and its index among the rows.
struct WeightKey
{
    MicroDalton rank;
    std::size_t row;
};

// The places of `rows`, listed by position (start, end, then a fragment's forms in
// their own order), in the weight order: by their own monoisotopic mass, ties in the
// rows' own order. Only the keys move, and they hold all a comparison needs.
std::vector<WeightKey> WeightOrder(const std::vector<FormRow>& rows);
}
