#include "Background.h"
#include "EngineError.h"
#include "FixedPoint.h"

#include <cassert>

namespace cleavage
{
namespace
{
constexpr int kBackgroundDecimals = 6;
constexpr std::uint64_t kMillionthsPerHundredPercent = 100000000;
}

double ParseBackground(const std::string& text, const std::string& where)
{
    std::uint64_t millionths = 0;
    switch (ReadFixedPoint(text, kBackgroundDecimals, false, kMillionthsPerHundredPercent, millionths))
    {
    case FixedPointRead::Read:
        return static_cast<double>(millionths) / static_cast<double>(kMillionthsPerHundredPercent);
    case FixedPointRead::TooLarge:
        throw EngineError(where + ": a background efficiency of " + Printable(text) + " % is above 100 %");
    default:
        throw EngineError(where + ": \"" + Printable(text) +
                          "\" is not a background efficiency; expected a percentage from 0 to 100 such as 0.5 "
                          "(at most six decimals)");
    }
}

std::vector<Site> WithBackground(std::size_t length, const std::vector<Site>& sites, double background)
{
    if (background == 0.0)
        return sites;
    std::vector<Site> every;
    every.reserve(length);
    auto site = sites.begin();
    for (std::size_t position = 1; position < length; ++position)
    {
        if (site != sites.end() && site->position == position)
        {
            every.push_back({position, 1.0 - (1.0 - site->efficiency) * (1.0 - background)});
            ++site;
        }
        else
            every.push_back({position, background});
    }
    assert(site == sites.end()); // sites lie between residues
    return every;
}
}
