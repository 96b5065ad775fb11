#include "FragmentOrder.h"
#include "RowBuffer.h"

#include <algorithm>

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

std::vector<WeightKey> WeightOrder(const std::vector<FormRow>& rows)
{
    std::vector<WeightKey> keys(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        keys[i] = {WeightRank(rows[i].mass.mono), i};
    std::sort(keys.begin(), keys.end(), [](const WeightKey& a, const WeightKey& b) {
        return a.rank != b.rank ? a.rank < b.rank : a.row < b.row;
    });
    return keys;
}
}
