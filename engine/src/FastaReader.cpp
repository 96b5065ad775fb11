#include "FastaReader.h"
#include "EngineError.h"
#include "Residues.h"

namespace cleavage
{
FastaReader::FastaReader(const std::string& path) : m_in(path, "FASTA file") {}

std::string FastaReader::Where(int line) const
{
    return m_in.ShownPath() + ", line " + std::to_string(line);
}

bool FastaReader::NextLine(std::string& line)
{
    while (m_in.Next(line))
    {
        if (line.empty() || line[0] != ';')
            return true;
    }
    return false;
}

bool FastaReader::Next(FastaRecord& record)
{
    std::string line;
    while (m_pendingHeader.empty())
    {
        if (!NextLine(line))
        {
            if (!m_anyRecord)
                throw EngineError(m_in.ShownPath() + ": not a FASTA file: it holds no record");
            return false;
        }
        if (line.empty())
            continue;
        if (line[0] != '>')
            throw EngineError(Where(m_in.LineNumber()) +
                              ": not a FASTA file: the first line that is not empty must start with '>'");
        m_pendingHeader = line;
        m_headerLine = m_in.LineNumber();
    }

    const int headerLine = m_headerLine;
    record.line = headerLine;
    const std::size_t nameEnd = m_pendingHeader.find_first_of(" \t", 1);
    record.name = m_pendingHeader.substr(1, nameEnd == std::string::npos ? std::string::npos : nameEnd - 1);
    if (record.name.empty())
        throw EngineError(Where(headerLine) + ": a record without a name");
    m_pendingHeader.clear();
    m_anyRecord = true;
    record.sequence.clear();
    int stopLine = 0; // the line whose '*' ended the record's residues
    while (NextLine(line))
    {
        if (!line.empty() && line[0] == '>')
        {
            m_pendingHeader = line;
            m_headerLine = m_in.LineNumber();
            break;
        }
        const std::size_t last = line.find_last_not_of(" \t");
        if (last == std::string::npos)
            continue;
        if (stopLine != 0)
            throw EngineError(Where(m_in.LineNumber()) + ": residues after the '*' that ended record '" +
                              Printable(record.name) + "' on line " + std::to_string(stopLine));
        if (IsPlainSequence(line))
            record.sequence += line;
        else
            record.sequence += NormaliseSequence(line, Where(m_in.LineNumber()));
        if (line[last] == '*')
            stopLine = m_in.LineNumber();
    }
    if (record.sequence.empty())
        throw EngineError(Where(headerLine) + ": the record '" + Printable(record.name) + "' has no residues");
    return true;
}

std::size_t CountFastaRecords(const std::string& path)
{
    LineReader in(path, "FASTA file");
    std::size_t records = 0;
    for (std::string line; in.Next(line);)
        records += !line.empty() && line[0] == '>';
    return records;
}
}
