#include "ResultFormat.h"

#include <filesystem>

namespace cleavage
{
namespace
{
// A table beside the fragment table: result.sites.tsv for result.tsv.
std::string TableBeside(const std::string& resultFile, const char* kind)
{
    std::filesystem::path path(resultFile);
    const std::filesystem::path extension = path.extension();
    path.replace_extension();
    return path.string() + kind + extension.string();
}
}

std::string MatchFilePath(const std::string& resultFile)
{
    return TableBeside(resultFile, ".matches");
}

std::string CoverageFilePath(const std::string& resultFile)
{
    return TableBeside(resultFile, ".coverage");
}

std::string SiteFilePath(const std::string& resultFile)
{
    return TableBeside(resultFile, ".sites");
}

std::string WarningFilePath(const std::string& resultFile)
{
    return resultFile + ".warnings";
}

std::string ErrorFilePath(const std::string& resultFile)
{
    return resultFile.empty() ? std::string() : resultFile + ".error";
}

void WriteColumnNames(std::ostream& out, bool batch, const char* const* names, std::size_t count)
{
    if (batch)
        out << kProteinColumn << '\t';
    for (std::size_t column = 0; column < count; ++column)
        out << (column == 0 ? "" : "\t") << names[column];
}
}
