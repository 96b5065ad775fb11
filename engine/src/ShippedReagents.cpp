#include "ShippedReagents.h"
#include "EngineError.h"
#include "ReagentList.h"

#include <algorithm>
#include <sstream>

namespace cleavage
{
// The text of resources/Reagents.txt, written into a source file at build time.
extern const char kShippedReagentList[];

namespace
{
const std::vector<ReagentText>& ShippedList()
{
    static const std::vector<ReagentText> reagents = [] {
        std::istringstream in(kShippedReagentList);
        return ReadReagentList(in, "the shipped reagent list");
    }();
    return reagents;
}
}

std::vector<std::string> ShippedReagentNames()
{
    std::vector<std::string> names;
    for (const ReagentText& reagent : ShippedList())
        names.push_back(reagent.name);
    return names;
}

const ReagentText& ShippedReagent(const std::string& name, const std::string& where)
{
    const std::vector<ReagentText>& reagents = ShippedList();
    const auto found =
        std::find_if(reagents.begin(), reagents.end(), [&name](const ReagentText& r) { return r.name == name; });
    if (found != reagents.end())
        return *found;
    throw EngineError(where + ": \"" + Printable(name) + "\" is not a reagent of the shipped list; it holds " +
                      JoinNames(ShippedReagentNames()));
}
}
