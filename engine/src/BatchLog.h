// What a batch says on stderr while it runs: the records it leaves out, in input order
// (kept for the warning file beside the result), and, when asked, how far it has come.
#pragma once
#include <chrono>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace cleavage
{
class BatchLog
{
public:
    using Clock = std::chrono::steady_clock;

    // A batch of `total` records. With an interval, "Analysed N of M proteins" is said
    // at most once an interval, the first time one interval after the start.
    BatchLog(std::ostream& errors, std::size_t total, std::optional<Clock::duration> interval);

    // "cleavage: warning: <warning>", at once.
    void Warn(const std::string& warning);
    // `records` more are written (or left out).
    void Analysed(std::size_t records);

    const std::vector<std::string>& Warnings() const { return m_warnings; }

private:
    std::ostream& m_errors;
    std::size_t m_total;
    std::size_t m_done = 0;
    std::optional<Clock::duration> m_interval;
    Clock::time_point m_next;
    std::vector<std::string> m_warnings;
};
}
