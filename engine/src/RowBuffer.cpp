#include "RowBuffer.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace cleavage
{
namespace
{
constexpr int kProbabilityDigits = 10;

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLowestQuickExponent = kProbabilityDigits - 1 - 22;
constexpr std::uint64_t kLeastSignificand = 1000000000; // ten digits
// How far the scaled product may lie from the exact value: it is rounded once, by at
// most half a unit in the last place, 2^-20 below 2^34; twice that to be safe.
constexpr double kScaledError = 1.0 / (1 << 19);

// The ten significant digits of a probability in (0, 1] as an integer of ten digits
// and the decimal exponent of its first digit, from one product with an exact power of
// ten. The product is off by at most kScaledError, so it decides the rounding unless
// it lies that near a half; then, or outside the exponents it covers, returns false.
bool QuickSignificand(double probability, std::uint64_t& significand, int& exponent)
{
    if (!(probability > 0.0 && probability <= 1.0))
        return false;
    exponent = 0;
    while (exponent > kLowestQuickExponent && probability * kExactPowersOfTen[-exponent] < 1.0)
        --exponent;
    const double scaled = probability * kExactPowersOfTen[kProbabilityDigits - 1 - exponent];
    if (scaled < double(kLeastSignificand) || scaled >= double(10 * kLeastSignificand))
        return false;
    significand = static_cast<std::uint64_t>(scaled);
    const double fraction = scaled - double(significand);
    if (fraction > 0.5 - kScaledError && fraction < 0.5 + kScaledError)
        return false;
    if (fraction > 0.5 && ++significand == 10 * kLeastSignificand)
    {
        significand = kLeastSignificand;
        ++exponent;
    }
    return true;
}

// Writes significand (ten digits) and exponent as printf's "%.10g" does: fixed
// notation from 1e-4 on, else "d.ddde-07"; trailing zeros dropped.
char* WriteGeneral(char* out, std::uint64_t significand, int exponent)
{
    char digits[kProbabilityDigits];
    FormatDigits(digits, significand, kProbabilityDigits);
    int used = kProbabilityDigits;
    while (used > 1 && digits[used - 1] == '0')
        --used;
    if (exponent < -4)
    {
        *out++ = digits[0];
        if (used > 1)
            *out++ = '.';
        out = std::copy(digits + 1, digits + used, out);
        const int shown = -exponent;
        *out++ = 'e';
        *out++ = '-';
        *out++ = char('0' + shown / 10);
        *out++ = char('0' + shown % 10);
        return out;
    }
    if (exponent == 0)
    {
        *out++ = digits[0];
        if (used > 1)
            *out++ = '.';
        return std::copy(digits + 1, digits + used, out);
    }
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -exponent - 1, '0');
    return std::copy(digits, digits + used, out);
}
}

char* FormatProbability(char* out, double probability)
{
    std::uint64_t significand = 0;
    int exponent = 0;
    if (QuickSignificand(probability, significand, exponent))
        return WriteGeneral(out, significand, exponent);
    return std::to_chars(out, out + kProbabilityRoom, probability, std::chars_format::general, kProbabilityDigits).ptr;
}

bool WrittenTheSame(double a, double b)
{
    char textA[kProbabilityRoom], textB[kProbabilityRoom];
    char* const endA = FormatProbability(textA, a);
    char* const endB = FormatProbability(textB, b);
    return std::equal(textA, endA, textB, endB);
}

void RowBuffer::Probability(double probability)
{
    std::uint64_t bits;
    std::memcpy(&bits, &probability, sizeof bits);
    WrittenProbability& written = m_probabilities[(bits * 0x9E3779B97F4A7C15u) >> (64 - kWrittenProbabilityBits)];
    if (written.size == 0 || written.bits != bits)
    {
        written.bits = bits;
        written.size = static_cast<std::uint8_t>(FormatProbability(written.text, probability) - written.text);
    }
    char* end = std::copy_n(written.text, written.size, Room(kProbabilityRoom + 1));
    *end = '\t';
    m_used += written.size + 1u;
}

void RowBuffer::Rows(RowBuffer& rows)
{
    // Rows built whole go to the stream as they are, without a copy.
    if (m_out)
    {
        Flush();
        m_out->write(rows.m_text.data(), static_cast<std::streamsize>(rows.m_used));
        m_passed += rows.m_used;
    }
    else
    {
        std::copy_n(rows.m_text.data(), rows.m_used, Room(rows.m_used));
        m_used += rows.m_used;
        FlushFullBlock();
    }
    rows.m_used = 0;
}

void RowBuffer::Grow(std::size_t size)
{
    m_text.resize(std::max(2 * m_text.size(), m_used + size + kNumberRoom));
}

void RowBuffer::Flush()
{
    if (!m_out)
        return;
    m_out->write(m_text.data(), static_cast<std::streamsize>(m_used));
    m_passed += m_used;
    m_used = 0;
}

std::string RowBuffer::Take()
{
    m_text.resize(m_used);
    std::string rows = std::move(m_text);
    m_text.clear();
    m_passed += m_used;
    m_used = 0;
    return rows;
}
}
