#include <CKeyValueStorage.h>

#include <gtest/gtest.h>
#include <initializer_list>

namespace
{
void Fill(CStringList& list, std::initializer_list<LPCSTR> cells)
{
    for (LPCSTR lpszCell : cells)
        list.AddTail(lpszCell);
}

// A storage shaped as a settings record leaves it: an integer, a text and two lists.
CKeyValueStorage RecordShapedStorage(int n = 7, LPCSTR lpszName = "old", std::initializer_list<LPCSTR> cells = {"old"},
                                     std::initializer_list<LPCSTR> none = {"old"})
{
    CKeyValueStorage storage;
    storage.SetValue("n", n);
    storage.SetValue("name", CString(lpszName));
    CStringList lists[2];
    Fill(lists[0], cells);
    Fill(lists[1], none);
    storage.SetValues("list", lists[0]);
    storage.SetValues("none", lists[1]);
    return storage;
}
}

TEST(KeyValueStorageTest, GetsOnlyAValueOfItsTypeAndSettingReplacesValueAndType)
{
    CKeyValueStorage storage;
    storage.SetValue("n", 5);
    storage.SetValue("k", 1);
    storage.SetValue("k", CString("one"));
    // A missing key or one of another type leaves the out value.
    int nValue = -1;
    EXPECT_FALSE(storage.GetValue("missing", nValue));
    EXPECT_FALSE(storage.GetValue("k", nValue));
    EXPECT_EQ(-1, nValue);
    CString strValue("kept");
    EXPECT_FALSE(storage.GetValue("n", strValue));
    EXPECT_STREQ("kept", strValue);
    CStringList list;
    list.AddTail("kept");
    EXPECT_FALSE(storage.GetValues("n", list));
    EXPECT_EQ(1, list.GetCount());
    EXPECT_TRUE(storage.GetValue("k", strValue));
    EXPECT_STREQ("one", strValue);

    CStringList pair;
    Fill(pair, {"a", "a"});
    storage.SetValues("k", pair);
    EXPECT_TRUE(storage.GetValues("k", list));
    EXPECT_EQ(2, list.GetCount()) << "the list read replaces the old one";
    EXPECT_STREQ("a", list.GetTail());
}

TEST(KeyValueStorageTest, TextFormWritesEachKeyOnceAndEachCellOnItsLineAndReadsItBack)
{
    const CKeyValueStorage written =
        RecordShapedStorage(-2147483647 - 1, "a=b \\n", {"KR", "", "a\\b\nc\rd"}, {});
    EXPECT_STREQ("list=KR\n"
                 "list=\\e\n"
                 "list=a\\\\b\\nc\\rd\n"
                 "n=-2147483648\n"
                 "name=a=b \\n\n"
                 "none=\n",
                 written.ToText());
    CKeyValueStorage read = RecordShapedStorage();
    CString strError;
    // Comments, CR LF ends and keys the storage does not hold are read past.
    CString strText = "# saved settings\r\nextra=1\r\n" + written.ToText();
    ASSERT_TRUE(read.FromText(strText, strError)) << (LPCSTR)strError;
    EXPECT_STREQ(written.ToText(), read.ToText());
}

TEST(KeyValueStorageTest, DamagedTextFormNamesItsLineAndChangesNothing)
{
    const struct
    {
        LPCSTR lpszText;
        LPCSTR lpszError;
    } cases[] = {
        {"n=1\nname=x\nlist=a\nnone=\ngarbage\n", "line 5: not a line of the form key=value"},
        {"n=1x\nname=x\nlist=a\nnone=\n", "line 1: 'n' needs a whole number, not '1x'"},
        {"n=2147483648\nname=x\nlist=a\nnone=\n", "line 1: 'n' needs a whole number, not '2147483648'"},
        {"n=-\nname=x\nlist=a\nnone=\n", "line 1: 'n' needs a whole number, not '-'"},
        {"n=1\nn=2\nname=x\nlist=a\nnone=\n", "line 2: 'n' is given twice"},
        {"n=1\nname=x\nlist=a\\q\nnone=\n", "line 3: a backslash in a list cell starts"},
        {"n=1\nname=x\nlist=a\\\nnone=\n", "line 3: a backslash in a list cell starts"},
        {"n=1\nname=x\nlist=a\nlist=\nnone=\n", "line 4: an empty value stands only"},
        {"n=1\nname=x\nlist=\nlist=a\nnone=\n", "line 4: an empty value stands only"},
        {"n=1\nname=x\nlist=a\n", "the key 'none' is missing"},
    };
    for (const auto& damaged : cases)
    {
        CKeyValueStorage storage = RecordShapedStorage();
        const CString strBefore = storage.ToText();
        CString strError;
        EXPECT_FALSE(storage.FromText(damaged.lpszText, strError)) << damaged.lpszText;
        EXPECT_EQ(0, strError.Find(damaged.lpszError)) << (LPCSTR)strError;
        EXPECT_STREQ(strBefore, storage.ToText()) << damaged.lpszText;
    }
}
