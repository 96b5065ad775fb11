// A cleavage reagent as the engine reads its cell texts: which sites of a sequence
// it recognises and how efficiently it cuts each.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace cleavage
{
// One side of a reagent as the host stores it: positions begin .. begin + count - 1
// (0 is P1, 1 is P1'), cells row after row, count to a row.
struct PatternSet
{
    int begin = 0;
    int count = 2;
    std::vector<std::string> cells;
};

// A reagent as the host hands it over: efficiencies in percent, cell texts untouched.
struct ReagentText
{
    std::string name;
    int recognitionEfficiency = 100;
    int exceptionEfficiency = 100;
    PatternSet recognition;
    PatternSet exception;
};

// A cut point: after residue `position` (1-based) of the analysed sequence.
struct Site
{
    std::size_t position;
    double efficiency; // probability that a molecule is cut here
};

// The cells of a side are a whole number of patterns of `count` cells (none when count
// is 0); otherwise throws EngineError "<where>: 3 cells are not a whole number of
// patterns of 2 cells (<countName>)".
void CheckWholePatterns(const PatternSet& set, const std::string& where, const std::string& countName);

// "P1", "P2", "P1'": the label of a position index.
std::string PositionLabel(int index);

class Reagent
{
public:
    // Reads every cell; a cell it cannot read throws, naming the reagent, the side,
    // the pattern number and the position label.
    explicit Reagent(const ReagentText& text);

    // Every site where some recognition row matches, in order, with its efficiency
    // (0 where an exception forbids the cut entirely).
    std::vector<Site> FindSites(const std::string& sequence) const;

private:
    // A cell: the residues it accepts (bit 0 = 'A') and whether a position beyond
    // the sequence's ends passes it (only a cell that names no allowed letter).
    struct Cell
    {
        std::uint32_t accepted;
        bool acceptsOutside;
    };
    // The rows of a side as the scan reads them: rows in groups of 64, and for each
    // group and position a mask of the group's rows that accept a character, so that
    // matching a site is a look-up and an AND per position.
    struct CompiledSet
    {
        int begin = 0;
        int count = 0;
        std::size_t groups = 0;
        std::vector<std::uint64_t> accepting; // [(group * count + column) * 256 + character]
        std::vector<std::uint64_t> outside;   // [group * count + column]: beyond the ends
        // Whether some row accepts a character at its first position: most residues
        // start no match, and one look-up tells.
        std::array<bool, 256> leads{};
    };

    static CompiledSet Compile(const PatternSet& set, const std::string& reagentName, const char* side);
    static Cell ParseCell(const std::string& text, const std::string& where);
    static bool AnyRowMatches(const CompiledSet& set, const std::string& sequence, std::size_t cutAfter);

    CompiledSet m_recognition;
    CompiledSet m_exception;
    double m_recognitionEfficiency;
    double m_exceptionEfficiency;
};
}
