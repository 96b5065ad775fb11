// Rows of a table built in memory: handed to a stream a block at a time (a stream
// call per field costs more than the analysis), or kept for the caller.
#pragma once
#include "Residues.h"

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

namespace cleavage
{
// Room FormatProbability needs at the most.
constexpr std::size_t kProbabilityRoom = 32;

class RowBuffer
{
public:
    // Rows go to `out` when a block is full and on Flush; without a stream they stay
    // until Take.
    explicit RowBuffer(std::ostream* out = nullptr) : m_out(out) {}
    ~RowBuffer() { Flush(); }
    RowBuffer(const RowBuffer&) = delete;
    RowBuffer& operator=(const RowBuffer&) = delete;

    void Field(const std::string& text);
    void Field(char residue);
    void Field(std::size_t number);
    void Mass(MicroDalton mass, int decimals);
    void Probability(double probability);
    // The last field of a row, as it stands.
    void LastField(const char* text, std::size_t size);
    void EndRow();
    // Rows built elsewhere, whole.
    void Rows(const std::string& rows);

    // A stream that fails is noticed when its file is closed.
    void Flush();
    std::string Take();

private:
    // Room for `size` more characters; returns where they go. Fields are written in
    // place: appending to a string piece by piece costs more than the analysis.
    char* Room(std::size_t size);
    void FlushFullBlock();

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
    std::array<WrittenProbability, 64> m_probabilities;
};

// Writes "0.81", "1.5e-07" at `out` (room for kProbabilityRoom characters): ten significant
// digits, shortest form, correctly rounded; returns the end.
char* FormatProbability(char* out, double probability);
}
