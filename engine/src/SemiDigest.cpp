#include "SemiDigest.h"

namespace cleavage
{
SemiDigest::SemiDigest(std::size_t length, const std::vector<Site>& sites)
    : m_length(length), m_efficiency(length + 1, 0.0)
{
    for (const Site& site : sites)
        m_efficiency[site.position] = site.efficiency;
    m_efficiency[0] = 1.0;
    m_efficiency[length] = 1.0;
}
}
