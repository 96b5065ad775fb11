#include "Tolerance.h"
#include "EngineError.h"
#include "FixedPoint.h"

#include <cctype>
#include <cmath>

namespace cleavage
{
namespace
{
constexpr std::uint64_t kPartsPerBillion = 1000000000;

struct Unit
{
    const char* name; // lower case
    bool relative;
    int decimals;       // read to 10^-decimals of the unit: a part per billion, or a micro-dalton
    std::uint64_t most; // in those units
    const char* mostText;
};
const Unit kUnits[] = {
    {"ppm", true, 3, kPartsPerBillion, "1000000 ppm"},
    {"%", true, 7, kPartsPerBillion, "100 %"},
    {"da", false, 6, 1000 * kMicroPerDalton, "1000 Da"},
};
}

Tolerance Tolerance::Parse(const std::string& text, const std::string& where)
{
    const std::size_t unitAt = text.find_first_not_of("0123456789.");
    const std::string number = text.substr(0, unitAt);
    std::string unit = unitAt == std::string::npos ? std::string() : text.substr(unitAt);
    if (!unit.empty() && unit[0] == ' ')
        unit.erase(0, 1);
    for (char& ch : unit)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    for (const Unit& candidate : kUnits)
    {
        if (unit != candidate.name)
            continue;
        std::uint64_t amount = 0;
        switch (ReadFixedPoint(number, candidate.decimals, false, candidate.most, amount))
        {
        case FixedPointRead::Read:
            return Tolerance(candidate.relative, amount);
        case FixedPointRead::TooLarge:
            throw EngineError(where + ": a tolerance of " + Printable(text) + " is above " + candidate.mostText);
        case FixedPointRead::TooManyDecimals:
            throw EngineError(where + ": " + Printable(text) + " has more than " +
                              std::to_string(candidate.decimals) + " decimals");
        case FixedPointRead::NotANumber:
            break;
        }
        break;
    }
    throw EngineError(where + ": \"" + Printable(text) +
                      "\" is not a tolerance; expected a number and a unit, such as 20ppm, 0.5Da or 0.1%");
}

MicroDalton Tolerance::Reach(MicroDalton theoretical) const
{
    if (!m_relative)
        return static_cast<MicroDalton>(m_amount);
    // theoretical * amount / 10^9 without overflow: split the mass at 10^9 micro-daltons.
    const auto mass = static_cast<std::uint64_t>(theoretical);
    return static_cast<MicroDalton>(mass / kPartsPerBillion * m_amount +
                                    mass % kPartsPerBillion * m_amount / kPartsPerBillion);
}

long long ErrorPpmHundredths(MicroDalton observed, MicroDalton theoretical)
{
    return std::llround(static_cast<double>(observed - theoretical) * 1e8 / static_cast<double>(theoretical));
}
}
