// The help topics of a form's controls, looked up by control identifier.
#pragma once
#include "CTopicItem.h"
#include "TessaroDBApi.h"
#include <vector>

class TESSARODB_API CTopicsContainer
{
public:
    // Replaces the topics by the table's rows up to its end row. The rows are copied,
    // their texts are not: a topic table and its texts are static.
    void LoadTopics(const CTopicItem* pTopics);
    const CTopicItem* FindTopic(UINT nID) const;  // NULL when the control has none
    int GetCount() const;
    const CTopicItem& GetAt(int nIndex) const;

private:
    std::vector<CTopicItem> m_topics;
};
