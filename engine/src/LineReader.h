// A text file read line by line, as the engine's input files are written by any editor:
// lines end with LF, CR LF or a CR alone, and a UTF-8 byte-order mark at the start is
// not part of the first line.
#pragma once
#include <fstream>
#include <string>

namespace cleavage
{
class LineReader
{
public:
    // `kind` names the file in messages ("parameter file"); throws EngineError with the
    // system's reason when the file cannot be opened.
    LineReader(const std::string& path, const char* kind);

    // The next line without its line end, or false at the end of the file; throws
    // EngineError when the file cannot be read.
    bool Next(std::string& line);

    // The 1-based number of the line Next returned last.
    int LineNumber() const { return m_line; }
    // The path as messages show it (Printable).
    const std::string& ShownPath() const { return m_shownPath; }

private:
    std::string m_shownPath;
    const char* m_kind;
    std::ifstream m_in;
    int m_line = 0;
    // The rest of a stored line that held a CR alone: the lines after it.
    std::string m_pending;
    std::size_t m_pendingAt = std::string::npos;
};
}
