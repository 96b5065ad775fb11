// Temporary wrapper objects for handles that have no object of their own: made on first
// use, they refer to the handle without owning it, and live until DeleteAll (the
// toolkit's idle-time AfxDeleteTempMap).
#pragma once
#include <unordered_map>

template <class THandle, class TObject, THandle TObject::*pmHandle>
class CTempHandleMap
{
public:
    TObject* FromHandle(THandle hHandle)
    {
        if (hHandle == NULL)
            return NULL;
        TObject*& pObject = m_objects[hHandle];
        if (pObject == NULL)
        {
            pObject = new TObject;
            pObject->*pmHandle = hHandle;
        }
        return pObject;
    }

    void DeleteAll()
    {
        std::unordered_map<THandle, TObject*> objects;
        objects.swap(m_objects);
        for (auto& entry : objects)
        {
            entry.second->*pmHandle = NULL;  // so that the destructor leaves the handle alone
            delete entry.second;
        }
    }

private:
    std::unordered_map<THandle, TObject*> m_objects;
};
