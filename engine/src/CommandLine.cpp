#include "CommandLine.h"
#include "CleavageVersion.h"
#include "FeatureKeys.h"

namespace cleavage
{
namespace
{
const char kUsage[] =
    "usage: cleavage <parameter file> [--fasta FILE] [--missed N] [--min-length N] [--max-length N] [--threads N]\n"
    "                [--max-rows N] [--max-bytes N] [--specificity full|semi] [--also-reagent NAME]...\n"
    "                [--fixed-mod NAME]... [--variable-mod NAME]... [--max-variable-mods N] [--charges A-B]\n"
    "                [--min-mass DA] [--max-mass DA] [--masses FILE] [--observed M|MH+|mz]\n"
    "                [--mass-type mono|average] [--tolerance 20ppm|0.5Da|0.1%] [--background P] [--progress]\n"
    "       Cleavage.exe /f \"<parameter file>\"";
const char kVersionLine[] = "cleavage " CLEAVAGE_VERSION_TEXT;
const char kParameterFileLine[] = "The parameter file is described in ParameterFile.md.";
// The one option without a value: it sets its key to 1.
const char kProgressOption[] = "--progress";
}

UsageError::UsageError(const std::string& mistake) : EngineError(mistake + "\n" + kUsage) {}

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
        const bool isFlag = argument == kProgressOption;
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
            if (!SetBatchKey(checked, KeyOfOption(argument), value, "option " + argument))
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
        ClearFeatureList(parameters, KeyOfOption(option));
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
        return std::string(kVersionLine) + "\n" + kUsage + "\n" + kParameterFileLine + "\n";
    return std::nullopt;
}
}
