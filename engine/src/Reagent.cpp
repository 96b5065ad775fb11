#include "Reagent.h"
#include "EngineError.h"

namespace cleavage
{
namespace
{
constexpr std::uint32_t kAllLetters = (1u << 26) - 1;
constexpr std::size_t kRowsPerGroup = 64;
constexpr std::size_t kCharacters = 256;

std::uint32_t LetterBit(char letter)
{
    const char upper = (letter >= 'a' && letter <= 'z') ? char(letter - 'a' + 'A') : letter;
    return 1u << (upper - 'A');
}

bool IsLetter(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}
}

void CheckWholePatterns(const PatternSet& set, const std::string& where, const std::string& countName)
{
    const std::size_t cells = set.cells.size();
    if (cells != 0 && (set.count <= 0 || cells % static_cast<std::size_t>(set.count) != 0))
        throw EngineError(where + ": " + std::to_string(cells) + " cells are not a whole number of patterns of " +
                          std::to_string(set.count) + " cells (" + countName + ")");
}

std::string PositionLabel(int index)
{
    return index <= 0 ? "P" + std::to_string(1 - static_cast<long long>(index)) : "P" + std::to_string(index) + "'";
}

Reagent::Reagent(const ReagentText& text)
    : m_recognition(Compile(text.recognition, text.name, "recognition")),
      m_exception(Compile(text.exception, text.name, "exception")),
      m_recognitionEfficiency(text.recognitionEfficiency / 100.0),
      m_exceptionEfficiency(text.exceptionEfficiency / 100.0)
{
}

Reagent::CompiledSet Reagent::Compile(const PatternSet& set, const std::string& reagentName, const char* side)
{
    CompiledSet compiled;
    compiled.begin = set.begin;
    compiled.count = set.count;
    CheckWholePatterns(set, "reagent '" + Printable(reagentName) + "', " + side + " patterns", "positions per pattern");
    if (set.cells.empty())
        return compiled;
    const std::size_t count = static_cast<std::size_t>(set.count);
    const std::size_t rows = set.cells.size() / count;
    compiled.groups = (rows + kRowsPerGroup - 1) / kRowsPerGroup;
    compiled.accepting.assign(compiled.groups * count * kCharacters, 0);
    compiled.outside.assign(compiled.groups * count, 0);
    for (std::size_t row = 0; row < rows; ++row)
    {
        const std::uint64_t rowBit = std::uint64_t{1} << (row % kRowsPerGroup);
        for (std::size_t column = 0; column < count; ++column)
        {
            const std::string where = "reagent '" + Printable(reagentName) + "', " + side + " pattern " +
                                      std::to_string(row + 1) + ", position " +
                                      PositionLabel(set.begin + static_cast<int>(column));
            const Cell cell = ParseCell(set.cells[row * count + column], where);
            const std::size_t slot = row / kRowsPerGroup * count + column;
            if (cell.acceptsOutside)
                compiled.outside[slot] |= rowBit;
            for (int letter = 0; letter < 26; ++letter)
                if (cell.accepted & (1u << letter))
                    for (const char character : {char('A' + letter), char('a' + letter)})
                    {
                        compiled.accepting[slot * kCharacters + static_cast<unsigned char>(character)] |= rowBit;
                        if (column == 0)
                            compiled.leads[static_cast<unsigned char>(character)] = true;
                    }
        }
    }
    return compiled;
}

Reagent::Cell Reagent::ParseCell(const std::string& text, const std::string& where)
{
    std::uint32_t allowed = 0;
    std::uint32_t disallowed = 0;
    bool inBraces = false;
    for (const char ch : text)
    {
        if (ch == ' ')
            continue;
        if (ch == '{')
        {
            if (inBraces)
                throw EngineError(where + ": nested brace in \"" + Printable(text) + "\"");
            inBraces = true;
        }
        else if (ch == '}')
        {
            if (!inBraces)
                throw EngineError(where + ": closing brace without an opening one in \"" + Printable(text) + "\"");
            inBraces = false;
        }
        else if (IsLetter(ch))
            (inBraces ? disallowed : allowed) |= LetterBit(ch);
        else
            throw EngineError(where + ": '" + Printable(std::string(1, ch)) +
                              "' is neither a residue letter nor a brace in \"" + Printable(text) + "\"");
    }
    if (inBraces)
        throw EngineError(where + ": unclosed brace in \"" + Printable(text) + "\"");
    return {(allowed ? allowed : kAllLetters) & ~disallowed, allowed == 0};
}

bool Reagent::AnyRowMatches(const CompiledSet& set, const std::string& sequence, std::size_t cutAfter)
{
    const long long length = static_cast<long long>(sequence.size());
    // Position index k looks at residue cutAfter + k (1-based).
    const long long first = static_cast<long long>(cutAfter) + set.begin;
    for (std::size_t group = 0; group < set.groups; ++group)
    {
        const std::size_t slots = group * static_cast<std::size_t>(set.count);
        std::uint64_t rows = ~std::uint64_t{0};
        for (int column = 0; column < set.count && rows != 0; ++column)
        {
            const long long residue = first + column;
            const std::size_t slot = slots + static_cast<std::size_t>(column);
            rows &= residue < 1 || residue > length
                        ? set.outside[slot]
                        : set.accepting[slot * kCharacters + static_cast<unsigned char>(sequence[residue - 1])];
        }
        if (rows != 0)
            return true;
    }
    return false;
}

std::vector<Site> Reagent::FindSites(const std::string& sequence) const
{
    std::vector<Site> sites;
    sites.reserve(sequence.size() / 8);
    const long long length = static_cast<long long>(sequence.size());
    for (std::size_t cutAfter = 1; cutAfter < sequence.size(); ++cutAfter)
    {
        const long long leading = static_cast<long long>(cutAfter) + m_recognition.begin;
        if (leading >= 1 && leading <= length && !m_recognition.leads[static_cast<unsigned char>(sequence[leading - 1])])
            continue;
        if (!AnyRowMatches(m_recognition, sequence, cutAfter))
            continue;
        double efficiency = m_recognitionEfficiency;
        if (AnyRowMatches(m_exception, sequence, cutAfter))
            efficiency *= 1.0 - m_exceptionEfficiency;
        sites.push_back({cutAfter, efficiency});
    }
    return sites;
}
}
