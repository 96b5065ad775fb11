#include "ScratchFolder.h"
#include <MainDir.h>

#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include <shellapi.h>
#include <stdexcept>

namespace
{
void RemoveTree(const CString& strPath)
{
    // SHFileOperation wants a list ending in two zeros.
    CString strFrom = strPath + '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = strFrom.GetBuffer(strFrom.GetLength() + 1);
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}
}

ScratchFolder::ScratchFolder()
{
    char szTemp[MAX_PATH];
    const DWORD nLength = GetTempPathA(MAX_PATH, szTemp);
    if (nLength == 0 || nLength >= MAX_PATH)
        throw std::runtime_error("GetTempPathA failed");

    static unsigned s_nSerial = 0;
    for (;;)
    {
        m_strPath.Format("%scleavage-test-%lu-%u", szTemp, GetCurrentProcessId(), ++s_nSerial);
        if (CreateDirectoryA(m_strPath, NULL))
            break;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create the scratch folder");
    }

    char szPrevious[MAX_PATH];
    const DWORD nPrevious = GetEnvironmentVariableA(TESSARO_MAINDIR_VARIABLE, szPrevious, MAX_PATH);
    m_bHadMainDir = nPrevious > 0 && nPrevious < MAX_PATH;
    if (m_bHadMainDir)
        m_strPreviousMainDir = szPrevious;
    SetEnvironmentVariableA(TESSARO_MAINDIR_VARIABLE, m_strPath);
}

ScratchFolder::~ScratchFolder()
{
    SetEnvironmentVariableA(TESSARO_MAINDIR_VARIABLE, m_bHadMainDir ? (LPCSTR)m_strPreviousMainDir : NULL);
    RemoveTree(m_strPath);
}

CString ScratchFolder::PathOf(LPCSTR lpszRelative) const
{
    return m_strPath + "\\" + lpszRelative;
}

CString ProgramFolder()
{
    char szPath[MAX_PATH];
    const DWORD nLength = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath(szPath, (int)nLength);
    return strPath.Left(strPath.ReverseFind('\\'));
}

std::string ReadWholeFile(const CString& strPath)
{
    std::ifstream in((LPCSTR)strPath, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteWholeFile(const CString& strPath, const std::string& bytes)
{
    std::ofstream out((LPCSTR)strPath, std::ios::binary);
    out << bytes;
}
