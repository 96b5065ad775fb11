#include "FragmentOrder.h"
#include "RowBuffer.h"

#include <algorithm>
#include <tuple>

namespace cleavage
{
void SortFragments(std::vector<Fragment>& fragments, SortOrder order)
{
    if (order != SortOrder::Probability)
    {
        std::sort(fragments.begin(), fragments.end(), ByPosition);
        return;
    }
    std::sort(fragments.begin(), fragments.end(), RanksHigher);
    // Probabilities written alike may differ in their last bits (products of the same
    // efficiencies in another order): such neighbours go by position, as the table
    // shows them equal.
    for (auto run = fragments.begin(); run != fragments.end();)
    {
        auto end = run + 1;
        bool unequal = false;
        for (; end != fragments.end() && WrittenAlike(end[-1].probability, end->probability); ++end)
            unequal = unequal || end[-1].probability != end->probability;
        if (unequal)
            std::sort(run, end, ByPosition);
        run = end;
    }
}

void SortByWeight(std::vector<FormRow>& rows)
{
    // A fragment's forms have rising labels in their own order: the order is total.
    const auto key = [](const FormRow& row) {
        return std::make_tuple(WeightRank(row.mass.mono), row.fragment.start, row.fragment.end, row.label);
    };
    std::sort(rows.begin(), rows.end(), [&key](const FormRow& a, const FormRow& b) { return key(a) < key(b); });
}
}
