#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>

namespace
{
void WriteText(const CString& strPath, LPCSTR lpszText)
{
    CFile file(strPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    file.Write(lpszText, lstrlenA(lpszText));
}

CString ReadText(const CString& strPath)
{
    CFile file(strPath, CFile::modeRead | CFile::shareDenyWrite);
    CString strText;
    const UINT nLength = (UINT)file.GetLength();
    const UINT nRead = file.Read(strText.GetBuffer(nLength), nLength);
    strText.ReleaseBuffer(nRead);
    return strText;
}
}

TEST(FileTest, WriteSeekReadRoundTrip)
{
    ScratchFolder scratch;
    const CString strPath = scratch.PathOf("data.bin");
    {
        CFile file(strPath, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive);
        file.Write("0123456789", 10);
        EXPECT_EQ(10u, file.GetLength());
        EXPECT_EQ(4u, file.Seek(4, CFile::begin));
        char sz[4] = "";
        EXPECT_EQ(3u, file.Read(sz, 3));
        EXPECT_STREQ("456", sz);
        EXPECT_EQ(9u, file.Seek(-1, CFile::end));
        EXPECT_EQ(1u, file.Read(sz, 3));
        EXPECT_EQ(0u, file.Read(sz, 3));
        file.SetLength(5);
        file.Close();
        EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    }
    EXPECT_STREQ("01234", ReadText(strPath));
}

TEST(FileTest, CreateTruncatesUnlessNoTruncate)
{
    ScratchFolder scratch;
    const CString strPath = scratch.PathOf("keep.txt");
    WriteText(strPath, "library");
    {
        CFile file(strPath, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        file.SeekToEnd();
        file.Write("+", 1);
    }
    EXPECT_STREQ("library+", ReadText(strPath));
    WriteText(strPath, "new");
    EXPECT_STREQ("new", ReadText(strPath));
}

TEST(FileTest, ExclusiveShareRefusesASecondOpener)
{
    ScratchFolder scratch;
    const CString strPath = scratch.PathOf("Enzymes.dat");
    WriteText(strPath, "x");

    CFile holder(strPath, CFile::modeRead | CFile::shareExclusive);
    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open(strPath, CFile::modeRead | CFile::shareExclusive, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    EXPECT_EQ(ERROR_SHARING_VIOLATION, error.m_lOsError);
    EXPECT_FALSE(second.Open(strPath, CFile::modeRead | CFile::shareDenyNone));

    holder.Close();
    EXPECT_TRUE(second.Open(strPath, CFile::modeRead | CFile::shareExclusive));
}

TEST(FileTest, DenyWriteAdmitsReadersOnly)
{
    ScratchFolder scratch;
    const CString strPath = scratch.PathOf("shared.dat");
    WriteText(strPath, "x");

    CFile reader(strPath, CFile::modeRead | CFile::shareDenyWrite);
    CFile secondReader;
    EXPECT_TRUE(secondReader.Open(strPath, CFile::modeRead | CFile::shareDenyWrite));
    CFile writer;
    EXPECT_FALSE(writer.Open(strPath, CFile::modeWrite | CFile::shareDenyNone));
}

TEST(MemFileTest, GrowsAcrossManySmallWritesAndDetachesItsBytes)
{
    CMemFile mem(16);
    for (int i = 0; i < 1000; ++i)
    {
        const int nValue = i;
        mem.Write(&nValue, sizeof(nValue));
    }
    EXPECT_EQ(4000u, mem.GetLength());

    mem.SeekToBegin();
    int nFirst = -1;
    EXPECT_EQ(sizeof(int), mem.Read(&nFirst, sizeof(int)));
    EXPECT_EQ(0, nFirst);
    mem.Seek(-4, CFile::end);
    int nLast = -1;
    EXPECT_EQ(sizeof(int), mem.Read(&nLast, sizeof(int)));
    EXPECT_EQ(999, nLast);
    EXPECT_EQ(0u, mem.Read(&nLast, sizeof(int)));

    const UINT nLength = (UINT)mem.GetLength();
    BYTE* pBytes = mem.Detach();
    ASSERT_NE(nullptr, pBytes);
    EXPECT_EQ(500, reinterpret_cast<int*>(pBytes)[500]);
    EXPECT_EQ(4000u, nLength);
    EXPECT_EQ(0u, mem.GetLength());
    free(pBytes);
}

TEST(MemFileTest, WritingPastTheEndAfterSeekZeroesTheGap)
{
    CMemFile mem;
    mem.Write("ab", 2);
    mem.Seek(6, CFile::begin);
    mem.Write("z", 1);
    ASSERT_EQ(7u, mem.GetLength());
    BYTE* pBytes = mem.Detach();
    EXPECT_EQ(0, memcmp(pBytes, "ab\0\0\0\0z", 7));
    free(pBytes);
}

TEST(MemFileTest, SeekBeforeTheStartThrows)
{
    CMemFile mem;
    bool bThrown = false;
    try
    {
        mem.Seek(-1, CFile::begin);
    }
    catch (CFileException* e)
    {
        bThrown = true;
        EXPECT_EQ(CFileException::badSeek, e->m_cause);
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}
