#include "Engine.h"
#include "BatchLog.h"
#include "BatchPipeline.h"
#include "CommandLine.h"
#include "EngineError.h"
#include "FastaReader.h"
#include "FragmentTableWriter.h"
#include "MassList.h"
#include "MassMatcher.h"
#include "MatchTableWriter.h"
#include "OutputFile.h"
#include "ParameterFile.h"
#include "ParameterKeys.h"
#include "ProteinPipeline.h"
#include "ResultFormat.h"
#include "Residues.h"
#include "RunFiles.h"
#include "SiteTableWriter.h"
#include "TableBound.h"

#include <chrono>
#include <exception>
#include <filesystem>
#include <optional>
#include <sstream>

namespace cleavage
{
namespace
{
namespace fs = std::filesystem;

// How often a batch asked for its progress tells it.
constexpr std::chrono::seconds kProgressInterval(1);

// Relative paths in a parameter file are relative to the file's own folder, wherever
// the engine was started from.
std::string BesideParameterFile(const std::string& parameterFile, const std::string& path)
{
    const fs::path given(path);
    if (path.empty() || given.is_absolute() || given.has_root_name() || given.has_root_directory())
        return path;
    return (fs::path(parameterFile).parent_path() / given).string();
}

// The range to analyse, 1-based and inclusive: the whole molecule unless a range is
// asked for and entered (0 and 0 mean none was entered).
std::pair<std::size_t, std::size_t> AnalysedRange(const Parameters& parameters, std::size_t length)
{
    if (!parameters.rangeOnly || (parameters.rangeFrom == 0 && parameters.rangeTo == 0))
        return {1, length};
    const std::string range = std::to_string(parameters.rangeFrom) + ".." + std::to_string(parameters.rangeTo);
    if (parameters.rangeFrom > parameters.rangeTo)
        throw EngineError(parameters.Where("analysis_from") + ": the range " + range + " is reversed");
    if (parameters.rangeFrom < 1 || static_cast<std::size_t>(parameters.rangeTo) > length)
        throw EngineError(parameters.Where("analysis_to") + ": the range " + range + " lies outside the molecule's " +
                          std::to_string(length) + " residues");
    return {static_cast<std::size_t>(parameters.rangeFrom), static_cast<std::size_t>(parameters.rangeTo)};
}

void RunMolecule(const Analysis& analysis, const Parameters& parameters, TableBound& bound, RowBuffer& fragments,
                 RowBuffer& sites, MassMatcher* matcher)
{
    const std::string sequence = NormaliseSequence(parameters.sequence, parameters.Where("sequence"));
    if (sequence.empty())
        throw EngineError(parameters.Where("sequence") + ": the sequence is empty");
    const auto [first, last] = AnalysedRange(parameters, sequence.size());
    bound.Add(ReportProtein(analysis, parameters.moleculeName, sequence, first, last, bound.Left(), fragments, sites,
                            {matcher, 0}));
}

// The run itself; kExitWarnings when records of a batch were left out, else 0.
int Run(const CommandLine& line, RunFiles& files, std::ostream& errors)
{
    // Where the result goes is found first, so that even a command line or a parameter
    // file the engine refuses is reported beside the result it names.
    std::optional<ParameterLines> lines;
    if (!line.parameterFile.empty())
    {
        files.SetParameterFile(line.parameterFile);
        try
        {
            lines.emplace(line.parameterFile);
        }
        catch (const EngineError&)
        {
            // A command line that cannot be read is the failure to report; the file's
            // own is reported once the line is right.
            if (line.mistake.empty())
                throw;
        }
    }
    if (lines)
    {
        files.SetResult(BesideParameterFile(line.parameterFile, lines->Value("result_file")));
        // A FASTA file named in the parameter file lies beside it; one named on the
        // command line is where the command line says.
        files.AddInput(line.fastaOption.empty() ? BesideParameterFile(line.parameterFile, lines->Value("fasta"))
                                                : line.fastaOption,
                       "FASTA file");
    }
    if (!line.mistake.empty())
        throw UsageError(line.mistake);
    files.CheckOutputs();
    files.RemoveEarlierResult();

    Parameters parameters = lines->Check();
    if (files.Result().empty())
        throw EngineError(parameters.Where("result_file") + ": no result file named");
    for (std::optional<std::string>* path : {&parameters.fastaFile, &parameters.masses})
        if (*path)
            *path = BesideParameterFile(line.parameterFile, **path);
    ApplyOptions(line, parameters);
    if (parameters.masses)
        files.AddInput(*parameters.masses, "mass list");
    CheckTogether(parameters);
    const BatchRange range = parameters.fastaFile ? BatchRangeOf(parameters) : BatchRange();
    const Analysis analysis(parameters);
    // A mass list is read whole before anything is written: one it refuses leaves no table.
    std::optional<MassList> massList;
    std::optional<MassMatcher> matcher;
    if (!analysis.matching.massList.empty())
    {
        massList = ReadMassList(analysis.matching.massList, analysis.matching.observed);
        std::vector<MicroDalton> observed;
        for (const ObservedValue& value : massList->values)
            observed.push_back(value.neutral);
        matcher.emplace(observed, analysis.matching.tolerance, analysis.matching.massType);
    }
    MassMatcher* const candidates = matcher ? &*matcher : nullptr;

    const std::string& resultFile = files.Result();
    OutputFile fragments(resultFile);
    OutputFile sites(SiteFilePath(resultFile));
    // The bound on bytes holds the whole table, its header too.
    std::ostringstream header;
    WriteFragmentHeader(header, analysis);
    fragments.Stream() << header.str();
    WriteSiteHeader(sites.Stream(), analysis);
    RowBuffer fragmentRows(&fragments.Stream());
    RowBuffer siteRows(&sites.Stream());
    TableBound bound(analysis.limits);
    bound.Add({0, header.str().size()});
    BatchLog log(errors, analysis.progress ? CountFastaRecords(*parameters.fastaFile) : 0,
                 analysis.progress ? std::optional<BatchLog::Clock::duration>(kProgressInterval) : std::nullopt);
    if (analysis.batch)
        RunBatch(analysis, range, *parameters.fastaFile, analysis.threads, bound, fragmentRows, siteRows, log,
                 candidates);
    else
        RunMolecule(analysis, parameters, bound, fragmentRows, siteRows, candidates);
    if (bound.Passed())
        throw EngineError(parameters.sourceName + ": " + bound.Message());
    fragmentRows.Flush();
    siteRows.Flush();
    fragments.Close();
    sites.Close();
    // The warnings beside the tables tell a program that started the engine without
    // reading its stderr or its exit code that records were left out.
    std::optional<OutputFile> warnings;
    if (!log.Warnings().empty())
    {
        warnings.emplace(WarningFilePath(resultFile));
        for (const std::string& warning : log.Warnings())
            warnings->Stream() << warning << '\n';
        warnings->Close();
    }
    // The matches table, and in a batch the coverage of each protein, beside the others.
    std::optional<OutputFile> matches;
    std::optional<OutputFile> coverage;
    std::string matchSummary;
    if (matcher)
    {
        const MatchResult result = matcher->Finish();
        matches.emplace(MatchFilePath(resultFile));
        WriteMatchTable(matches->Stream(), *massList, result, analysis.batch);
        matches->Close();
        if (analysis.batch)
        {
            coverage.emplace(CoverageFilePath(resultFile));
            WriteCoverageTable(coverage->Stream(), result);
            coverage->Close();
        }
        matchSummary = MatchSummary(result, analysis.batch);
    }
    sites.Commit();
    if (warnings)
        warnings->Commit();
    if (matches)
        matches->Commit();
    if (coverage)
        coverage->Commit();
    fragments.Commit();
    if (!matchSummary.empty())
        errors << "cleavage: " << matchSummary << "\n";
    return log.Warnings().empty() ? 0 : kExitWarnings;
}
}

int RunEngine(const std::vector<std::string>& arguments, std::ostream& output, std::ostream& errors)
{
    if (const std::optional<std::string> text = AboutTheProgram(arguments))
    {
        output << *text << std::flush;
        if (output)
            return 0;
        errors << "cleavage: cannot write to the standard output: " << SystemReason() << "\n";
        return kExitFailure;
    }
    const CommandLine line = ParseCommandLine(arguments);
    RunFiles files;
    try
    {
        return Run(line, files, errors);
    }
    catch (const std::exception& error)
    {
        // EngineError says what and where; anything else (memory, the system) is
        // reported with its own text rather than lost.
        const std::string message = dynamic_cast<const EngineError*>(&error)
                                        ? error.what()
                                        : std::string("internal error: ") + error.what();
        files.ReportFailure(message, errors);
        return dynamic_cast<const UsageError*>(&error) ? kExitUsage : kExitFailure;
    }
}
}
