#include "PK_RTTI_LINK.h"

#include <cstring>

namespace
{
// Head of the list of live links. Zero-initialised before any module's static objects
// run, so links made while other modules load always find it. Everything runs on the
// host's user-interface thread; the list has no lock.
PK_RTTI_LINK* g_pFirstLink = nullptr;
}

PK_RTTI_LINK::PK_RTTI_LINK(LPCSTR lpszClassName, CRuntimeClass* pRuntimeClass, PK_SERIALIZE_PROC pfnSerialize,
                           PK_CREATE_PROC pfnCreate, LPCSTR lpszBaseClassName)
    : m_lpszClassName(lpszClassName),
      m_pRuntimeClass(pRuntimeClass),
      m_pfnSerialize(pfnSerialize),
      m_pfnCreate(pfnCreate),
      m_lpszBaseClassName(lpszBaseClassName),
      m_pNext(g_pFirstLink)
{
    g_pFirstLink = this;
}

PK_RTTI_LINK::~PK_RTTI_LINK()
{
    for (PK_RTTI_LINK** ppLink = &g_pFirstLink; *ppLink != nullptr; ppLink = &(*ppLink)->m_pNext)
    {
        if (*ppLink == this)
        {
            *ppLink = m_pNext;
            return;
        }
    }
}

const PK_RTTI_LINK* PASCAL PK_RTTI_LINK::Find(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    for (const PK_RTTI_LINK* pLink = g_pFirstLink; pLink != nullptr; pLink = pLink->m_pNext)
    {
        if (strcmp(pLink->m_lpszClassName, lpszClassName) == 0)
            return pLink;
    }
    return NULL;
}
