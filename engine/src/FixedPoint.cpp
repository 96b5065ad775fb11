#include "FixedPoint.h"

namespace cleavage
{
FixedPointRead ReadFixedPoint(const std::string& text, int decimals, bool roundFurther, std::uint64_t most,
                              std::uint64_t& value)
{
    const std::size_t point = text.find('.');
    const std::size_t wholeEnd = point == std::string::npos ? text.size() : point;
    const auto digits = [&text](std::size_t from, std::size_t to) {
        return from < to && text.find_first_not_of("0123456789", from) >= to;
    };
    if (!digits(0, wholeEnd) || (point != std::string::npos && !digits(point + 1, text.size())))
        return FixedPointRead::NotANumber;
    const std::size_t fraction = point == std::string::npos ? 0 : text.size() - point - 1;
    if (fraction > static_cast<std::size_t>(decimals) && !roundFurther)
        return FixedPointRead::TooManyDecimals;
    // Accumulated below `most`, so that no digit can overflow.
    value = 0;
    for (std::size_t i = 0; i < wholeEnd + 1 + static_cast<std::size_t>(decimals); ++i)
    {
        if (i == wholeEnd)
            continue;
        const unsigned digit = i < text.size() ? static_cast<unsigned>(text[i] - '0') : 0;
        if (value > (most - digit) / 10)
            return FixedPointRead::TooLarge;
        value = value * 10 + digit;
    }
    const std::size_t firstDropped = wholeEnd + 1 + static_cast<std::size_t>(decimals);
    if (firstDropped < text.size() && text[firstDropped] >= '5')
    {
        if (value == most)
            return FixedPointRead::TooLarge;
        ++value;
    }
    return FixedPointRead::Read;
}
}
