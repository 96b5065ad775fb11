#include "LineReader.h"
#include "EngineError.h"

namespace cleavage
{
namespace
{
const char kByteOrderMark[] = "\xEF\xBB\xBF";
}

LineReader::LineReader(const std::string& path, const char* kind) : m_shownPath(Printable(path)), m_kind(kind)
{
    m_in.open(path, std::ios::binary);
    if (!m_in)
        throw EngineError(m_shownPath + ": cannot open the " + kind + ": " + SystemReason());
}

bool LineReader::Next(std::string& line)
{
    if (m_pendingAt == std::string::npos)
    {
        if (!std::getline(m_in, line))
        {
            if (m_in.bad())
                throw EngineError(m_shownPath + ", line " + std::to_string(m_line + 1) + ": cannot read the " + m_kind +
                                  ": " + SystemReason());
            return false;
        }
        if (m_line == 0 && line.compare(0, 3, kByteOrderMark) == 0)
            line.erase(0, 3);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // A CR alone inside what the stream took for one line ends a line too.
        const std::size_t cr = line.find('\r');
        if (cr != std::string::npos)
        {
            m_pending = line;
            m_pendingAt = cr + 1;
            line.resize(cr);
        }
    }
    else
    {
        const std::size_t cr = m_pending.find('\r', m_pendingAt);
        line.assign(m_pending, m_pendingAt, cr == std::string::npos ? std::string::npos : cr - m_pendingAt);
        m_pendingAt = cr == std::string::npos ? std::string::npos : cr + 1;
    }
    ++m_line;
    return true;
}
}
