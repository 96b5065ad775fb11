#include "ExceptionCause.h"
#include <libsrv.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// A memory file that remembers the size of every Write call.
class CWriteLog : public CMemFile
{
public:
    void Write(const void* lpBuf, UINT nCount) override
    {
        m_writes.push_back(nCount);
        CMemFile::Write(lpBuf, nCount);
    }
    std::vector<UINT> m_writes;
};
}

TEST(PkArchiveTest, WritesItsByteLayoutOneWritePerValueAndReadsItBack)
{
    CWriteLog file;
    int n = -2;
    CString str("Ab");
    CStringList lst;
    lst.AddTail("");
    lst.AddTail("xyz");
    CPkArchive(&file, CPkArchive::store)(n)(str)(lst);
    const std::string expected("\xFE\xFF\xFF\xFF" "\x02\x00\x00\x00" "Ab"
                               "\x02\x00\x00\x00" "\x00\x00\x00\x00" "\x03\x00\x00\x00" "xyz", 25);
    std::string bytes(expected.size() + 1, '\0');
    file.SeekToBegin();
    bytes.resize(file.Read(&bytes[0], (UINT)bytes.size()));
    EXPECT_EQ(expected, bytes);
    EXPECT_EQ((std::vector<UINT>{4, 6, 15}), file.m_writes);

    file.SeekToBegin();
    CPkArchive ar(&file, CPkArchive::load);
    ar(n)(str)(lst);  // a list is read by appending
    EXPECT_EQ(-2, n);
    EXPECT_STREQ("Ab", str);
    EXPECT_EQ(4, lst.GetCount());
    EXPECT_EQ(CArchiveException::endOfFile, CauseOf<CArchiveException>([&] { ar(n); }));
}

TEST(PkArchiveTest, ShortAndDamagedValuesThrowAndLeaveTheVariableAlone)
{
    const struct
    {
        std::string bytes;
        bool bList;
        int nCause;
    } cases[] = {
        {std::string("\x01\x00", 2), false, CArchiveException::endOfFile},                // half a length
        {std::string("\x05\x00\x00\x00" "abc", 7), false, CArchiveException::endOfFile},  // past the end
        {std::string("\xF0\xFF\xFF\x7F" "abc", 7), false, CArchiveException::endOfFile},  // 2 GB claimed
        {std::string("\xFF\xFF\xFF\xFF" "abc", 7), false, CArchiveException::badIndex},   // negative
        {std::string("\x03\x00\x00\x00" "\x00\x00\x00\x00" "\x00\x00\x00\x00", 12), true,
         CArchiveException::endOfFile},  // 3 strings cannot fit in 8 bytes
        {std::string("\x00\x00\x00\x80", 4), true, CArchiveException::badIndex},  // negative count
    };
    for (const auto& c : cases)
    {
        CMemFile file;
        file.Write(c.bytes.data(), (UINT)c.bytes.size());
        file.SeekToBegin();
        CPkArchive ar(&file, CPkArchive::load);
        CString str("untouched");
        CStringList lst;
        EXPECT_EQ(c.nCause, CauseOf<CArchiveException>([&] { c.bList ? ar(lst) : ar(str); }))
            << c.bytes.size() << " bytes";
        EXPECT_STREQ("untouched", str);
        EXPECT_TRUE(lst.IsEmpty());
    }
}
