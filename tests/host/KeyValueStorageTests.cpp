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
