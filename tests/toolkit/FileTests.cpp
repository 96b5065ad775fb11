#include "ExceptionCause.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <memory>

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

TEST(MemFileTest, GrowsAcrossManySmallWritesSeeksReadsZeroesGapsAndDetachesItsBytes)
{
    CMemFile mem(16);
    for (int i = 0; i < 1000; ++i)
        mem.Write(&i, sizeof(i));
    const auto intAt = [&](LONGLONG lOffset, UINT nFrom) {
        int nValue = -1;
        mem.Seek(lOffset, nFrom);
        return mem.Read(&nValue, sizeof(nValue)) == sizeof(nValue) ? nValue : -2;
    };
    // What an operation gives, then what is expected (-2: a read that got no int).
    const std::pair<LONGLONG, LONGLONG> cases[] = {
        {(LONGLONG)mem.GetLength(), 4000},
        {intAt(0, CFile::begin), 0},
        {intAt(-4, CFile::end), 999},
        {intAt(0, CFile::end), -2},  // at the end
        {CauseOf<CFileException>([&] { mem.Seek(-1, CFile::begin); }), CFileException::badSeek},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].second, cases[i].first) << "row " << i;

    // A write past the end zeroes the gap, where the dropped int 999 still lies in memory.
    mem.SetLength(3996);
    mem.Seek(4000, CFile::begin);
    mem.Write("z", 1);
    EXPECT_EQ(4001u, mem.GetLength());
    const std::unique_ptr<BYTE, void (*)(void*)> pBytes(mem.Detach(), &free);
    EXPECT_EQ(0u, mem.GetLength());
    EXPECT_EQ(500, reinterpret_cast<int*>(pBytes.get())[500]);
    EXPECT_EQ(0, memcmp(pBytes.get() + 3992, "\xE6\x03\0\0\0\0\0\0z", 9));
}
