#include "TableBound.h"

#include <iterator>

namespace cleavage
{
namespace
{
const char kNarrowTheRun[] = "narrow it with --max-length N, --missed N or the best N fragments (analysis_fragments)";
}

TableBound::TableBound(const TableLimits& limits)
    : m_maxRows(limits.rows), m_maxBytes(limits.bytes), m_rowsWhere(limits.rowsSource),
      m_bytesWhere(limits.bytesSource)
{
}

TableSize TableBound::Left() const
{
    if (Passed())
        return {0, 0};
    return {m_maxRows == 0 ? kNoTableBound.rows : m_maxRows - m_size.rows,
            m_maxBytes == 0 ? kNoTableBound.bytes : m_maxBytes - m_size.bytes};
}

void TableBound::Add(const TableSize& size)
{
    m_size.rows += size.rows;
    m_size.bytes = m_size.bytes > UINT64_MAX - size.bytes ? UINT64_MAX : m_size.bytes + size.bytes;
}

bool TableBound::Passed() const
{
    return RowsPassed() || (m_maxBytes != 0 && m_size.bytes > m_maxBytes);
}

bool TableBound::RowsPassed() const
{
    return m_maxRows != 0 && m_size.rows > m_maxRows;
}

std::string TableBound::Message() const
{
    if (RowsPassed())
        return "the run would write " + std::to_string(m_size.rows) + " fragment rows, more than the bound of " +
               std::to_string(m_maxRows) + " (" + m_rowsWhere + "); " + kNarrowTheRun +
               ", or set the bound with --max-rows N (max_rows; 0: no bound)";
    return "the run would write a fragment table of about " + SizeText(m_size.bytes) + ", more than the bound of " +
           std::to_string(m_maxBytes) + " bytes (" + SizeText(m_maxBytes) + "; " + m_bytesWhere + "); " +
           kNarrowTheRun + ", or set the bound with --max-bytes N (max_bytes; 0: no bound)";
}

std::string SizeText(std::uint64_t bytes)
{
    if (bytes < 1000)
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    const char* const units[] = {"kB", "MB", "GB", "TB", "PB", "EB"};
    std::uint64_t unit = 1000;
    for (std::size_t i = 0;; ++i, unit *= 1000)
    {
        // Tenths of the unit, rounded half up; a size that rounds to 1000.0 takes the next unit.
        const std::uint64_t tenth = unit / 10;
        const std::uint64_t tenths = bytes / tenth + (bytes % tenth >= tenth / 2 ? 1 : 0);
        if (tenths < 10000 || i + 1 == std::size(units))
            return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " " + units[i];
    }
}
}
