#include <CKeyValueStorage.h>

#include <gtest/gtest.h>

TEST(KeyValueStorageTest, MissingOrOtherTypedKeyLeavesTheOutValue)
{
    CKeyValueStorage storage;
    storage.SetValue("n", 5);
    storage.SetValue("s", CString("text"));

    int nValue = -1;
    EXPECT_FALSE(storage.GetValue("missing", nValue));
    EXPECT_FALSE(storage.GetValue("s", nValue));
    EXPECT_EQ(-1, nValue);

    CString strValue("kept");
    EXPECT_FALSE(storage.GetValue("n", strValue));
    EXPECT_STREQ("kept", strValue);

    CStringList list;
    list.AddTail("kept");
    EXPECT_FALSE(storage.GetValues("n", list));
    EXPECT_EQ(1, list.GetCount());
}

TEST(KeyValueStorageTest, SettingAKeyReplacesItsValueAndType)
{
    CKeyValueStorage storage;
    storage.SetValue("k", 1);
    storage.SetValue("k", CString("one"));
    CString strValue;
    EXPECT_TRUE(storage.GetValue("k", strValue));
    EXPECT_STREQ("one", strValue);
    int nValue = 0;
    EXPECT_FALSE(storage.GetValue("k", nValue));

    CStringList lstOut;
    lstOut.AddTail("old");
    CStringList lstIn;
    lstIn.AddTail("a");
    lstIn.AddTail("a");
    storage.SetValues("k", lstIn);
    EXPECT_TRUE(storage.GetValues("k", lstOut));
    EXPECT_EQ(2, lstOut.GetCount());
    EXPECT_STREQ("a", lstOut.GetTail());
}

TEST(KeyValueStorageTest, TextFormWritesEachKeyOnceAndEachCellOnItsLine)
{
    CKeyValueStorage storage;
    storage.SetValue("n", -12);
    storage.SetValue("name", CString("Trypsin/P"));
    CStringList cells;
    cells.AddTail("KR");
    cells.AddTail("");
    cells.AddTail("a\\b\nc\rd");
    storage.SetValues("list", cells);
    storage.SetValues("none", CStringList());
    EXPECT_STREQ("list=KR\n"
                 "list=\\e\n"
                 "list=a\\\\b\\nc\\rd\n"
                 "n=-12\n"
                 "name=Trypsin/P\n"
                 "none=\n",
                 storage.ToText());
}

namespace
{
// A storage shaped as a settings record leaves it: an integer, a text and two lists.
CKeyValueStorage RecordShapedStorage()
{
    CKeyValueStorage storage;
    storage.SetValue("n", 7);
    storage.SetValue("name", CString("old"));
    CStringList cells;
    cells.AddTail("old");
    storage.SetValues("list", cells);
    storage.SetValues("none", cells);
    return storage;
}
}

TEST(KeyValueStorageTest, TextFormReadsBackWhatItWrote)
{
    CKeyValueStorage written;
    written.SetValue("n", -2147483647 - 1);
    written.SetValue("name", CString("a=b \\n"));
    CStringList cells;
    cells.AddTail("KR");
    cells.AddTail("");
    cells.AddTail("a\\b\nc\rd");
    written.SetValues("list", cells);
    written.SetValues("none", CStringList());

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
