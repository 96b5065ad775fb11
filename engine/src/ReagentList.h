// The project's reagent list (resources/Reagents.txt): its format is described at the
// top of that file.
#pragma once
#include "Reagent.h"

#include <istream>
#include <string>
#include <vector>

namespace cleavage
{
// Reads every reagent of the list; a line that does not fit the format throws,
// naming `sourceName` and the line. Cell texts are not checked here: the Reagent
// that reads them does.
std::vector<ReagentText> ReadReagentList(std::istream& in, const std::string& sourceName);

// The position index of a label such as "P4" (-3) or "P1'" (1); throws on other text.
int ParsePositionLabel(const std::string& label, const std::string& where);
}
