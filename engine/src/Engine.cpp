#include "Engine.h"
#include "EngineError.h"
#include "FastaReader.h"
#include "ParameterFile.h"
#include "Report.h"
#include "Residues.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <filesystem>
#include <fstream>
#include <thread>

namespace cleavage
{
namespace
{
namespace fs = std::filesystem;

const char kUsage[] =
    "usage: cleavage <parameter file> [--fasta FILE] [--missed N] [--min-length N] [--max-length N] [--threads N]\n"
    "       Cleavage.exe /f \"<parameter file>\"";

// A batch works on this many residues at a time: enough to keep every thread busy,
// few enough that memory does not grow with the proteome.
constexpr std::size_t kBatchResidues = 2000000;
constexpr std::size_t kBatchRecordsPerThread = 64;

std::string PartPath(const std::string& path)
{
    return path + ".part";
}

// A file that appears complete or not at all: written under a temporary name and
// renamed when done; removed if never committed.
class OutputFile
{
public:
    explicit OutputFile(const std::string& path) : m_path(path), m_partPath(PartPath(path))
    {
        m_out.open(m_partPath, std::ios::binary | std::ios::trunc);
        if (!m_out)
            throw EngineError(m_path + ": cannot create the file");
    }
    ~OutputFile()
    {
        if (m_out.is_open())
            m_out.close();
        // A failure is reported by the run's clean-up, which removes it again.
        std::error_code ignored;
        if (!m_committed)
            fs::remove(m_partPath, ignored);
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::ostream& Stream() { return m_out; }

    // Closes the temporary file; the renames come after every file is closed.
    void Close()
    {
        m_out.close();
        if (!m_out)
            throw EngineError(m_path + ": cannot write the file");
    }
    void Commit()
    {
        std::error_code error;
        fs::rename(m_partPath, m_path, error);
        if (error)
            throw EngineError(m_path + ": cannot rename the finished file into place: " + error.message());
        m_committed = true;
    }

private:
    std::string m_path;
    std::string m_partPath;
    std::ofstream m_out;
    bool m_committed = false;
};

struct CommandLine
{
    std::string parameterFile;
    std::vector<std::pair<std::string, std::string>> options; // option, value
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& argument = arguments[i];
        const bool takesValue = argument == "/f" || argument.rfind("--", 0) == 0;
        if (takesValue && i + 1 >= arguments.size())
            throw EngineError("option " + argument + " needs a value\n" + kUsage);
        if (argument == "/f" || (!takesValue && line.parameterFile.empty()))
        {
            if (!line.parameterFile.empty())
                throw EngineError(std::string("more than one parameter file\n") + kUsage);
            line.parameterFile = takesValue ? arguments[++i] : argument;
        }
        else if (takesValue)
        {
            line.options.emplace_back(argument, arguments[i + 1]);
            ++i;
        }
        else
            throw EngineError("unexpected argument \"" + argument + "\"\n" + kUsage);
    }
    if (line.parameterFile.empty())
        throw EngineError(std::string("no parameter file given\n") + kUsage);
    return line;
}

// Command-line options win over the parameter file's keys of the same meaning.
void ApplyOptions(const CommandLine& line, Parameters& parameters)
{
    for (const auto& [option, value] : line.options)
    {
        // --min-length sets the key min_length.
        std::string key = option.substr(2);
        std::replace(key.begin(), key.end(), '-', '_');
        if (!SetBatchKey(parameters, key, value, "option " + option))
            throw EngineError("unknown option " + option + "\n" + kUsage);
    }
}

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

void RunMolecule(const Analysis& analysis, const Parameters& parameters, RowBuffer& fragments, RowBuffer& sites)
{
    const std::string sequence = NormaliseSequence(parameters.sequence, parameters.Where("sequence"));
    if (sequence.empty())
        throw EngineError(parameters.Where("sequence") + ": the sequence is empty");
    const auto [first, last] = AnalysedRange(parameters, sequence.size());
    ReportProtein(analysis, parameters.moleculeName, sequence, first, last, fragments, sites);
}

struct BatchResult
{
    std::string fragments;
    std::string sites;
    std::exception_ptr error;
};

// Analyses records on `threads` threads and returns their rows in input order.
std::vector<BatchResult> AnalyseInParallel(const Analysis& analysis, const std::vector<FastaRecord>& records,
                                           unsigned threads)
{
    std::vector<BatchResult> results(records.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < records.size(); i = next++)
        {
            try
            {
                RowBuffer fragments, sites;
                ReportProtein(analysis, records[i].name, records[i].sequence, 1, records[i].sequence.size(), fragments,
                              sites);
                results[i].fragments = fragments.Take();
                results[i].sites = sites.Take();
            }
            catch (...)
            {
                results[i].error = std::current_exception();
            }
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& thread : pool)
        thread.join();
    return results;
}

void RunBatch(const Analysis& analysis, const std::string& fastaFile, unsigned threads, RowBuffer& fragments,
              RowBuffer& sites)
{
    FastaReader reader(fastaFile);
    FastaRecord record;
    if (threads <= 1)
    {
        while (reader.Next(record))
            ReportProtein(analysis, record.name, record.sequence, 1, record.sequence.size(), fragments, sites);
        return;
    }
    for (bool more = true; more;)
    {
        std::vector<FastaRecord> records;
        std::size_t residues = 0;
        while (residues < kBatchResidues && records.size() < threads * kBatchRecordsPerThread &&
               (more = reader.Next(record)))
        {
            residues += record.sequence.size();
            records.push_back(std::move(record));
        }
        for (BatchResult& result : AnalyseInParallel(analysis, records, threads))
        {
            if (result.error)
                std::rethrow_exception(result.error);
            fragments.Rows(result.fragments);
            sites.Rows(result.sites);
        }
    }
}

void Run(const CommandLine& line, std::string& resultFile)
{
    Parameters parameters = ReadParameterFile(line.parameterFile);
    resultFile = BesideParameterFile(line.parameterFile, parameters.resultFile);
    if (resultFile.empty())
        throw EngineError(parameters.Where("result_file") + ": no result file named");
    // A FASTA file named in the parameter file lies beside it; one named on the command
    // line is where the command line says.
    parameters.fastaFile = BesideParameterFile(line.parameterFile, parameters.fastaFile);
    ApplyOptions(line, parameters);
    if (!parameters.fastaFile.empty())
    {
        if (parameters.rangeOnly)
            throw EngineError(parameters.Where("range") + ": a range cannot apply to every protein of a FASTA batch");
    }
    const Analysis analysis(parameters);
    const unsigned threads =
        parameters.threads > 0 ? static_cast<unsigned>(parameters.threads) : std::max(1u, std::thread::hardware_concurrency());

    OutputFile fragments(resultFile);
    OutputFile sites(SiteFilePath(resultFile));
    WriteFragmentHeader(fragments.Stream(), analysis.batch);
    WriteSiteHeader(sites.Stream(), analysis.batch);
    RowBuffer fragmentRows(&fragments.Stream());
    RowBuffer siteRows(&sites.Stream());
    if (analysis.batch)
        RunBatch(analysis, parameters.fastaFile, threads, fragmentRows, siteRows);
    else
        RunMolecule(analysis, parameters, fragmentRows, siteRows);
    fragmentRows.Flush();
    siteRows.Flush();
    fragments.Close();
    sites.Close();
    sites.Commit();
    fragments.Commit();

    // A successful run leaves no error text of an earlier one to mislead the host.
    std::error_code error;
    fs::remove(ErrorFilePath(resultFile), error);
    if (error)
        throw EngineError(ErrorFilePath(resultFile) + ": cannot remove the error file of an earlier run: " +
                          error.message());
}

// Tables of an earlier run would pass for this run's: a failed run leaves none, and
// no part of its own.
void RemoveResult(const std::string& resultFile, std::ostream& errors)
{
    const std::string siteFile = SiteFilePath(resultFile);
    for (const std::string& path : {resultFile, siteFile, PartPath(resultFile), PartPath(siteFile)})
    {
        std::error_code error;
        fs::remove(path, error);
        if (error)
            errors << "cleavage: cannot remove " << path << ": " << error.message() << "\n";
    }
}

void WriteErrorFile(const std::string& path, const std::string& message, std::ostream& errors)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << message << '\n';
    out.close();
    if (!out)
        errors << "cleavage: cannot write the error file " << path << "\n";
}
}

std::string SiteFilePath(const std::string& resultFile)
{
    fs::path path(resultFile);
    const fs::path extension = path.extension();
    path.replace_extension();
    return path.string() + ".sites" + extension.string();
}

std::string ErrorFilePath(const std::string& resultFile)
{
    return resultFile + ".error";
}

int RunEngine(const std::vector<std::string>& arguments, std::ostream& errors)
{
    CommandLine line;
    try
    {
        line = ParseCommandLine(arguments);
    }
    catch (const EngineError& error)
    {
        errors << "cleavage: " << error.what() << "\n";
        return kExitUsage;
    }

    std::string resultFile;
    try
    {
        Run(line, resultFile);
        return 0;
    }
    catch (const std::exception& error)
    {
        // EngineError says what and where; anything else (memory, the system) is
        // reported with its own text rather than lost.
        const std::string message = dynamic_cast<const EngineError*>(&error)
                                        ? error.what()
                                        : std::string("internal error: ") + error.what();
        errors << "cleavage: " << message << "\n";
        WriteErrorFile(ErrorFilePath(resultFile.empty() ? line.parameterFile : resultFile), message, errors);
        if (!resultFile.empty())
            RemoveResult(resultFile, errors);
        return kExitFailure;
    }
}
}
