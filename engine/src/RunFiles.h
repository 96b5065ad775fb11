// The files of one run: its inputs, which it never writes over or removes, and its
// result once known, beside which a failure is reported.
#pragma once
#include "FileIdentity.h"

#include <ostream>
#include <string>
#include <vector>

namespace cleavage
{
class RunFiles
{
public:
    // `kind` names the input in messages: "FASTA file". An empty path is no input.
    void AddInput(const std::string& path, const char* kind);
    void SetParameterFile(const std::string& path);
    void SetResult(const std::string& path) { m_result = path; }
    const std::string& Result() const { return m_result; }

    // Refuses a result whose files, their temporary files or error file would be one
    // of the run's inputs, however the paths are spelt.
    void CheckOutputs() const;
    // Removes the files of an earlier run, its error file and the temporary files an
    // interrupted run left, before this run writes anything.
    void RemoveEarlierResult() const;
    // The failure report: no file of the result (earlier or part-written), the message
    // on `errors` and in the error file. Never touches an input.
    void ReportFailure(const std::string& message, std::ostream& errors) const;

private:
    struct Input
    {
        std::string path;
        const char* kind;
        FileIdentity identity;
    };

    // The tables, the warning file and their temporary files; none before the result
    // is known.
    std::vector<std::string> ResultFiles() const;
    std::string ErrorFile() const;
    const Input* InputAt(const std::string& path) const;

    std::vector<Input> m_inputs;
    std::string m_parameterFile;
    std::string m_result;
};
}
