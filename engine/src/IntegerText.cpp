#include "IntegerText.h"
#include "EngineError.h"

namespace cleavage
{
long long ParseWideInteger(const std::string& text, const std::string& where, int bits)
{
    const std::string notANumber = where + ": \"" + Printable(text) + "\" is not a number";
    const std::string tooWide = where + ": " + Printable(text) + " does not fit " + std::to_string(bits) + " bits";
    const bool negative = !text.empty() && text[0] == '-';
    std::size_t i = negative ? 1 : 0;
    if (i == text.size())
        throw EngineError(notANumber);
    // The magnitude of the most negative value; the most positive is one less.
    const unsigned long long most = 1ULL << (bits - 1);
    unsigned long long value = 0;
    for (; i < text.size(); ++i)
    {
        if (text[i] < '0' || text[i] > '9')
            throw EngineError(notANumber);
        const unsigned digit = static_cast<unsigned>(text[i] - '0');
        if (value > (most - digit) / 10)
            throw EngineError(tooWide);
        value = value * 10 + digit;
    }
    if (!negative && value == most)
        throw EngineError(tooWide);
    return negative ? -static_cast<long long>(value - 1) - 1 : static_cast<long long>(value);
}

int ParseInteger(const std::string& text, const std::string& where)
{
    return static_cast<int>(ParseWideInteger(text, where, 32));
}
}
