#include "FastaReader.h"
#include "EngineError.h"
#include "Residues.h"

namespace cleavage
{
FastaReader::FastaReader(const std::string& path) : m_path(path), m_in(path, std::ios::binary)
{
    if (!m_in)
        throw EngineError(path + ": cannot open the FASTA file");
}

std::string FastaReader::Where() const
{
    return m_path + ", line " + std::to_string(m_line);
}

bool FastaReader::Next(FastaRecord& record)
{
    std::string line;
    while (m_pendingHeader.empty())
    {
        if (!std::getline(m_in, line))
        {
            if (m_in.bad())
                throw EngineError(Where() + ": cannot read the FASTA file");
            return false;
        }
        ++m_line;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (line[0] != '>')
            throw EngineError(Where() + ": residues before the first '>' header");
        m_pendingHeader = line;
        m_headerLine = m_line;
    }

    const int headerLine = m_headerLine;
    const std::size_t nameEnd = m_pendingHeader.find_first_of(" \t", 1);
    record.name = m_pendingHeader.substr(1, nameEnd == std::string::npos ? std::string::npos : nameEnd - 1);
    if (record.name.empty())
        throw EngineError(m_path + ", line " + std::to_string(headerLine) + ": a record without a name");
    m_pendingHeader.clear();
    record.sequence.clear();
    while (std::getline(m_in, line))
    {
        ++m_line;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '>')
        {
            m_pendingHeader = line;
            m_headerLine = m_line;
            break;
        }
        record.sequence += NormaliseSequence(line, Where());
    }
    if (m_in.bad())
        throw EngineError(Where() + ": cannot read the FASTA file");
    if (record.sequence.empty())
        throw EngineError(m_path + ", line " + std::to_string(headerLine) + ": record '" + record.name +
                          "' has no residues");
    return true;
}
}
