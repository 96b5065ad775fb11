// Records the messages that reach chosen windows and compares them with an expected
// table, in the manner of Wine's own control tests: sent messages are seen by a
// WH_CALLWNDPROC hook, posted ones by a WH_GETMESSAGE hook when they leave the queue.
// WM_COMMAND and WM_NOTIFY are recorded with their notification code.
#pragma once
#include <afxwin.h>
#include <initializer_list>
#include <set>
#include <vector>

enum MessageFlags : unsigned
{
    sent = 0x1,
    posted = 0x2,
    optional = 0x4,  // may be missing from the log
    wparam = 0x8,    // compare wParam too
    code = 0x10,     // compare the WM_COMMAND or WM_NOTIFY code too
};

struct ExpectedMessage
{
    UINT message;
    unsigned flags;
    WPARAM wParam = 0;
    UINT nCode = 0;
};

struct LoggedMessage
{
    HWND hWnd;
    UINT message;
    bool bPosted;
    WPARAM wParam;
    UINT nCode;
};

class MessageLog
{
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    // Records these messages of the window from now on.
    void Watch(HWND hWnd, std::initializer_list<UINT> messages);
    void Clear() { m_log.clear(); }
    const std::vector<LoggedMessage>& Messages() const { return m_log; }

    // Fails the test at the caller's line unless the log matches the table, optional
    // entries aside; then empties the log. An empty table proves that nothing came.
    void Expect(const std::vector<ExpectedMessage>& expected, const char* lpszFile, int nLine);

private:
    static LRESULT CALLBACK CallWndProcHook(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK GetMessageHook(int nCode, WPARAM wParam, LPARAM lParam);
    void Record(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, bool bPosted);

    std::set<std::pair<HWND, UINT>> m_watched;
    std::vector<LoggedMessage> m_log;
    HHOOK m_hCallWndProc;
    HHOOK m_hGetMessage;
};

#define EXPECT_MESSAGES(log, ...) (log).Expect(__VA_ARGS__, __FILE__, __LINE__)
