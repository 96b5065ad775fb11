// The bounds on a run's fragment rows and on its fragment table's bytes. Each
// protein's rows and bytes are counted before they are written; once the run would
// pass a bound, the rest is only counted, for the message.
#pragma once
#include "Analysis.h"
#include "ProteinPipeline.h"

#include <cstdint>
#include <string>

namespace cleavage
{
class TableBound
{
public:
    explicit TableBound(const TableLimits& limits);

    // The rows and bytes the next protein may write.
    TableSize Left() const;
    void Add(const TableSize& size);
    bool Passed() const;
    // Which bound the run passes, by how much, and how to narrow the run.
    std::string Message() const;

private:
    bool RowsPassed() const;

    std::uint64_t m_maxRows;
    std::uint64_t m_maxBytes;
    std::string m_rowsWhere;
    std::string m_bytesWhere;
    TableSize m_size;
};

// A size as messages show it, in decimal units to a tenth: "512 bytes", "16.2 GB".
std::string SizeText(std::uint64_t bytes);
}
