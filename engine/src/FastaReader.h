// Reads a FASTA file one record at a time, so that a batch never holds more than the
// records it is working on. The one reader of FASTA files: the engine and the workbench
// accept the same files (engine/ParameterFile.md, "FASTA files").
#pragma once
#include "LineReader.h"

#include <string>

namespace cleavage
{
struct FastaRecord
{
    std::string name;     // the header's first word
    std::string sequence; // residues, upper case, blanks and a final '*' removed
    int line = 0;         // the header's line
};

// The records of a FASTA file, counted by their header lines without reading them.
// Throws EngineError when the file cannot be opened or read.
std::size_t CountFastaRecords(const std::string& path);

class FastaReader
{
public:
    // Throws EngineError (a std::runtime_error) with the system's reason when the file
    // cannot be opened.
    explicit FastaReader(const std::string& path);

    // The next record, or false at the end of the file. Throws EngineError naming the
    // file and the line for a file without records, a record without a name or
    // residues, a character that is not a residue letter, residues after a record's
    // final '*' or before the first header, and a read error.
    bool Next(FastaRecord& record);

private:
    // The next line that is not a ';' comment; false at the end of the file.
    bool NextLine(std::string& line);
    std::string Where(int line) const;

    LineReader m_in;
    std::string m_pendingHeader; // the header line that ended the previous record
    int m_headerLine = 0;
    bool m_anyRecord = false;
};
}
