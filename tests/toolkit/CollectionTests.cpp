#include <afx.h>
#include "ListContents.h"
#include <functional>
#include <gtest/gtest.h>

namespace
{
typedef std::vector<CString> Texts;

// An edit of a container, then its contents from the first element to the last.
typedef std::pair<std::function<void()>, Texts> Step;
}

TEST(CStringListTest, EachEditKeepsOrderDuplicatesCountEndsAndBothDirectionsLinked)
{
    CStringList list, source;
    POSITION posA = NULL, posB = NULL, posC = NULL;
    source.AddTail("a");
    source.AddTail("b");
    const Step steps[] = {
        {[&] { posA = list.AddTail("A"), posB = list.AddTail("B"), posC = list.AddTail("C"); }, {"A", "B", "C"}},
        {[&] { list.AddHead("A"); }, {"A", "A", "B", "C"}},  // a duplicate
        {[&] { list.RemoveAt(posB); }, {"A", "A", "C"}},
        {[&] { list.InsertAfter(posA, "A2"); }, {"A", "A", "A2", "C"}},
        {[&] { list.InsertBefore(posA, "A0"); }, {"A", "A0", "A", "A2", "C"}},
        {[&] { list.RemoveAt(posC); }, {"A", "A0", "A", "A2"}},                // the tail
        {[&] { list.InsertAfter(NULL, "Z"); }, {"A", "A0", "A", "A2", "Z"}},   // null: at the tail
        {[&] { list.InsertBefore(NULL, "0"); }, {"0", "A", "A0", "A", "A2", "Z"}},  // null: at the head
        {[&] { EXPECT_STREQ("0", list.RemoveHead()); }, {"A", "A0", "A", "A2", "Z"}},
        {[&] { EXPECT_STREQ("Z", list.RemoveTail()); }, {"A", "A0", "A", "A2"}},
        {[&] { list.RemoveAll(); }, {}},
        {[&] { list.AddTail("again"); }, {"again"}},                           // linked anew
        {[&] { list.AddTail(&source), source.GetHead() = "changed"; }, {"again", "a", "b"}},  // copies
    };
    for (const Step& step : steps)
    {
        step.first();
        Texts backwards;
        for (POSITION pos = list.GetTailPosition(); pos != NULL;)
            backwards.insert(backwards.begin(), list.GetPrev(pos));
        EXPECT_EQ(step.second, ListContents(list));
        EXPECT_EQ(step.second, backwards);
        EXPECT_EQ((INT_PTR)step.second.size(), list.GetCount()) << testing::PrintToString(step.second);
        EXPECT_EQ(step.second.empty() ? CString() : step.second.front() + step.second.back(),
                  list.IsEmpty() ? CString() : list.GetHead() + list.GetTail());
    }
}

TEST(CStringListTest, RemovedNodesAreReusedAndBlocksKeepTheirElements)
{
    // Blocks of two nodes; strings too long to live inside a node.
    CStringList list(2);
    const CString strLong('x', 40);
    POSITION pos[5];
    for (int i = 0; i < 5; ++i)
        pos[i] = list.AddTail(strLong + (char)('0' + i));
    list.RemoveAt(pos[1]);
    list.RemoveAt(pos[3]);
    // The last node freed is the first reused.
    EXPECT_EQ(pos[3], list.AddHead("new"));
    EXPECT_EQ(pos[1], list.AddTail("new2"));
    EXPECT_EQ(Texts({"new", strLong + '0', strLong + '2', strLong + '4', "new2"}), ListContents(list));
    for (int i = 0; i < 4; ++i)
        list.RemoveHead();
    EXPECT_EQ(Texts({"new2"}), ListContents(list));
    list.RemoveTail();
    EXPECT_TRUE(list.IsEmpty());
    list.AddTail("after");
    EXPECT_EQ(Texts({"after"}), ListContents(list));
}

TEST(CStringListTest, FindAndFindIndex)
{
    CStringList list;
    list.AddTail("x");
    const POSITION posSecond = list.AddTail("y");
    const POSITION posThird = list.AddTail("y");
    // What a search gives, then the position expected.
    const std::pair<POSITION, POSITION> cases[] = {
        {list.Find("y"), posSecond},
        {list.Find("y", posSecond), posThird},  // after a position
        {list.Find("y", posThird), NULL},
        {list.FindIndex(2), posThird},
        {list.FindIndex(3), NULL},              // past the end
        {list.FindIndex(-1), NULL},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].second, cases[i].first) << "row " << i;
}

namespace
{
// An element that counts its instances: what a list destroys shows in the count.
struct Counted
{
    static int nAlive;
    Counted() { ++nAlive; }
    Counted(const Counted&) { ++nAlive; }
    ~Counted() { --nAlive; }
};
int Counted::nAlive = 0;
}

TEST(CListTest, RemovedElementsAreDestroyed)
{
    {
        CList<Counted> list(2);  // blocks of two nodes: the elements lie in several
        POSITION posSecond = NULL;
        const std::pair<std::function<void()>, int> steps[] = {
            // three added: 3
            {[&] { list.AddTail(Counted()), posSecond = list.AddTail(Counted()), list.AddTail(Counted()); }, 3},
            {[&] { list.RemoveAt(posSecond); }, 2},                    // RemoveAt: 2
            {[&] { list.RemoveHead(), list.AddTail(Counted()); }, 2},  // RemoveHead and one added: 2
            {[&] { list.RemoveAll(); }, 0},                            // RemoveAll: 0
            {[&] { list.AddTail(Counted()), list.AddHead(Counted()); }, 2},  // two added, for the destruction: 2
        };
        for (size_t i = 0; i < sizeof(steps) / sizeof(steps[0]); ++i)
        {
            steps[i].first();
            EXPECT_EQ(steps[i].second, Counted::nAlive) << "step " << i;
        }
    }
    EXPECT_EQ(0, Counted::nAlive);
}

TEST(CArrayTest, InsertRemoveAndSetShiftAndReplaceElements)
{
    CStringArray names;
    const Step steps[] = {
        {[&] { names.Add("b"); }, {"b"}},
        {[&] { names.InsertAt(0, "a"); }, {"a", "b"}},
        {[&] { names.InsertAt(2, "d"); }, {"a", "b", "d"}},  // at the end
        {[&] { names.InsertAt(2, "c"); }, {"a", "b", "c", "d"}},
        {[&] { names.RemoveAt(1, 2); }, {"a", "d"}},
        {[&] { names.SetAt(1, "e"); }, {"a", "e"}},
    };
    for (const Step& step : steps)
    {
        step.first();
        EXPECT_EQ(step.second, Texts(&names.GetAt(0), &names[0] + names.GetSize()));
    }
    CDWordArray edges;
    edges.Add(0), edges.Add(30), edges.Add(60);
    edges.SetAt(1, 45);
    EXPECT_EQ(45u, edges[1]);
    EXPECT_EQ(2, edges.GetUpperBound());
}
