// Reagents made for tests, and a scratch installation with an AM folder whose library
// file the tests write and inspect.
#pragma once
#include "MemPatternTable.h"
#include "ScratchFolder.h"
#include <CEnzymeDlg.h>
#include <CReagentLibrary.h>

#include <gtest/gtest.h>
#include <string>

// A reagent whose fields derive from its name and number of cells.
inline void MakeReagent(CEnzymeDlg& reagent, LPCSTR lpszName, int nCells = 3)
{
    reagent.m_strName = lpszName;
    reagent.m_recognition.m_nBegin = -1;
    reagent.m_recognition.m_nCount = 3;
    for (int i = 0; i < nCells; ++i)
        reagent.m_recognition.m_lstCells.AddTail(CString(lpszName) + (char)('a' + i));
}

inline std::string BytesOf(CFile& file)
{
    std::string bytes((size_t)file.GetLength(), '\0');
    file.SeekToBegin();
    bytes.resize(file.Read(&bytes[0], (UINT)bytes.size()));
    return bytes;
}

// The record's bytes as the library holds them.
inline std::string BytesOfRecord(IReagentRecord& record)
{
    CMemFile image;
    CPkArchive ar(&image, CPkArchive::store);
    record.SerializeReagent(ar);
    return BytesOf(image);
}

// The bytes of MakeReagent's reagents with these names, one after the other.
inline std::string Encode(const Texts& names)
{
    std::string bytes;
    for (const CString& strName : names)
    {
        CEnzymeDlg reagent;
        MakeReagent(reagent, strName);
        bytes += BytesOfRecord(reagent);
    }
    return bytes;
}

class ReagentLibraryTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(CreateDirectoryA(m_scratch.PathOf("AM"), NULL)); }

    static void WriteBytes(const std::string& bytes)
    {
        CFile(CReagentLibrary::GetPath(), CFile::modeCreate | CFile::modeWrite).Write(bytes.data(), (UINT)bytes.size());
    }

    static std::string ReadBytes()
    {
        CFile file(CReagentLibrary::GetPath(), CFile::modeRead);
        return BytesOf(file);
    }

    // The names of the records the read loop delivers.
    static Texts ReadNames()
    {
        CFile file;
        EXPECT_TRUE(CReagentLibrary::Open(file, CFile::modeRead));
        CEnzymeDlg holder;
        Texts names;
        const int nRecords = CReagentLibrary::ReadRecords(file, holder, [&](IReagentRecord& record) {
            names.push_back(record.GetReagentName().GetString());
            return TRUE;
        });
        EXPECT_EQ((int)names.size(), nRecords);
        return names;
    }

    ScratchFolder m_scratch;
};
