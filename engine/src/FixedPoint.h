// Decimal numbers as the engine's inputs write them ("1045.53"), read exactly as whole
// numbers of a fixed unit (micro- or nano-daltons, parts per billion): no binary
// fraction stands between the text and the integer arithmetic of masses.
#pragma once
#include <cstdint>
#include <string>

namespace cleavage
{
enum class FixedPointRead
{
    Read,
    NotANumber,      // not digits with at most one point between digits
    TooManyDecimals, // more than `decimals` decimals, and they are not to be rounded
    TooLarge,        // above `most` units
};

// `text` in units of 10^-decimals: "1045.53" with 6 decimals is 1045530000. Further
// decimals are refused, or with `roundFurther` rounded half up.
FixedPointRead ReadFixedPoint(const std::string& text, int decimals, bool roundFurther, std::uint64_t most,
                              std::uint64_t& value);
}
