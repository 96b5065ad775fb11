// Reads a FASTA file one record at a time, so that a batch never holds more than the
// records it is working on.
#pragma once
#include <fstream>
#include <string>

namespace cleavage
{
struct FastaRecord
{
    std::string name;     // the header's first word
    std::string sequence; // normalised residues
};

class FastaReader
{
public:
    explicit FastaReader(const std::string& path);
    // The next record, or false at the end of the file; a record without a name or
    // residues, or a character that is not a residue, throws naming file and line.
    bool Next(FastaRecord& record);

private:
    std::string Where() const;

    std::string m_path;
    std::ifstream m_in;
    std::string m_pendingHeader; // the header line that ended the previous record
    int m_headerLine = 0;
    int m_line = 0;
};
}
