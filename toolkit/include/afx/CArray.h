// Growable array with MFC's interface.
#pragma once
#include "afx/CObject.h"
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() = default;

    INT_PTR GetSize() const { return (INT_PTR)m_data.size(); }
    INT_PTR GetCount() const { return (INT_PTR)m_data.size(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data.at(nIndex); }
    TYPE& GetAt(INT_PTR nIndex) { return m_data.at(nIndex); }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data.at(nIndex) = newElement; }
    const TYPE& operator[](INT_PTR nIndex) const { return m_data.at(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return m_data.at(nIndex); }

    INT_PTR Add(ARG_TYPE newElement)
    {
        m_data.push_back(TYPE(newElement));
        return GetUpperBound();
    }
    void Copy(const CArray& src) { m_data = src.m_data; }
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex > GetSize())
            m_data.resize(nIndex);
        m_data.insert(m_data.begin() + nIndex, nCount, TYPE(newElement));
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        ASSERT(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= GetSize());
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
            return;
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }
    void RemoveAll() { m_data.clear(); }

private:
    std::vector<TYPE> m_data;
};
