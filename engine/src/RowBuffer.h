// Rows of a table built in memory: handed to a stream a block at a time (a stream
// call per field costs more than the analysis), or kept for the caller.
#pragma once
#include "DecimalText.h"
#include "Residues.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>

namespace cleavage
{
// Room FormatProbability needs at the most.
constexpr std::size_t kProbabilityRoom = 32;
// Room a number or a mass and its tab need at the most.
constexpr std::size_t kNumberRoom = 40;

class RowBuffer
{
public:
    // Rows go to `out` when a block is full and on Flush; without a stream they stay
    // until Take. Rows not flushed when the buffer goes are dropped: a failed run
    // writes nothing more, and a finished one flushes before it closes its file.
    explicit RowBuffer(std::ostream* out = nullptr) : m_out(out) {}
    RowBuffer(const RowBuffer&) = delete;
    RowBuffer& operator=(const RowBuffer&) = delete;

    void Field(const std::string& text);
    void Field(const char* text, std::size_t size);
    void Field(char residue);
    void Field(std::size_t number);
    void Mass(MicroDalton mass, int decimals);
    void Probability(double probability);
    void EndRow();
    // The rows of another buffer, whole; `rows` is left empty, its room kept.
    void Rows(RowBuffer& rows);

    // The bytes of every row put in, whether still held or gone to the stream.
    std::uint64_t Size() const { return m_passed + m_used; }

    // A stream that fails is noticed when its file is closed.
    void Flush();
    std::string Take();

private:
    // Room for `size` more characters; returns where they go. Fields are written in
    // place: appending to a string piece by piece costs more than the analysis.
    char* Room(std::size_t size)
    {
        if (m_used + size > m_text.size())
            Grow(size);
        return &m_text[m_used];
    }
    void Grow(std::size_t size);
    void FlushFullBlock()
    {
        if (m_out && m_used >= kBlockSize)
            Flush();
    }

    // Rows go to the stream in blocks of about this size.
    static constexpr std::size_t kBlockSize = 1 << 20;

    // A probability as last written, by its bits: a digest's probabilities are
    // products of its reagent's few efficiencies, so a few values fill most rows.
    struct WrittenProbability
    {
        std::uint64_t bits = 0;
        std::uint8_t size = 0; // 0: no value yet
        char text[kProbabilityRoom];
    };

    std::ostream* m_out;
    std::string m_text; // m_used characters of rows, then spare room
    std::size_t m_used = 0;
    std::uint64_t m_passed = 0; // bytes gone to the stream or taken
    // The last probabilities written, found by a hash of their bits: the top
    // kWrittenProbabilityBits bits of a Fibonacci hash.
    static constexpr int kWrittenProbabilityBits = 6;
    std::array<WrittenProbability, std::size_t{1} << kWrittenProbabilityBits> m_probabilities;
};

// The field writers are inline: a row is some ten of them, and a digest writes
// millions of rows.
inline void RowBuffer::Field(const std::string& text)
{
    Field(text.data(), text.size());
}

inline void RowBuffer::Field(const char* text, std::size_t size)
{
    char* out = std::copy_n(text, size, Room(size + 1));
    *out = '\t';
    m_used += size + 1;
}

inline void RowBuffer::Field(char residue)
{
    char* out = Room(2);
    out[0] = residue;
    out[1] = '\t';
    m_used += 2;
}

inline void RowBuffer::Field(std::size_t number)
{
    char* const begin = Room(kNumberRoom);
    char* end = FormatUnsigned(begin, number);
    *end++ = '\t';
    m_used += static_cast<std::size_t>(end - begin);
}

inline void RowBuffer::Mass(MicroDalton mass, int decimals)
{
    char* const begin = Room(kNumberRoom);
    char* end = FormatMass(begin, mass, decimals);
    *end++ = '\t';
    m_used += static_cast<std::size_t>(end - begin);
}

inline void RowBuffer::EndRow()
{
    // A row's last field left a tab: the line break takes its place. (An empty last
    // field keeps the tab before it.)
    if (m_used == 0 || m_text[m_used - 1] != '\t')
    {
        *Room(1) = '\n';
        ++m_used;
    }
    m_text[m_used - 1] = '\n';
    FlushFullBlock();
}

// Writes "0.81", "1.5e-07" at `out` (room for kProbabilityRoom characters): ten significant
// digits, shortest form, correctly rounded; returns the end.
char* FormatProbability(char* out, double probability);

// Whether FormatProbability writes the two alike. Most pairs are equal or further apart
// than a unit of the tenth digit (at most 1e-9 times the value), answered inline: a sort
// asks it of every neighbour.
bool WrittenTheSame(double a, double b);
inline bool WrittenAlike(double a, double b)
{
    if (a == b)
        return true;
    if (std::fabs(a - b) > 2e-9 * std::max(std::fabs(a), std::fabs(b)))
        return false;
    return WrittenTheSame(a, b);
}
}
