// A fresh, empty installation folder for one test: TESSARO_MAINDIR points at it while
// the object lives; the folder and everything in it are removed afterwards.
#pragma once
#include <afx.h>
#include <string>

class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const CString& GetPath() const { return m_strPath; }
    // Path of a file or folder inside the scratch folder.
    CString PathOf(LPCSTR lpszRelative) const;

private:
    CString m_strPath;
    CString m_strPreviousMainDir;
    bool m_bHadMainDir;
};

// Folder of the running test program (bin/), where the built programs and DLLs lie.
CString ProgramFolder();

// A file's bytes, read and written whole ("" for a file that cannot be read).
std::string ReadWholeFile(const CString& strPath);
void WriteWholeFile(const CString& strPath, const std::string& bytes);
