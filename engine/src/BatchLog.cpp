#include "BatchLog.h"

namespace cleavage
{
BatchLog::BatchLog(std::ostream& errors, std::size_t total, std::optional<Clock::duration> interval)
    : m_errors(errors), m_total(total), m_interval(interval), m_next(Clock::now() + interval.value_or(Clock::duration()))
{
}

void BatchLog::Warn(const std::string& warning)
{
    m_errors << "cleavage: warning: " << warning << "\n" << std::flush;
    m_warnings.push_back(warning);
}

void BatchLog::Analysed(std::size_t records)
{
    m_done += records;
    if (!m_interval)
        return;
    const Clock::time_point now = Clock::now();
    if (now < m_next)
        return;
    m_errors << "Analysed " << m_done << " of " << m_total << " proteins\n" << std::flush;
    m_next = now + *m_interval;
}
}
