#include "CTopicsContainer.h"

#include <stdexcept>

void CTopicsContainer::LoadTopics(const CTopicItem* pTopics)
{
    if (pTopics == NULL)
        throw std::invalid_argument("LoadTopics needs a topic table");
    m_topics.clear();
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
    if (nIndex < 0 || nIndex >= GetCount())
        throw std::out_of_range("CTopicsContainer::GetAt");
    return m_topics[nIndex];
}
