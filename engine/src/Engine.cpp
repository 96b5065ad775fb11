#include "Engine.h"
#include "BatchLog.h"
#include "CleavageVersion.h"
#include "EngineError.h"
#include "FastaReader.h"
#include "FeatureKeys.h"
#include "FileIdentity.h"
#include "ParameterFile.h"
#include "FragmentTableWriter.h"
#include "MassList.h"
#include "MassMatcher.h"
#include "MatchTableWriter.h"
#include "ProteinPipeline.h"
#include "SiteTableWriter.h"
#include "Residues.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>

namespace cleavage
{
namespace
{
namespace fs = std::filesystem;

const char kUsage[] =
    "usage: cleavage <parameter file> [--fasta FILE] [--missed N] [--min-length N] [--max-length N] [--threads N]\n"
    "                [--max-rows N] [--max-bytes N] [--specificity full|semi] [--also-reagent NAME]...\n"
    "                [--fixed-mod NAME]... [--variable-mod NAME]... [--max-variable-mods N] [--charges A-B]\n"
    "                [--min-mass DA] [--max-mass DA] [--masses FILE] [--observed M|MH+|mz]\n"
    "                [--mass-type mono|average] [--tolerance 20ppm|0.5Da|0.1%] [--background P] [--progress]\n"
    "       Cleavage.exe /f \"<parameter file>\"";
const char kVersionLine[] = "cleavage " CLEAVAGE_VERSION_TEXT;
const char kParameterFileLine[] = "The parameter file is described in ParameterFile.md.";

const char kNarrowTheRun[] = "narrow it with --max-length N, --missed N or the best N fragments (analysis_fragments)";
// How often a batch asked for its progress tells it.
constexpr std::chrono::seconds kProgressInterval(1);
// The one option without a value: it sets its key to 1.
const char kProgressOption[] = "--progress";

// A command line the engine cannot read: exit code 2.
class UsageError : public EngineError
{
public:
    explicit UsageError(const std::string& mistake) : EngineError(mistake + "\n" + kUsage) {}
};

// A batch is analysed in chunks of about this many residues: small enough that the
// workers start at once and that a few chunks in flight hold little memory, large
// enough that a chunk's rows go to the file in one write.
constexpr std::size_t kChunkResidues = 1 << 16;
constexpr std::size_t kChunksInFlightPerThread = 2;

std::string PartPath(const std::string& path)
{
    return path + ".part";
}

// A table beside the fragment table: result.sites.tsv for result.tsv.
std::string TableBeside(const std::string& resultFile, const char* kind)
{
    fs::path path(resultFile);
    const fs::path extension = path.extension();
    path.replace_extension();
    return path.string() + kind + extension.string();
}

// A file that appears complete or not at all: written under a temporary name and
// renamed when done; removed if never committed.
class OutputFile
{
public:
    explicit OutputFile(const std::string& path)
        : m_shownPath(Printable(path)), m_partPath(PartPath(path)), m_path(path)
    {
        m_out.open(m_partPath, std::ios::binary | std::ios::trunc);
        if (!m_out)
            throw EngineError(m_shownPath + ": cannot create the file: " + SystemReason());
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
            throw EngineError(m_shownPath + ": cannot write the file: " + SystemReason());
    }
    void Commit()
    {
        std::error_code error;
        fs::rename(m_partPath, m_path, error);
        if (error)
            throw EngineError(m_shownPath + ": cannot rename the finished file into place: " + error.message());
        m_committed = true;
    }

private:
    std::string m_shownPath; // as messages show it
    std::string m_partPath;
    std::string m_path;
    std::ofstream m_out;
    bool m_committed = false;
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

// Command-line options win over the parameter file's keys of the same meaning (a list
// given there replaces the file's); the command line was checked when it was read.
void ApplyOptions(const CommandLine& line, Parameters& parameters)
{
    for (const auto& [option, value] : line.options)
        ClearFeatureList(parameters, KeyOfOption(option));
    for (const auto& [option, value] : line.options)
        SetBatchKey(parameters, KeyOfOption(option), value, "option " + option);
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

// The residues of each record a batch analyses, 1-based and inclusive; 0 and 0: all.
struct BatchRange
{
    std::size_t from = 0;
    std::size_t to = 0;
};

BatchRange BatchRangeOf(const Parameters& parameters)
{
    if (!parameters.rangeOnly || (parameters.rangeFrom == 0 && parameters.rangeTo == 0))
        return {};
    const std::string range = std::to_string(parameters.rangeFrom) + ".." + std::to_string(parameters.rangeTo);
    if (parameters.rangeFrom > parameters.rangeTo)
        throw EngineError(parameters.Where("analysis_from") + ": the range " + range + " is reversed");
    if (parameters.rangeFrom < 1)
        throw EngineError(parameters.Where("analysis_from") + ": the range " + range +
                          " starts before the first residue (1)");
    return {static_cast<std::size_t>(parameters.rangeFrom), static_cast<std::size_t>(parameters.rangeTo)};
}

// A record shorter than the range is left out: its warning, or nothing when it is analysed.
std::optional<std::string> LeftOut(const BatchRange& range, const std::string& fastaFile, const FastaRecord& record)
{
    if (record.sequence.size() >= range.to)
        return std::nullopt;
    return Printable(fastaFile) + ", line " + std::to_string(record.line) + ": the record '" +
           Printable(record.name) + "' has " + std::to_string(record.sequence.size()) +
           " residues, fewer than the range " + std::to_string(range.from) + ".." + std::to_string(range.to) +
           ": left out";
}

// One record of a batch, its range or the whole record.
TableSize ReportRecord(const Analysis& analysis, const BatchRange& range, const FastaRecord& record,
                       const TableSize& left, RowBuffer& fragments, RowBuffer& sites, const CandidateSink& candidates)
{
    const std::size_t size = record.sequence.size();
    return ReportProtein(analysis, record.name, record.sequence, range.to == 0 ? 1 : range.from,
                         range.to == 0 ? size : range.to, left, fragments, sites, candidates);
}

// The bounds on a run's fragment rows and on its fragment table's bytes. Each
// protein's rows and bytes are counted before they are written; once the run would
// pass a bound, the rest is only counted, for the message.
class TableBound
{
public:
    explicit TableBound(const TableLimits& limits)
        : m_maxRows(limits.rows), m_maxBytes(limits.bytes), m_rowsWhere(limits.rowsSource),
          m_bytesWhere(limits.bytesSource)
    {
    }

    // The rows and bytes the next protein may write.
    TableSize Left() const
    {
        if (Passed())
            return {0, 0};
        return {m_maxRows == 0 ? kNoTableBound.rows : m_maxRows - m_size.rows,
                m_maxBytes == 0 ? kNoTableBound.bytes : m_maxBytes - m_size.bytes};
    }
    void Add(const TableSize& size)
    {
        m_size.rows += size.rows;
        m_size.bytes = m_size.bytes > UINT64_MAX - size.bytes ? UINT64_MAX : m_size.bytes + size.bytes;
    }
    bool Passed() const { return RowsPassed() || (m_maxBytes != 0 && m_size.bytes > m_maxBytes); }

    std::string Message() const
    {
        if (RowsPassed())
            return "the run would write " + std::to_string(m_size.rows) + " fragment rows, more than the bound of " +
                   std::to_string(m_maxRows) + " (" + m_rowsWhere + "); " + kNarrowTheRun +
                   ", or set the bound with --max-rows N (max_rows; 0: no bound)";
        return "the run would write a fragment table of about " + SizeText(m_size.bytes) + ", more than the bound of " +
               std::to_string(m_maxBytes) + " bytes (" + SizeText(m_maxBytes) + "; " + m_bytesWhere + "); " +
               kNarrowTheRun + ", or set the bound with --max-bytes N (max_bytes; 0: no bound)";
    }

private:
    bool RowsPassed() const { return m_maxRows != 0 && m_size.rows > m_maxRows; }

    std::uint64_t m_maxRows;
    std::uint64_t m_maxBytes;
    std::string m_rowsWhere;
    std::string m_bytesWhere;
    TableSize m_size;
};

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

// Records of a batch that one worker analyses together, and their rows.
struct Chunk
{
    // The first recordCount records; the rest keep their room for the next reading.
    std::vector<FastaRecord> records;
    std::size_t recordCount = 0;
    std::exception_ptr readError; // the file failed after these records
    TableSize size;               // fragment rows and bytes, written or only counted
    RowBuffer fragments;
    RowBuffer sites;
    std::vector<std::string> leftOut; // the warnings of records left out, in input order
    std::size_t firstRecord = 0;      // the place of its first record in the file's order
    std::optional<MassMatcher> matcher; // the candidates of its records, when the run matches masses
    std::exception_ptr error;
    bool done = false;
};

// Reads records until the chunk is full; false once the file is at its end or fails.
bool ReadChunk(FastaReader& reader, Chunk& chunk)
{
    std::size_t residues = 0;
    try
    {
        while (residues < kChunkResidues)
        {
            if (chunk.recordCount == chunk.records.size())
                chunk.records.emplace_back();
            FastaRecord& record = chunk.records[chunk.recordCount];
            if (!reader.Next(record))
                return false;
            ++chunk.recordCount;
            residues += record.sequence.size();
        }
        return true;
    }
    catch (...)
    {
        chunk.readError = std::current_exception();
        return false;
    }
}

// A batch on several threads. Each worker reads the next chunk (one at a time, so that
// chunks queue in input order) and analyses it; this thread writes the chunks' rows in
// input order. Reading and writing overlap the analysis, and a few chunks are in
// flight at a time.
class BatchPipeline
{
public:
    BatchPipeline(const Analysis& analysis, const BatchRange& range, const std::string& fastaFile,
                  FastaReader& reader, const TableSize& left, unsigned threads, MassMatcher* matcher)
        : m_analysis(analysis), m_range(range), m_fastaFile(fastaFile), m_reader(reader), m_matcher(matcher),
          m_rowsLeft(left.rows),
          m_bytesLeft(left.bytes),
          m_inFlight(kChunksInFlightPerThread * threads)
    {
        try
        {
            for (unsigned t = 0; t < threads; ++t)
                m_workers.emplace_back([this] { Work(); });
        }
        catch (...)
        {
            Stop();
            throw;
        }
    }
    ~BatchPipeline() { Stop(); }
    BatchPipeline(const BatchPipeline&) = delete;
    BatchPipeline& operator=(const BatchPipeline&) = delete;

    void Write(TableBound& bound, RowBuffer& fragments, RowBuffer& sites, BatchLog& log)
    {
        for (std::unique_ptr<Chunk> oldest; (oldest = NextDone()) != nullptr;)
        {
            if (oldest->error)
                std::rethrow_exception(oldest->error);
            // A run that passes the bound fails: the rows of the chunk that passes it
            // and of the chunks after it are only counted.
            bound.Add(oldest->size);
            const TableSize left = bound.Left();
            m_rowsLeft = left.rows;
            m_bytesLeft = left.bytes;
            if (!bound.Passed())
            {
                fragments.Rows(oldest->fragments);
                sites.Rows(oldest->sites);
            }
            if (m_matcher)
                m_matcher->Merge(*oldest->matcher);
            for (const std::string& warning : oldest->leftOut)
                log.Warn(warning);
            log.Analysed(oldest->recordCount);
            if (oldest->readError)
                std::rethrow_exception(oldest->readError);
            std::lock_guard<std::mutex> lock(m_mutex);
            m_spare.push_back(std::move(oldest));
        }
    }

private:
    // Also when the run fails: each worker stops after the chunk it holds.
    void Stop()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_finished = true;
        }
        m_room.notify_all();
        for (std::thread& worker : m_workers)
            worker.join();
    }

