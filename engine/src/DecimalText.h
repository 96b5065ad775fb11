// Whole numbers written as decimal digits, two at a time from a table: the tables of a
// proteome's digest hold some hundred million numbers, and the same bytes come out on
// every platform.
#pragma once
#include <cstdint>

namespace cleavage
{
// Writes exactly `count` digits of `value` (leading zeros kept, higher digits dropped)
// at `out`; returns the end.
char* FormatDigits(char* out, std::uint64_t value, int count);

// Writes `value` without leading zeros ("0" for 0) at `out` (room for 20 characters);
// returns the end.
char* FormatUnsigned(char* out, std::uint64_t value);
}
