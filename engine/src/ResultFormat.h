// What a run leaves beside its result file, and the tables' format, as the engine
// writes them and every reader of them (the workbench) takes them: tab-separated text
// with a header line, one row a line.
#pragma once
#include <cstddef>
#include <ostream>
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
// The start of a header line: the protein column in a batch, then `names`, tab-separated.
void WriteColumnNames(std::ostream& out, bool batch, const char* const* names, std::size_t count);

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

// The matches table: the observed value's columns, the mass list's own columns, (in a
// batch) the protein, then the candidate's columns, which a value without candidates
// leaves empty; the run's summary is the last line, a comment.
constexpr std::size_t kObservedColumnCount = 3;
constexpr const char* kObservedColumns[kObservedColumnCount] = {"observed", "charge", "observed_mass"};
constexpr std::size_t kCandidateColumnCount = 10;
constexpr const char* kCandidateColumns[kCandidateColumnCount] = {
    "start", "end", "sequence", "modifications", "mass", "error_ppm", "error_da", "probability", "share", "rank"};
constexpr char kCommentPrefix[] = "# ";
}