    void Work()
    {
        for (;;)
        {
            std::unique_ptr<Chunk> owned;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_room.wait(lock, [this] { return m_finished || m_readDone || m_chunks.size() < m_inFlight; });
                if (m_finished || m_readDone)
                    return;
                owned = SpareChunk();
            }
            Chunk& chunk = *owned;
            {
                std::lock_guard<std::mutex> reading(m_readerMutex);
                if (m_readDone)
                    return;
                const bool more = ReadChunk(m_reader, chunk);
                chunk.firstRecord = m_recordsRead;
                m_recordsRead += chunk.recordCount;
                std::lock_guard<std::mutex> lock(m_mutex);
                m_readDone = !more;
                m_chunks.push_back(std::move(owned));
            }
            Analyse(chunk);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                chunk.done = true;
            }
            m_chunkDone.notify_one();
        }
    }

    // A record's rows are written only when they and their bytes are at most those left
    // when it starts: more than are left by the time its turn comes, so a record whose
    // rows would pass a bound writes none.
    void Analyse(Chunk& chunk) const
    {
        try
        {
            for (std::size_t i = 0; i < chunk.recordCount; ++i)
            {
                const FastaRecord& record = chunk.records[i];
                if (std::optional<std::string> warning = LeftOut(m_range, m_fastaFile, record))
                {
                    chunk.leftOut.push_back(std::move(*warning));
                    continue;
                }
                const TableSize size =
                    ReportRecord(m_analysis, m_range, record, {m_rowsLeft, m_bytesLeft}, chunk.fragments, chunk.sites,
                                 {chunk.matcher ? &*chunk.matcher : nullptr, chunk.firstRecord + i});
                chunk.size.rows += size.rows;
                chunk.size.bytes += size.bytes;
            }
        }
        catch (...)
        {
            chunk.error = std::current_exception();
        }
    }

