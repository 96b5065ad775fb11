#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>

// Plain reading, writing, seeking and exclusive opening are the reagent library's daily
// work: its tests cover them.
TEST(FileTest, DenyWriteAdmitsReadersOnly)
{
    ScratchFolder scratch;
    const CString strPath = scratch.PathOf("shared.dat");
    CFile(strPath, CFile::modeCreate | CFile::modeWrite).Write("x", 1);

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
