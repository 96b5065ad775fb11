#include "RowBuffer.h"

#include <algorithm>
#include <charconv>

namespace cleavage
{
namespace
{
constexpr int kProbabilityDigits = 10;
constexpr std::size_t kBlockSize = 1 << 20;
}

char* FormatProbability(char* out, double probability)
{
    return std::to_chars(out, out + 32, probability, std::chars_format::general, kProbabilityDigits).ptr;
}

// Room a number, a mass or a probability and its tab need at the most.
constexpr std::size_t kNumberRoom = 40;

char* RowBuffer::Room(std::size_t size)
{
    if (m_used + size > m_text.size())
        m_text.resize(std::max(2 * m_text.size(), m_used + size + kNumberRoom));
    return &m_text[m_used];
}

void RowBuffer::Field(const std::string& text)
{
    char* out = std::copy(text.begin(), text.end(), Room(text.size() + 1));
    *out = '\t';
    m_used += text.size() + 1;
}

void RowBuffer::Field(char residue)
{
    char* out = Room(2);
    out[0] = residue;
    out[1] = '\t';
    m_used += 2;
}

void RowBuffer::Field(std::size_t number)
{
    char* const begin = Room(kNumberRoom);
    char* end = std::to_chars(begin, begin + kNumberRoom, number).ptr;
    *end++ = '\t';
    m_used += static_cast<std::size_t>(end - begin);
}

void RowBuffer::Mass(MicroDalton mass, int decimals)
{
    char* const begin = Room(kNumberRoom);
    char* end = FormatMass(begin, mass, decimals);
    *end++ = '\t';
    m_used += static_cast<std::size_t>(end - begin);
}

void RowBuffer::Probability(double probability)
{
    char* const begin = Room(kNumberRoom);
    char* end = FormatProbability(begin, probability);
    *end++ = '\t';
    m_used += static_cast<std::size_t>(end - begin);
}

void RowBuffer::LastField(const char* text, std::size_t size)
{
    std::copy_n(text, size, Room(size));
    m_used += size;
}

void RowBuffer::EndRow()
{
    // A row's last field left a tab: the line break takes its place.
    if (m_used == 0 || m_text[m_used - 1] != '\t')
    {
        *Room(1) = '\n';
        ++m_used;
    }
    m_text[m_used - 1] = '\n';
    FlushFullBlock();
}

void RowBuffer::Rows(const std::string& rows)
{
    std::copy(rows.begin(), rows.end(), Room(rows.size()));
    m_used += rows.size();
    FlushFullBlock();
}

void RowBuffer::FlushFullBlock()
{
    if (m_out && m_used >= kBlockSize)
        Flush();
}

void RowBuffer::Flush()
{
    if (!m_out)
        return;
    m_out->write(m_text.data(), static_cast<std::streamsize>(m_used));
    m_used = 0;
}

std::string RowBuffer::Take()
{
    std::string rows = m_text.substr(0, m_used);
    m_used = 0;
    return rows;
}
}
