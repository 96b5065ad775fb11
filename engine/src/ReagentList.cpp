#include "ReagentList.h"
#include "EngineError.h"
#include "IntegerText.h"

#include <sstream>

namespace cleavage
{
namespace
{
const char kEmptyCell[] = ".";

std::string Trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void AddRow(PatternSet& set, bool firstRow, int begin, const std::vector<std::string>& cells,
            const std::string& where)
{
    const int count = static_cast<int>(cells.size());
    if (firstRow)
    {
        set.begin = begin;
        set.count = count;
    }
    else if (set.begin != begin || set.count != count)
        throw EngineError(where + ": the row must start at " + PositionLabel(set.begin) + " and have " +
                          std::to_string(set.count) + " cells, as the side's first row");
    set.cells.insert(set.cells.end(), cells.begin(), cells.end());
}
}

int ParsePositionLabel(const std::string& label, const std::string& where)
{
    const bool primed = !label.empty() && label.back() == '\'';
    const std::string number = label.substr(label.empty() ? 0 : 1, label.size() - (primed ? 2 : 1));
    if (label.size() < 2 || label[0] != 'P' || number.empty() || number[0] == '-')
        throw EngineError(where + ": \"" + label + "\" is not a position label such as P2 or P1'");
    const int n = ParseInteger(number, where);
    if (n < 1)
        throw EngineError(where + ": \"" + label + "\" is not a position label such as P2 or P1'");
    return primed ? n : 1 - n;
}

std::vector<ReagentText> ReadReagentList(std::istream& in, const std::string& sourceName)
{
    std::vector<ReagentText> reagents;
    bool recognitionSeen = false;
    bool exceptionSeen = false;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line)
    {
        const std::string where = sourceName + ", line " + std::to_string(line);
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        if (Trim(text).empty() || text[0] == '#')
            continue;
        if (text[0] != ' ' && text[0] != '\t')
        {
            const std::size_t equals = text.rfind(" = ");
            const std::size_t slash = text.find(" / ", equals == std::string::npos ? 0 : equals);
            if (equals == std::string::npos || slash == std::string::npos)
                throw EngineError(where + ": a reagent line is \"<name> = <recognition %> / <exception %>\"");
            ReagentText reagent;
            reagent.name = Trim(text.substr(0, equals));
            reagent.recognitionEfficiency = ParseInteger(Trim(text.substr(equals + 3, slash - equals - 3)), where);
            reagent.exceptionEfficiency = ParseInteger(Trim(text.substr(slash + 3)), where);
            // A side without rows stays the dialog's empty side: P1 and P1', no cells.
            reagents.push_back(reagent);
            recognitionSeen = exceptionSeen = false;
            continue;
        }
        if (reagents.empty())
            throw EngineError(where + ": a pattern row before the first reagent line");
        std::istringstream row(text);
        std::string side, label;
        row >> side >> label;
        if (label.empty() || label.back() != ':')
            throw EngineError(where + ": a pattern row is \"recognition|exception <first position>: <cells>\"");
        label.pop_back();
        const int begin = ParsePositionLabel(label, where);
        std::vector<std::string> cells;
        for (std::string cell; row >> cell;)
            cells.push_back(cell == kEmptyCell ? std::string() : cell);
        if (cells.empty())
            throw EngineError(where + ": a pattern row without cells");
        ReagentText& reagent = reagents.back();
        if (side != "recognition" && side != "exception")
            throw EngineError(where + ": \"" + side + "\" is neither recognition nor exception");
        bool& seen = side == "recognition" ? recognitionSeen : exceptionSeen;
        AddRow(side == "recognition" ? reagent.recognition : reagent.exception, !seen, begin, cells, where);
        seen = true;
    }
    return reagents;
}
}