    // A chunk written before, its records and row buffers emptied with their room
    // kept: growing fresh ones for every chunk costs more than the analysis. Called
    // with m_mutex held.
    std::unique_ptr<Chunk> SpareChunk()
    {
        if (m_spare.empty())
        {
            auto chunk = std::make_unique<Chunk>();
            if (m_matcher)
                chunk->matcher.emplace(m_matcher->Fork());
            return chunk;
        }
        std::unique_ptr<Chunk> chunk = std::move(m_spare.back());
        m_spare.pop_back();
        chunk->recordCount = 0;
        chunk->readError = nullptr;
        chunk->size = TableSize();
        chunk->error = nullptr;
        chunk->leftOut.clear();
        chunk->done = false;
        return chunk;
    }

    // The oldest chunk once analysed; null when every chunk is written.
    std::unique_ptr<Chunk> NextDone()
    {
        std::unique_ptr<Chunk> oldest;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_chunkDone.wait(lock, [this] { return m_chunks.empty() ? m_readDone : m_chunks.front()->done; });
            if (m_chunks.empty())
                return nullptr;
            oldest = std::move(m_chunks.front());
            m_chunks.pop_front();
        }
        m_room.notify_one();
        return oldest;
    }

    const Analysis& m_analysis;
    const BatchRange m_range;
    const std::string& m_fastaFile;
    FastaReader& m_reader;
    MassMatcher* m_matcher;   // the run's, which the chunks' candidates join in input order
    std::mutex m_readerMutex; // one worker reads at a time, and counts the records read
    std::size_t m_recordsRead = 0;
    std::atomic<std::uint64_t> m_rowsLeft; // as TableBound::Left says, when a chunk is written
    std::atomic<std::uint64_t> m_bytesLeft;
    const std::size_t m_inFlight;
    std::mutex m_mutex; // guards the members below
    std::condition_variable m_room;      // a chunk may be read, or the run stops
    std::condition_variable m_chunkDone; // a chunk is analysed, or the last is read
    std::deque<std::unique_ptr<Chunk>> m_chunks; // read and not yet written, in input order
    std::vector<std::unique_ptr<Chunk>> m_spare; // written, to be read into again
    bool m_readDone = false;                     // the file is read to its end or failed
    bool m_finished = false;
    std::vector<std::thread> m_workers;
};

