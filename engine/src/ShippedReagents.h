// The reagents of the project's reviewed list (resources/Reagents.txt), compiled into
// the engine.
#pragma once
#include "Reagent.h"

#include <string>
#include <vector>

namespace cleavage
{
// The names of the list's reagents, in its order.
std::vector<std::string> ShippedReagentNames();

// The list's reagent of that name (exact); otherwise throws EngineError "<where>: ...",
// listing the names it holds.
const ReagentText& ShippedReagent(const std::string& name, const std::string& where);
}
