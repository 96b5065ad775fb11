// The engine's command line: the parameter file and the options that override its keys.
#pragma once
#include "EngineError.h"
#include "ParameterFile.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace cleavage
{
// A command line the engine cannot read: exit code 2. Its message ends with the usage.
class UsageError : public EngineError
{
public:
    explicit UsageError(const std::string& mistake);
};

struct CommandLine
{
    std::string parameterFile;
    std::vector<std::pair<std::string, std::string>> options; // option, value
    std::string fastaOption;                                  // the value of --fasta
    // The first thing the line says that the engine cannot read; it is reported once
    // the parameter file has named the result the report goes beside.
    std::string mistake;
};

// Options are checked as they are read, as the file's keys are.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Command-line options win over the parameter file's keys of the same meaning (a list
// given there replaces the file's); the command line was checked when it was read.
void ApplyOptions(const CommandLine& line, Parameters& parameters);

// Alone on the command line, --version and --help (-h, /?) ask about the program rather
// than for a run: its text, or nothing for any other command line.
std::optional<std::string> AboutTheProgram(const std::vector<std::string>& arguments);
}
