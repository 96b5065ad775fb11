// The fragments of a semi-specific digest: one end at a site that can cut (or a
// terminus), the other anywhere. A fragment with a free end has the probability that
// its specific end is cut and no site inside it is, the free end taken as given; a
// fragment with both ends at sites keeps its probability of the full digest.
#pragma once
#include "Digest.h"

namespace cleavage
{
class SemiDigest
{
public:
    SemiDigest(std::size_t length, const std::vector<Site>& sites);

    // As Digest::Enumerate: every fragment that passes the filter and is more probable
    // than `floor()`, in order of start, then end.
    template <class Floor, class Take>
    void Enumerate(const FragmentFilter& filter, const Floor& floor, const Take& take) const;

private:
    std::size_t m_length;
    std::vector<double> m_efficiency; // per cut position 0..length; 0 where nothing cuts, 1 at the termini
};

template <class Floor, class Take>
void SemiDigest::Enumerate(const FragmentFilter& filter, const Floor& floor, const Take& take) const
{
    for (std::size_t left = 0; left < m_length; ++left)
    {
        const double leftCut = m_efficiency[left];
        // The probability of a cut at the left end (taken as given when it is free) and
        // none so far inside, multiplied in the full digest's order.
        double bound = leftCut > 0.0 ? leftCut : 1.0;
        std::size_t missed = 0;
        for (std::size_t right = left + 1; right <= m_length; ++right)
        {
            const std::size_t length = right - left;
            if (missed > filter.maxMissed || length > filter.maxLength || bound <= floor())
                break;
            const double rightCut = m_efficiency[right];
            // A free left end needs a site at the right end.
            const double probability = rightCut > 0.0 ? bound * rightCut : leftCut > 0.0 ? bound : 0.0;
            if (length >= filter.minLength && probability > 0.0 && probability > floor())
                take(Fragment{left + 1, right, missed, probability});
            if (rightCut > 0.0)
            {
                bound *= 1.0 - rightCut;
                ++missed;
            }
        }
    }
}
}
