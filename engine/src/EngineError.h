// The one exception of the engine: what the user or the disk caused, with a message
// that names where (file, line, key, reagent) and what.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

namespace cleavage
{
class EngineError : public std::runtime_error
{
public:
    explicit EngineError(const std::string& message) : std::runtime_error(message) {}
};

// `text` as a message shows it: control bytes (a NUL, a line break, an escape) as
// \xNN, so that a damaged value can neither cut a message short nor break its line.
std::string Printable(const std::string& text);

// "a, b, c": names as a message lists them.
std::string JoinNames(const std::vector<std::string>& names);

// The system's reason for the failure of the call just made (errno, or on Windows the
// thread's last error): "No such file or directory". Read it before any other call.
std::string SystemReason();
}
