// The command line's names for the key table's operations, until the command line
// takes the table's own.
#pragma once
#include "ParameterKeys.h"

namespace cleavage
{
inline void ClearFeatureList(Parameters& parameters, const std::string& key)
{
    ClearList(parameters, key);
}
// CheckFeatureKeys checks the lengths too.
inline void CheckLengths(const Parameters&) {}
inline void CheckFeatureKeys(const Parameters& parameters)
{
    CheckTogether(parameters);
}
}
