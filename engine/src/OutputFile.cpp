#include "OutputFile.h"
#include "EngineError.h"

#include <filesystem>

namespace cleavage
{
namespace fs = std::filesystem;

std::string PartPath(const std::string& path)
{
    return path + ".part";
}

OutputFile::OutputFile(const std::string& path)
    : m_shownPath(Printable(path)), m_partPath(PartPath(path)), m_path(path)
{
    m_out.open(m_partPath, std::ios::binary | std::ios::trunc);
    if (!m_out)
        throw EngineError(m_shownPath + ": cannot create the file: " + SystemReason());
}

OutputFile::~OutputFile()
{
    if (m_out.is_open())
        m_out.close();
    // A failure is reported by the run's clean-up, which removes it again.
    std::error_code ignored;
    if (!m_committed)
        fs::remove(m_partPath, ignored);
}

void OutputFile::Close()
{
    m_out.close();
    if (!m_out)
        throw EngineError(m_shownPath + ": cannot write the file: " + SystemReason());
}

void OutputFile::Commit()
{
    std::error_code error;
    fs::rename(m_partPath, m_path, error);
    if (error)
        throw EngineError(m_shownPath + ": cannot rename the finished file into place: " + error.message());
    m_committed = true;
}
}
