// The reagent library file of the scratch installation, read and written whole, and a
// record's bytes as the library holds them.
#pragma once
#include <CEnzymeDlg.h>
#include <CReagentLibrary.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

inline std::string BytesOf(CFile& file)
{
    std::string bytes((size_t)file.GetLength(), '\0');
    file.SeekToBegin();
    bytes.resize(file.Read(&bytes[0], (UINT)bytes.size()));
    return bytes;
}

inline std::string BytesOfRecord(IReagentRecord& record)
{
    CMemFile image;
    CPkArchive ar(&image, CPkArchive::store);
    record.SerializeReagent(ar);
    return BytesOf(image);
}

inline std::string ReadLibraryBytes()
{
    CFile file(CReagentLibrary::GetPath(), CFile::modeRead);
    return BytesOf(file);
}

inline void WriteLibraryBytes(const std::string& bytes)
{
    CFile(CReagentLibrary::GetPath(), CFile::modeCreate | CFile::modeWrite).Write(bytes.data(), (UINT)bytes.size());
}

// The names of the records the library's read loop delivers.
inline std::vector<CString> LibraryNames()
{
    CFile file;
    EXPECT_TRUE(CReagentLibrary::Open(file, CFile::modeRead));
    CEnzymeDlg holder;
    std::vector<CString> names;
    const int nRecords = CReagentLibrary::ReadRecords(file, holder, [&](IReagentRecord& record) {
        names.push_back(record.GetReagentName());
        return TRUE;
    });
    EXPECT_EQ((int)names.size(), nRecords);
    return names;
}
