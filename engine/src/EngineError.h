// The one exception of the engine: what the user or the disk caused, with a message
// that names where (file, line, key, reagent) and what.
#pragma once
#include <stdexcept>
#include <string>

namespace cleavage
{
class EngineError : public std::runtime_error
{
public:
    explicit EngineError(const std::string& message) : std::runtime_error(message) {}
};
}
