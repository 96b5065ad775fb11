#include "MessageLog.h"

#include <gtest/gtest.h>
#include <sstream>

namespace
{
MessageLog* g_pActiveLog = NULL;

std::string Describe(UINT message, bool bPosted, WPARAM wParam, UINT nCode)
{
    std::ostringstream text;
    text << (bPosted ? "posted" : "sent") << " 0x" << std::hex << message << " wParam 0x" << wParam << " code 0x"
         << nCode;
    return text.str();
}
}

MessageLog::MessageLog()
{
    // One log at a time: the hooks are the thread's.
    EXPECT_EQ(nullptr, g_pActiveLog);
    g_pActiveLog = this;
    m_hCallWndProc = ::SetWindowsHookExA(WH_CALLWNDPROC, CallWndProcHook, NULL, ::GetCurrentThreadId());
    m_hGetMessage = ::SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, NULL, ::GetCurrentThreadId());
    EXPECT_TRUE(m_hCallWndProc != NULL && m_hGetMessage != NULL) << "cannot hook the thread's messages";
}

MessageLog::~MessageLog()
{
    if (m_hCallWndProc != NULL)
        ::UnhookWindowsHookEx(m_hCallWndProc);
    if (m_hGetMessage != NULL)
        ::UnhookWindowsHookEx(m_hGetMessage);
    g_pActiveLog = NULL;
}

void MessageLog::Watch(HWND hWnd, std::initializer_list<UINT> messages)
{
    for (const UINT message : messages)
        m_watched.insert({hWnd, message});
}

LRESULT CALLBACK MessageLog::CallWndProcHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && g_pActiveLog != NULL)
    {
        const CWPSTRUCT* pMsg = (const CWPSTRUCT*)lParam;
        g_pActiveLog->Record(pMsg->hwnd, pMsg->message, pMsg->wParam, pMsg->lParam, false);
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

LRESULT CALLBACK MessageLog::GetMessageHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    // Only a message taken off the queue counts, not one that was peeked at.
    if (nCode == HC_ACTION && wParam == PM_REMOVE && g_pActiveLog != NULL)
    {
        const MSG* pMsg = (const MSG*)lParam;
        g_pActiveLog->Record(pMsg->hwnd, pMsg->message, pMsg->wParam, pMsg->lParam, true);
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

void MessageLog::Record(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, bool bPosted)
{
    if (m_watched.count({hWnd, message}) == 0)
        return;
    UINT nCode = 0;
    if (message == WM_COMMAND)
        nCode = HIWORD(wParam);
    else if (message == WM_NOTIFY)
        nCode = ((const NMHDR*)lParam)->code;
    m_log.push_back({hWnd, message, bPosted, wParam, nCode});
}

void MessageLog::Expect(const std::vector<ExpectedMessage>& expected, const char* lpszFile, int nLine)
{
    testing::ScopedTrace trace(lpszFile, nLine, "message sequence");
    size_t nLogged = 0;
    bool bFailed = false;
    for (const ExpectedMessage& entry : expected)
    {
        const bool bWantPosted = (entry.flags & posted) != 0;
        const bool bMatches =
            nLogged < m_log.size() && m_log[nLogged].message == entry.message &&
            m_log[nLogged].bPosted == bWantPosted && (!(entry.flags & wparam) || m_log[nLogged].wParam == entry.wParam) &&
            (!(entry.flags & code) || m_log[nLogged].nCode == entry.nCode);
        if (bMatches)
            ++nLogged;
        else if (!(entry.flags & optional))
        {
            ADD_FAILURE() << "expected " << Describe(entry.message, bWantPosted, entry.wParam, entry.nCode) << ", got "
                          << (nLogged < m_log.size() ? Describe(m_log[nLogged].message, m_log[nLogged].bPosted,
                                                                m_log[nLogged].wParam, m_log[nLogged].nCode)
                                                     : std::string("nothing more"));
            bFailed = true;
            break;
        }
    }
    for (; !bFailed && nLogged < m_log.size(); ++nLogged)
        ADD_FAILURE() << "unexpected " << Describe(m_log[nLogged].message, m_log[nLogged].bPosted, m_log[nLogged].wParam,
                                                   m_log[nLogged].nCode);
    m_log.clear();
}
