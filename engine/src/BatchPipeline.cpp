#include "BatchPipeline.h"
#include "EngineError.h"
#include "FastaReader.h"
#include "ProteinPipeline.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace cleavage
{
namespace
{
// A batch is analysed in chunks of about this many residues: small enough that the
// workers start at once and that a few chunks in flight hold little memory, large
// enough that a chunk's rows go to the file in one write.
constexpr std::size_t kChunkResidues = 1 << 16;
constexpr std::size_t kChunksInFlightPerThread = 2;

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
}

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
}
