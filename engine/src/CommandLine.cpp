#include "CommandLine.h"
#include "CleavageVersion.h"
#include "ParameterKeys.h"

#include <iterator>

namespace cleavage
{
namespace
{
const char kUsageStart[] = "usage: cleavage <parameter file> ";
const char kUsageIndent[] = "                ";
// The usage lines hold at most this many characters.
constexpr std::size_t kUsageWidth = 112;
const char kUsageEnd[] = "\n       Cleavage.exe /f \"<parameter file>\"";
const char kVersionLine[] = "cleavage " CLEAVAGE_VERSION_TEXT;
const char kParameterFileLine[] = "The parameter file is described in ParameterFile.md.";
// Every option of the key table, on lines of the usage's width.
const std::string& Usage()
{
    static const std::string usage = kUsageStart +
                                     UsageOptions(std::size(kUsageStart) - 1, kUsageIndent, kUsageWidth) + kUsageEnd;
    return usage;
}
}

UsageError::UsageError(const std::string& mistake) : EngineError(mistake + "\n" + Usage()) {}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    const auto note = [&line](const std::string& mistake) {
        if (line.mistake.empty())
            line.mistake = mistake;
    };
    Parameters checked; // options are checked as they are read, as the file's keys are
    for (std::size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& argument = arguments[i];
        const bool isOption = argument.rfind("--", 0) == 0;
        // An option without a value sets its key to 1.
        const KeyDescription* key = FindOption(argument);
        const bool isFlag = key && key->placeholder.empty();
        if ((isOption || argument == "/f") && !isFlag && i + 1 >= arguments.size())
        {
            note("option " + Printable(argument) + " needs a value");
            break;
        }
        if (!isOption)
        {
            const std::string& file = argument == "/f" ? arguments[++i] : argument;
            if (line.parameterFile.empty())
                line.parameterFile = file;
            else
                note("more than one parameter file: \"" + Printable(line.parameterFile) + "\" and \"" +
                     Printable(file) + "\"");
            continue;
        }
        const std::string& value = isFlag ? "1" : arguments[++i];
        try
        {
            if (!key || !SetBatchKey(checked, key->key, value, "option " + argument))
                note("unknown option " + Printable(argument));
        }
        catch (const EngineError& error)
        {
            note(error.what());
        }
        line.options.emplace_back(argument, value);
        if (argument == "--fasta")
            line.fastaOption = value;
    }
    if (line.parameterFile.empty())
        note("no parameter file given");
    return line;
}

void ApplyOptions(const CommandLine& line, Parameters& parameters)
{
    for (const auto& [option, value] : line.options)
        ClearList(parameters, KeyOfOption(option));
    for (const auto& [option, value] : line.options)
        SetBatchKey(parameters, KeyOfOption(option), value, "option " + option);
}

std::optional<std::string> AboutTheProgram(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 1)
        return std::nullopt;
    const std::string& argument = arguments[0];
    if (argument == "--version")
        return std::string(kVersionLine) + "\n";
    if (argument == "--help" || argument == "-h" || argument == "/?")
        return std::string(kVersionLine) + "\n" + Usage() + "\n" + kParameterFileLine + "\n";
    return std::nullopt;
}
}