void RunBatch(const Analysis& analysis, const BatchRange& range, const std::string& fastaFile, unsigned threads,
              TableBound& bound, RowBuffer& fragments, RowBuffer& sites, BatchLog& log, MassMatcher* matcher)
{
    FastaReader reader(fastaFile);
    if (threads > 1)
    {
        BatchPipeline(analysis, range, fastaFile, reader, bound.Left(), threads, matcher)
            .Write(bound, fragments, sites, log);
        return;
    }
    std::size_t index = 0;
    for (FastaRecord record; reader.Next(record); log.Analysed(1), ++index)
    {
        if (const std::optional<std::string> warning = LeftOut(range, fastaFile, record))
            log.Warn(*warning);
        else
            bound.Add(ReportRecord(analysis, range, record, bound.Left(), fragments, sites, {matcher, index}));
    }
}

// The files of one run: its inputs, which it never writes over or removes, and its
// result once known, beside which a failure is reported.
class RunFiles
{
public:
    void AddInput(const std::string& path, const char* kind)
    {
        if (!path.empty())
            m_inputs.push_back({path, kind, IdentityOf(path)});
    }
    void SetParameterFile(const std::string& path)
    {
        m_parameterFile = path;
        AddInput(path, "parameter file");
    }
    void SetResult(const std::string& path) { m_result = path; }
    const std::string& Result() const { return m_result; }

