// Ordered, doubly linked list with MFC's POSITION iteration; duplicates allowed.
#pragma once
#include "afx/CObject.h"
#include <new>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
public:
    // Nodes are carved from blocks of nBlockSize, as MFC's lists do: a list of many short
    // strings costs one heap call per block rather than one per element.
    explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 1) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return m_pNodeHead->data; }
    const TYPE& GetHead() const { return m_pNodeHead->data; }
    TYPE& GetTail() { return m_pNodeTail->data; }
    const TYPE& GetTail() const { return m_pNodeTail->data; }

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(GetHeadPosition(), newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(GetTailPosition(), newElement); }
    void AddTail(const CList* pNewList)
    {
        for (POSITION pos = pNewList->GetHeadPosition(); pos != NULL;)
            AddTail(pNewList->GetNext(pos));
    }

    TYPE RemoveHead()
    {
        TYPE value = m_pNodeHead->data;
        RemoveAt(GetHeadPosition());
        return value;
    }
    TYPE RemoveTail()
    {
        TYPE value = m_pNodeTail->data;
        RemoveAt(GetTailPosition());
        return value;
    }
    void RemoveAll()
    {
        for (CNode* pNode = m_pNodeHead; pNode; pNode = pNode->pNext)
            pNode->data.~TYPE();
        while (m_pBlocks)
        {
            CBlock* pNext = m_pBlocks->pNext;
            ::operator delete(m_pBlocks);
            m_pBlocks = pNext;
        }
        m_pNodeHead = m_pNodeTail = m_pNodeFree = nullptr;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        const CNode* pNode = (const CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }
    TYPE& GetAt(POSITION position) { return ((CNode*)position)->data; }
    const TYPE& GetAt(POSITION position) const { return ((const CNode*)position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { ((CNode*)pos)->data = newElement; }

    void RemoveAt(POSITION position)
    {
        CNode* pNode = (CNode*)position;
        (pNode->pPrev ? pNode->pPrev->pNext : m_pNodeHead) = pNode->pNext;
        (pNode->pNext ? pNode->pNext->pPrev : m_pNodeTail) = pNode->pPrev;
        pNode->data.~TYPE();
        pNode->pNext = m_pNodeFree;
        m_pNodeFree = pNode;
        if (--m_nCount == 0)
            RemoveAll();
    }

    // A null position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        CNode* pNext = position ? (CNode*)position : m_pNodeHead;
        CNode* pPrev = pNext ? pNext->pPrev : m_pNodeTail;
        return Link(pPrev, pNext, newElement);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        CNode* pPrev = position ? (CNode*)position : m_pNodeTail;
        CNode* pNext = pPrev ? pPrev->pNext : m_pNodeHead;
        return Link(pPrev, pNext, newElement);
    }

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const
    {
        CNode* pNode = startAfter ? ((CNode*)startAfter)->pNext : m_pNodeHead;
        for (; pNode; pNode = pNode->pNext)
            if (pNode->data == searchValue)
                return (POSITION)pNode;
        return NULL;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return NULL;
        CNode* pNode = m_pNodeHead;
        while (nIndex--)
            pNode = pNode->pNext;
        return (POSITION)pNode;
    }

private:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

    // A block: its link, then room for m_nBlockSize nodes.
    struct CBlock
    {
        CBlock* pNext;
    };
    static constexpr size_t kBlockHeader = (sizeof(CBlock) + alignof(CNode) - 1) / alignof(CNode) * alignof(CNode);

    CNode* NewNode()
    {
        if (m_pNodeFree == nullptr)
        {
            CBlock* pBlock = static_cast<CBlock*>(::operator new(kBlockHeader + (size_t)m_nBlockSize * sizeof(CNode)));
            pBlock->pNext = m_pBlocks;
            m_pBlocks = pBlock;
            CNode* pNodes = reinterpret_cast<CNode*>(reinterpret_cast<char*>(pBlock) + kBlockHeader);
            for (INT_PTR i = m_nBlockSize; i-- > 0;)
            {
                pNodes[i].pNext = m_pNodeFree;
                m_pNodeFree = &pNodes[i];
            }
        }
        CNode* pNode = m_pNodeFree;
        m_pNodeFree = pNode->pNext;
        return pNode;
    }

    POSITION Link(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
    {
        CNode* pNode = NewNode();
        // A copy that throws leaves the node free and the list as it was.
        try
        {
            ::new ((void*)&pNode->data) TYPE(newElement);
        }
        catch (...)
        {
            pNode->pNext = m_pNodeFree;
            m_pNodeFree = pNode;
            throw;
        }
        pNode->pNext = pNext;
        pNode->pPrev = pPrev;
        (pPrev ? pPrev->pNext : m_pNodeHead) = pNode;
        (pNext ? pNext->pPrev : m_pNodeTail) = pNode;
        ++m_nCount;
        return (POSITION)pNode;
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    CNode* m_pNodeFree = nullptr; // nodes of the blocks not in the list
    CBlock* m_pBlocks = nullptr;
    INT_PTR m_nCount = 0;
    INT_PTR m_nBlockSize;
};
