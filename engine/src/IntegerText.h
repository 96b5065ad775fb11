// Whole numbers read from the text of a file or a command line, with messages that say
// where the text stood.
#pragma once
#include <string>

namespace cleavage
{
// A whole decimal number that fits `bits` bits (signed, at most 64), or EngineError
// "<where>: ... not a number" or "... does not fit N bits".
long long ParseWideInteger(const std::string& text, const std::string& where, int bits);
// ParseWideInteger within 32 bits.
int ParseInteger(const std::string& text, const std::string& where);
}