    // Refuses a result whose files, their temporary files or error file would be one
    // of the run's inputs, however the paths are spelt.
    void CheckOutputs() const
    {
        std::vector<std::string> outputs = ResultFiles();
        outputs.push_back(ErrorFile());
        for (const std::string& output : outputs)
            if (const Input* input = InputAt(output))
                throw EngineError(Printable(output) + ": the result would overwrite the " + input->kind + " " +
                                  Printable(input->path) + "; name another result_file");
    }

    // Removes the files of an earlier run, its error file and the temporary files an
    // interrupted run left, before this run writes anything.
    void RemoveEarlierResult() const
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

    // The failure report: no file of the result (earlier or part-written), the message
    // on `errors` and in the error file. Never touches an input.
    void ReportFailure(const std::string& message, std::ostream& errors) const
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
            errors << "cleavage: " << Printable(errorFile) << ": cannot write the error file: " << SystemReason()
                   << "\n";
    }

private:
    struct Input
    {
        std::string path;
        const char* kind;
        FileIdentity identity;
    };

    // The tables, the warning file and their temporary files; none before the result
    // is known.
    std::vector<std::string> ResultFiles() const
    {
        if (m_result.empty())
            return {};
        std::vector<std::string> files = {m_result, SiteFilePath(m_result), WarningFilePath(m_result),
                                          MatchFilePath(m_result), CoverageFilePath(m_result)};
        for (std::size_t i = 0, count = files.size(); i < count; ++i)
            files.push_back(PartPath(files[i]));
        return files;
    }
    std::string ErrorFile() const
    {
        return ErrorFilePath(m_result.empty() ? m_parameterFile : m_result);
    }
    const Input* InputAt(const std::string& path) const
    {
        const FileIdentity identity = IdentityOf(path);
        for (const Input& input : m_inputs)
            if (input.identity.SameFileAs(identity))
                return &input;
        return nullptr;
    }

    std::vector<Input> m_inputs;
    std::string m_parameterFile;
    std::string m_result;
};

// Alone on the command line, --version and --help (-h, /?) ask about the program rather
// than for a run: its text, or nothing for any other command line.
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
    parameters.fastaFile = BesideParameterFile(line.parameterFile, parameters.fastaFile);
    parameters.masses = BesideParameterFile(line.parameterFile, parameters.masses);
    ApplyOptions(line, parameters);
    files.AddInput(parameters.masses, "mass list");
    CheckLengths(parameters);
    CheckFeatureKeys(parameters);
    const BatchRange range = parameters.fastaFile.empty() ? BatchRange() : BatchRangeOf(parameters);
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
    BatchLog log(errors, analysis.progress ? CountFastaRecords(parameters.fastaFile) : 0,
                 analysis.progress ? std::optional<BatchLog::Clock::duration>(kProgressInterval) : std::nullopt);
    if (analysis.batch)
        RunBatch(analysis, range, parameters.fastaFile, analysis.threads, bound, fragmentRows, siteRows, log,
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


std::string SizeText(std::uint64_t bytes)
{
    if (bytes < 1000)
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    const char* const units[] = {"kB", "MB", "GB", "TB", "PB", "EB"};
    std::uint64_t unit = 1000;
    for (std::size_t i = 0;; ++i, unit *= 1000)
    {
        // Tenths of the unit, rounded half up; a size that rounds to 1000.0 takes the next unit.
        const std::uint64_t tenth = unit / 10;
        const std::uint64_t tenths = bytes / tenth + (bytes % tenth >= tenth / 2 ? 1 : 0);
        if (tenths < 10000 || i + 1 == std::size(units))
            return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " " + units[i];
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
