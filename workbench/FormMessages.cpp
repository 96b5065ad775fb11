#include "FormMessages.h"
#include <cstdio>

namespace
{
CFormMessages* g_pCurrent = NULL;
}

CFormMessages::CFormMessages(Mode mode) : m_mode(mode), m_pOuter(g_pCurrent)
{
    g_pCurrent = this;
    m_pfnPrevious = AfxSetMessageBoxHook(Hook);
}

CFormMessages::~CFormMessages()
{
    AfxSetMessageBoxHook(m_pfnPrevious);
    g_pCurrent = m_pOuter;
}

int CFormMessages::Hook(LPCSTR lpszText, UINT nType)
{
    CFormMessages* pThis = g_pCurrent;
    ++pThis->m_nCount;
    if (pThis->m_mode == WriteToStderr)
    {
        fprintf(stderr, "%s\n", lpszText);
        return IDOK;
    }
    // Shown as it would be without the watch: through the hook that was there before.
    AfxSetMessageBoxHook(pThis->m_pfnPrevious);
    g_pCurrent = pThis->m_pOuter;
    const int nResult = AfxMessageBox(lpszText, nType);
    g_pCurrent = pThis;
    AfxSetMessageBoxHook(Hook);
    return nResult;
}
