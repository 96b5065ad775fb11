// Answers the toolkit's message boxes for a test: records each text and style, and
// gives the scripted answers in order. A box that nobody scripted fails the test and
// is answered with IDCANCEL, so that no action goes ahead unconfirmed.
#pragma once
#include <afx.h>
#include <deque>
#include <vector>

struct MessageBoxCall
{
    CString strText;
    UINT nType;
};

class MessageBoxScript
{
public:
    MessageBoxScript();
    ~MessageBoxScript();
    MessageBoxScript(const MessageBoxScript&) = delete;
    MessageBoxScript& operator=(const MessageBoxScript&) = delete;

    void Answer(int nResult) { m_answers.push_back(nResult); }
    const std::vector<MessageBoxCall>& Calls() const { return m_calls; }

private:
    static int Hook(LPCSTR lpszText, UINT nType);

    std::deque<int> m_answers;
    std::vector<MessageBoxCall> m_calls;
    AFX_MESSAGEBOX_HOOK m_pfnPrevious;
    MessageBoxScript* m_pPreviousScript;
};

// Installed for the whole test run: a message box that no script expects fails the test.
int UnexpectedMessageBox(LPCSTR lpszText, UINT nType);
