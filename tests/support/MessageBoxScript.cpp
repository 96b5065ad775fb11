#include "MessageBoxScript.h"

#include <gtest/gtest.h>

namespace
{
MessageBoxScript* g_pActiveScript = nullptr;
}

MessageBoxScript::MessageBoxScript()
    : m_pfnPrevious(AfxSetMessageBoxHook(&MessageBoxScript::Hook)), m_pPreviousScript(g_pActiveScript)
{
    g_pActiveScript = this;
}

MessageBoxScript::~MessageBoxScript()
{
    g_pActiveScript = m_pPreviousScript;
    AfxSetMessageBoxHook(m_pfnPrevious);
    EXPECT_TRUE(m_answers.empty()) << m_answers.size() << " scripted message box answer(s) were not used";
}

int MessageBoxScript::Hook(LPCSTR lpszText, UINT nType)
{
    MessageBoxScript* pScript = g_pActiveScript;
    pScript->m_calls.push_back({lpszText, nType});
    if (pScript->m_answers.empty())
    {
        ADD_FAILURE() << "Message box without a scripted answer: " << lpszText;
        return IDCANCEL;
    }
    const int nResult = pScript->m_answers.front();
    pScript->m_answers.pop_front();
    return nResult;
}

int UnexpectedMessageBox(LPCSTR lpszText, UINT /*nType*/)
{
    ADD_FAILURE() << "Unexpected message box: " << lpszText;
    return IDCANCEL;
}
