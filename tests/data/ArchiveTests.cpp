#include <libsrv.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// A memory file that remembers the size of every Write call it gets.
class CWriteLog : public CMemFile
{
public:
    void Write(const void* lpBuf, UINT nCount) override
    {
        m_writes.push_back(nCount);
        CMemFile::Write(lpBuf, nCount);
    }
    std::string Contents()
    {
        std::string bytes((size_t)GetLength(), '\0');
        SeekToBegin();
        Read(&bytes[0], (UINT)bytes.size());
        return bytes;
    }

    std::vector<UINT> m_writes;
};

void LoadBytes(CMemFile& file, const std::string& bytes)
{
    file.Write(bytes.data(), (UINT)bytes.size());
    file.SeekToBegin();
}

// Runs the read and returns the archive exception's cause, or -1 when nothing was thrown.
template <class Read>
int CauseOf(Read read)
{
    try
    {
        read();
    }
    catch (CArchiveException* pException)
    {
        const int nCause = pException->m_cause;
        pException->Delete();
        return nCause;
    }
    return -1;
}
}

TEST(PkArchiveTest, WritesTheDocumentedBytesOneWritePerValue)
{
    CWriteLog file;
    CPkArchive ar(&file, CPkArchive::store);
    EXPECT_FALSE(ar.IsLoading());
    int n = -2;
    CString str("Ab");
    CStringList lst;
    lst.AddTail("");
    lst.AddTail("xyz");
    ar(n)(str)(lst);

    const std::string expected("\xFE\xFF\xFF\xFF"
                               "\x02\x00\x00\x00"
                               "Ab"
                               "\x02\x00\x00\x00"
                               "\x00\x00\x00\x00"
                               "\x03\x00\x00\x00"
                               "xyz",
                               4 + 4 + 2 + 4 + 4 + 4 + 3);
    EXPECT_EQ(expected, file.Contents());
    EXPECT_EQ((std::vector<UINT>{4, 6, 15}), file.m_writes);
}

TEST(PkArchiveTest, ReadsBackWhatItWroteAppendingToLists)
{
    CMemFile file;
    {
        CPkArchive ar(&file, CPkArchive::store);
        int nMin = INT_MIN, nMax = INT_MAX;
        CString strEmpty, strBinary("a\xFF\x01z");
        CStringList lst;
        lst.AddTail("one");
        lst.AddTail("one");
        ar(nMin)(nMax)(strEmpty)(strBinary)(lst);
    }
    file.SeekToBegin();
    CPkArchive ar(&file, CPkArchive::load);
    EXPECT_TRUE(ar.IsLoading());
    int nMin = 0, nMax = 0;
    CString strEmpty("stale"), strBinary;
    CStringList lst;
    lst.AddTail("kept");
    ar(nMin)(nMax)(strEmpty)(strBinary)(lst);
    EXPECT_EQ(INT_MIN, nMin);
    EXPECT_EQ(INT_MAX, nMax);
    EXPECT_TRUE(strEmpty.IsEmpty());
    EXPECT_STREQ("a\xFF\x01z", strBinary);
    ASSERT_EQ(3, lst.GetCount());
    EXPECT_STREQ("kept", lst.GetHead());
    EXPECT_STREQ("one", lst.GetTail());

    EXPECT_EQ(CArchiveException::endOfFile, CauseOf([&] { ar(nMin); }));
}

TEST(PkArchiveTest, ShortAndDamagedValuesThrowAndLeaveTheVariableAlone)
{
    struct Case
    {
        const char* pszWhat;
        std::string bytes;
        int nCause;
    };
    const Case cases[] = {
        {"half an int", std::string("\x01\x00", 2), CArchiveException::endOfFile},
        {"string longer than the file", std::string("\x05\x00\x00\x00" "abc", 7), CArchiveException::endOfFile},
        {"string claiming 2 GB", std::string("\xF0\xFF\xFF\x7F" "abc", 7), CArchiveException::endOfFile},
        {"negative string length", std::string("\xFF\xFF\xFF\xFF" "abc", 7), CArchiveException::badIndex},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        CMemFile file;
        LoadBytes(file, c.bytes);
        CPkArchive ar(&file, CPkArchive::load);
        CString str("untouched");
        EXPECT_EQ(c.nCause, CauseOf([&] { ar(str); }));
        EXPECT_STREQ("untouched", str);
    }

    // A list whose count promises more strings than the bytes left can hold fails before
    // reading any of them; a negative count is damage.
    const Case lists[] = {
        {"count beyond the file", std::string("\x03\x00\x00\x00" "\x00\x00\x00\x00" "\x00\x00\x00\x00", 12),
         CArchiveException::endOfFile},
        {"negative count", std::string("\x00\x00\x00\x80", 4), CArchiveException::badIndex},
    };
    for (const Case& c : lists)
    {
        SCOPED_TRACE(c.pszWhat);
        CMemFile file;
        LoadBytes(file, c.bytes);
        CPkArchive ar(&file, CPkArchive::load);
        CStringList lst;
        EXPECT_EQ(c.nCause, CauseOf([&] { ar(lst); }));
        EXPECT_TRUE(lst.IsEmpty());
    }
}

TEST(PkArchiveTest, RefusesAMissingFileOrAnUnknownMode)
{
    CMemFile file;
    EXPECT_EQ(CArchiveException::genericException, CauseOf([&] { CPkArchive ar(NULL, CPkArchive::load); }));
    EXPECT_EQ(CArchiveException::genericException, CauseOf([&] { CPkArchive ar(&file, 2); }));
}

TEST(PkRttiLinkTest, ALinkIsFoundByNameWhileItLives)
{
    EXPECT_EQ(nullptr, PK_RTTI_LINK::Find("TestRecord"));
    {
        PK_RTTI_LINK outer("TestRecord", RUNTIME_CLASS(CObject), NULL, NULL, NULL);
        EXPECT_EQ(&outer, PK_RTTI_LINK::Find("TestRecord"));
        EXPECT_EQ(nullptr, PK_RTTI_LINK::Find("testrecord"));
        {
            PK_RTTI_LINK inner("TestRecord", RUNTIME_CLASS(CObject), NULL, NULL, "CObject");
            EXPECT_EQ(&inner, PK_RTTI_LINK::Find("TestRecord"));
        }
        EXPECT_EQ(&outer, PK_RTTI_LINK::Find("TestRecord"));
    }
    EXPECT_EQ(nullptr, PK_RTTI_LINK::Find("TestRecord"));
}
