#include <afx.h>
#include "ListContents.h"
#include <gtest/gtest.h>

namespace
{

std::vector<CString> ContentsBackwards(CStringList& list)
{
    std::vector<CString> items;
    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
        items.insert(items.begin(), list.GetPrev(pos));
    return items;
}
}

TEST(CStringListTest, AddingRemovingAndInsertingKeepsOrderDuplicatesAndBothDirectionsLinked)
{
    CStringList list;
    const POSITION posA = list.AddTail("A");
    const POSITION posB = list.AddTail("B");
    const POSITION posC = list.AddTail("C");
    list.AddHead("A");
    EXPECT_STREQ("C", list.GetTail());

    list.RemoveAt(posB);
    list.InsertAfter(posA, "A2");
    list.InsertBefore(posA, "A0");
    list.RemoveAt(posC);
    list.InsertAfter(NULL, "Z");   // null: at the tail
    list.InsertBefore(NULL, "0");  // null: at the head

    const std::vector<CString> expected = {"0", "A", "A0", "A", "A2", "Z"};
    EXPECT_EQ(expected, ListContents(list));
    EXPECT_EQ(expected, ContentsBackwards(list));
    EXPECT_STREQ("0", list.RemoveHead());
    EXPECT_STREQ("Z", list.RemoveTail());
    EXPECT_EQ(4, list.GetCount());
    EXPECT_STREQ("A", list.GetHead());
    EXPECT_STREQ("A2", list.GetTail());
}

TEST(CStringListTest, FindAndFindIndex)
{
    CStringList list;
    list.AddTail("x");
    const POSITION posSecond = list.AddTail("y");
    const POSITION posThird = list.AddTail("y");
    EXPECT_EQ(posSecond, list.Find("y"));
    EXPECT_EQ(posThird, list.Find("y", posSecond));
    EXPECT_EQ(nullptr, list.Find("y", posThird));
    EXPECT_EQ(posThird, list.FindIndex(2));
    EXPECT_EQ(nullptr, list.FindIndex(3));
    EXPECT_EQ(nullptr, list.FindIndex(-1));
}

TEST(CStringListTest, AppendingAListCopiesItsStrings)
{
    CStringList source;
    source.AddTail("a");
    source.AddTail("b");
    CStringList target;
    target.AddTail("first");
    target.AddTail(&source);
    source.GetHead() = "changed";
    const std::vector<CString> expected = {"first", "a", "b"};
    EXPECT_EQ(expected, ListContents(target));

    target.RemoveAll();
    EXPECT_TRUE(target.IsEmpty());
    EXPECT_EQ(nullptr, target.GetHeadPosition());
    target.AddTail("again");
    EXPECT_EQ(1, target.GetCount());
}

TEST(CArrayTest, InsertAndRemoveShiftElements)
{
    CStringArray names;
    names.Add("b");
    names.InsertAt(0, "a");
    names.InsertAt(2, "d");
    names.InsertAt(2, "c");
    ASSERT_EQ(4, names.GetSize());
    EXPECT_STREQ("a", names[0]);
    EXPECT_STREQ("c", names[2]);
    names.RemoveAt(1, 2);
    ASSERT_EQ(2, names.GetSize());
    EXPECT_STREQ("d", names.GetAt(1));

    CDWordArray edges;
    for (DWORD x : {0u, 30u, 60u})
        edges.Add(x);
    edges.SetAt(1, 45);
    EXPECT_EQ(45u, edges[1]);
    EXPECT_EQ(2, edges.GetUpperBound());
}
