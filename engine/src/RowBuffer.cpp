#include "RowBuffer.h"

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

// Text is appended by length throughout: appending an iterator range goes through
// the string's general replace, which costs more.
void RowBuffer::Field(std::size_t number)
{
    char text[24];
    m_text.append(text, static_cast<std::size_t>(std::to_chars(text, text + sizeof(text), number).ptr - text));
    m_text.push_back('\t');
}

void RowBuffer::Mass(MicroDalton mass, int decimals)
{
    char text[32];
    m_text.append(text, static_cast<std::size_t>(FormatMass(text, mass, decimals) - text));
    m_text.push_back('\t');
}

void RowBuffer::Probability(double probability)
{
    char text[32];
    m_text.append(text, static_cast<std::size_t>(FormatProbability(text, probability) - text));
    m_text.push_back('\t');
}

void RowBuffer::EndRow()
{
    if (!m_text.empty() && m_text.back() == '\t')
        m_text.back() = '\n';
    else
        m_text.push_back('\n');
    FlushFullBlock();
}

void RowBuffer::Rows(const std::string& rows)
{
    m_text.append(rows);
    FlushFullBlock();
}

void RowBuffer::FlushFullBlock()
{
    if (m_out && m_text.size() >= kBlockSize)
        Flush();
}

void RowBuffer::Flush()
{
    if (!m_out)
        return;
    m_out->write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
    m_text.clear();
}

std::string RowBuffer::Take()
{
    std::string rows;
    rows.swap(m_text);
    return rows;
}
}
