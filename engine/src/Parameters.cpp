#include "Parameters.h"

namespace cleavage
{
std::string Parameters::Where(const std::string& key) const
{
    const auto it = origin.find(key);
    return it != origin.end() ? it->second : sourceName + ", key '" + key + "'";
}
}
