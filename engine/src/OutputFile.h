// A file of the result that appears complete or not at all: written under a temporary
// name beside its own and renamed into place when the run has written every file.
#pragma once
#include <fstream>
#include <ostream>
#include <string>

namespace cleavage
{
// The temporary name a file of the result is written under.
std::string PartPath(const std::string& path);

class OutputFile
{
public:
    explicit OutputFile(const std::string& path);
    // Removes the temporary file unless it was committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::ostream& Stream() { return m_out; }

    // Closes the temporary file; the renames come after every file is closed.
    void Close();
    void Commit();

private:
    std::string m_shownPath; // as messages show it
    std::string m_partPath;
    std::string m_path;
    std::ofstream m_out;
    bool m_committed = false;
};
}
