// What a run leaves beside its result file, and the tables' format, as the engine
// writes them and every reader of them (the workbench) takes them: tab-separated text
// with a header line, one row a line.
#pragma once
#include <cstddef>
#include <string>

namespace cleavage
{
// Where the site table, the matches table, a batch's coverage by the matches, the
// warnings and the error text of a result file go.
std::string SiteFilePath(const std::string& resultFile);
std::string MatchFilePath(const std::string& resultFile);
std::string CoverageFilePath(const std::string& resultFile);
std::string WarningFilePath(const std::string& resultFile);
std::string ErrorFilePath(const std::string& resultFile);

// The first column of a batch's tables: the record's name.
constexpr char kProteinColumn[] = "protein";

// The fragment table: these columns in this order, then "modifications" when the run
// has variable modifications, then "mz_<charge>" for each charge asked for.
constexpr std::size_t kFragmentColumnCount = 8;
constexpr const char* kFragmentColumns[kFragmentColumnCount] = {
    "start", "end", "length", "missed", "probability", "mono_mass", "average_mass", "sequence"};
constexpr char kModificationsColumn[] = "modifications";
constexpr char kChargeColumnPrefix[] = "mz_";
// A mass the engine cannot know (a fragment with B, Z or X).
constexpr char kNotAvailable[] = "NA";

// The site table: these columns, then "reagents" when the run has several reagents.
constexpr std::size_t kSiteColumnCount = 4;
constexpr const char* kSiteColumns[kSiteColumnCount] = {"position", "left", "right", "efficiency"};
constexpr char kReagentsColumn[] = "reagents";
}
