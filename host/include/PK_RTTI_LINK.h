// A serialisable class's registration with the host's archive library, alive as long as
// the module that holds it (a static object: made at load, destroyed at unload).
#pragma once
#include "CPkArchive.h"

typedef void(PASCAL* PK_SERIALIZE_PROC)(CObject* pObject, CPkArchive& ar);
typedef CObject*(PASCAL* PK_CREATE_PROC)();

class LIBSRV_API PK_RTTI_LINK
{
public:
    // The strings must outlive the object (literals). pfnCreate and lpszBaseClassName
    // may be null. A later registration under the same name hides an earlier one until
    // it is destroyed.
    PK_RTTI_LINK(LPCSTR lpszClassName, CRuntimeClass* pRuntimeClass, PK_SERIALIZE_PROC pfnSerialize,
                 PK_CREATE_PROC pfnCreate, LPCSTR lpszBaseClassName);
    ~PK_RTTI_LINK();
    PK_RTTI_LINK(const PK_RTTI_LINK&) = delete;
    PK_RTTI_LINK& operator=(const PK_RTTI_LINK&) = delete;

    // The host's lookup: the live registration under the name (exact comparison), or NULL.
    static const PK_RTTI_LINK* PASCAL Find(LPCSTR lpszClassName);

    LPCSTR m_lpszClassName;
    CRuntimeClass* m_pRuntimeClass;
    PK_SERIALIZE_PROC m_pfnSerialize;
    PK_CREATE_PROC m_pfnCreate;
    LPCSTR m_lpszBaseClassName;

private:
    PK_RTTI_LINK* m_pNext;  // the registry: a list through the live links, newest first
};
