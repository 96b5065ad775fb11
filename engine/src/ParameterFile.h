// The engine's parameter file: key=value lines, as engine/ParameterFile.md defines
// them. One reader (the engine) and one writer (hosts, tests) keep to that document.
#pragma once
#include "Parameters.h"

#include <map>
#include <string>
#include <vector>

namespace cleavage
{
struct KeyDescription;

// The lines of a parameter file, read but not yet checked: a file that is refused
// still names the result its failure is reported beside, and the FASTA file it reads.
class ParameterLines
{
public:
    // Throws EngineError when the file cannot be opened or read.
    explicit ParameterLines(const std::string& path);

    // The value of a key that stands once on a key=value line, or "".
    std::string Value(const std::string& key) const;
    // Every value of a key, in the file's order; none when the key is missing.
    std::vector<std::string> Values(const std::string& key) const;

    // Checks every line and key; throws EngineError naming the file, the line and the
    // key. Values that need the molecule (the range) or the command line's options
    // (CheckTogether) are checked by the caller.
    Parameters Check() const;
    // Checks the lines and the keys given, as Check does, and reads those keys alone:
    // none of them is required.
    Parameters CheckKeys(const std::vector<const KeyDescription*>& keys) const;

private:
    struct ValueLine
    {
        int line;
        std::string value;
    };
    std::string Where(const std::string& key, int line) const;
    // The keys' values; `required`: a key a file must hold is missing is an error.
    Parameters Read(const std::vector<const KeyDescription*>& keys, bool required) const;

    std::string m_path;                                   // as messages show it
    std::map<std::string, std::vector<ValueLine>> m_lines; // by key, in file order
    std::string m_firstMistake;                           // a line that is not key=value
};

// ParameterLines(path).Check().
Parameters ReadParameterFile(const std::string& path);

// Writes `parameters` as a parameter file; throws EngineError when it cannot.
void WriteParameterFile(const Parameters& parameters, const std::string& path);
}
