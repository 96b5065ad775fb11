#include <CTopicsContainer.h>
#include <EditorTopics.h>

#include <gtest/gtest.h>
#include <vector>

TEST(EditorTopicsTest, ContainerHoldsTheEightTopicsInTableOrder)
{
    CTopicsContainer topics;
    topics.LoadTopics(g_editorTopics);
    topics.LoadTopics(g_editorTopics);  // a second load replaces the first

    std::vector<UINT> ids;
    for (int i = 0; i < topics.GetCount(); ++i)
        ids.push_back(topics.GetAt(i).nID);
    EXPECT_EQ(std::vector<UINT>({8012, 8016, 8000, 8002, 8001, 8030, 8031, 8032}), ids);

    const CTopicItem* pTopic = topics.FindTopic(8031);
    ASSERT_NE(nullptr, pTopic);
    EXPECT_STREQ("Fragment weight", pTopic->lpszTitle);
    EXPECT_STREQ("Rank fragments by weight", pTopic->lpszText);
    EXPECT_EQ(nullptr, topics.FindTopic(8013));
}

TEST(EditorTopicsTest, LoadingStopsAtTheEndRow)
{
    const CTopicItem table[] = {{5, "Five", "Text five"}, {0, NULL, NULL}, {6, "Six", "Text six"}};
    CTopicsContainer topics;
    topics.LoadTopics(table);
    EXPECT_EQ(1, topics.GetCount());
    EXPECT_EQ(nullptr, topics.FindTopic(6));
}
