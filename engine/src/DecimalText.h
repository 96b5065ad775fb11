// Whole numbers written as decimal digits, two at a time from a table: the tables of a
// proteome's digest hold some hundred million numbers, and the same bytes come out on
// every platform. Inline: with the count known where it is called, the loop unrolls.
#pragma once
#include <cstdint>

namespace cleavage
{
namespace decimal_detail
{
inline constexpr char kDigitPairs[] = "00010203040506070809"
                                      "10111213141516171819"
                                      "20212223242526272829"
                                      "30313233343536373839"
                                      "40414243444546474849"
                                      "50515253545556575859"
                                      "60616263646566676869"
                                      "70717273747576777879"
                                      "80818283848586878889"
                                      "90919293949596979899";

// The digits before `end`; 32-bit arithmetic where the value allows it is the cheaper
// on every target.
template <class Unsigned>
inline void WriteDigitsBefore(char* end, Unsigned value, int count)
{
    for (; count >= 2; count -= 2, value /= 100)
    {
        const char* pair = kDigitPairs + 2 * (value % 100);
        *--end = pair[1];
        *--end = pair[0];
    }
    if (count == 1)
        *--end = char('0' + value % 10);
}
}

// Writes exactly `count` digits of `value` (leading zeros kept, higher digits dropped)
// at `out`; returns the end.
inline char* FormatDigits(char* out, std::uint64_t value, int count)
{
    if (value <= UINT32_MAX)
        decimal_detail::WriteDigitsBefore(out + count, static_cast<std::uint32_t>(value), count);
    else
        decimal_detail::WriteDigitsBefore(out + count, value, count);
    return out + count;
}

// The digits of `value` without leading zeros (1 for 0).
inline int DigitCount(std::uint64_t value)
{
    int count = 1;
    for (std::uint64_t power = 10; count < 20 && value >= power; power *= 10)
        ++count;
    return count;
}

// Writes `value` without leading zeros ("0" for 0) at `out` (room for 20 characters);
// returns the end.
inline char* FormatUnsigned(char* out, std::uint64_t value)
{
    return FormatDigits(out, value, DigitCount(value));
}
}
