#include "RunFiles.h"
#include "EngineError.h"
#include "OutputFile.h"
#include "ResultFormat.h"

#include <filesystem>
#include <fstream>

namespace cleavage
{
namespace fs = std::filesystem;

void RunFiles::AddInput(const std::string& path, const char* kind)
{
    if (!path.empty())
        m_inputs.push_back({path, kind, IdentityOf(path)});
}

void RunFiles::SetParameterFile(const std::string& path)
{
    m_parameterFile = path;
    AddInput(path, "parameter file");
}

void RunFiles::CheckOutputs() const
{
    std::vector<std::string> outputs = ResultFiles();
    outputs.push_back(ErrorFile());
    for (const std::string& output : outputs)
        if (const Input* input = InputAt(output))
            throw EngineError(Printable(output) + ": the result would overwrite the " + input->kind + " " +
                              Printable(input->path) + "; name another result_file");
}

void RunFiles::RemoveEarlierResult() const
{
    std::vector<std::string> outputs = ResultFiles();
    outputs.push_back(ErrorFile());
    for (const std::string& path : outputs)
    {
        std::error_code error;
        fs::remove(path, error);
        if (error)
            throw EngineError(Printable(path) + ": cannot remove the file of an earlier run: " + error.message());
    }
}

void RunFiles::ReportFailure(const std::string& message, std::ostream& errors) const
{
    errors << "cleavage: " << message << "\n";
    for (const std::string& path : ResultFiles())
    {
        std::error_code error;
        if (!InputAt(path))
            fs::remove(path, error);
        if (error)
            errors << "cleavage: " << Printable(path) << ": cannot remove the file of an earlier run: "
                   << error.message() << "\n";
    }
    const std::string errorFile = ErrorFile();
    if (errorFile.empty())
        return;
    if (const Input* input = InputAt(errorFile))
    {
        errors << "cleavage: the message is not written to " << Printable(errorFile) << ": it is the "
               << input->kind << "\n";
        return;
    }
    std::ofstream out(errorFile, std::ios::binary | std::ios::trunc);
    out << message << '\n';
    out.close();
    if (!out)
        errors << "cleavage: " << Printable(errorFile) << ": cannot write the error file: " << SystemReason() << "\n";
}

std::vector<std::string> RunFiles::ResultFiles() const
{
    if (m_result.empty())
        return {};
    std::vector<std::string> files = {m_result, SiteFilePath(m_result), WarningFilePath(m_result),
                                      MatchFilePath(m_result), CoverageFilePath(m_result)};
    for (std::size_t i = 0, count = files.size(); i < count; ++i)
        files.push_back(PartPath(files[i]));
    return files;
}

std::string RunFiles::ErrorFile() const
{
    return ErrorFilePath(m_result.empty() ? m_parameterFile : m_result);
}

const RunFiles::Input* RunFiles::InputAt(const std::string& path) const
{
    const FileIdentity identity = IdentityOf(path);
    for (const Input& input : m_inputs)
        if (input.identity.SameFileAs(identity))
            return &input;
    return nullptr;
}
}
