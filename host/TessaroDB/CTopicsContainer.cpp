#include "CTopicsContainer.h"

void CTopicsContainer::LoadTopics(const CTopicItem* pTopics)
{
    ASSERT(pTopics != NULL);
    m_topics.clear();
    if (pTopics == NULL)
        return;
    for (const CTopicItem* pTopic = pTopics; pTopic->nID != 0; ++pTopic)
        m_topics.push_back(*pTopic);
}

const CTopicItem* CTopicsContainer::FindTopic(UINT nID) const
{
    for (const CTopicItem& topic : m_topics)
        if (topic.nID == nID)
            return &topic;
    return NULL;
}

int CTopicsContainer::GetCount() const
{
    return (int)m_topics.size();
}

const CTopicItem& CTopicsContainer::GetAt(int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex < GetCount());
    return m_topics.at(nIndex);
}
