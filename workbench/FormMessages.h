// The messages an analysis's form shows during one exchange. The host cannot tell from
// ExchangeData that the form refused a value, but a form that refuses one says so in a
// message box: while a CFormMessages lives, every message box is counted, and either
// shown as usual or, in batch mode, written to stderr.
#pragma once
#include <afx.h>

class CFormMessages
{
public:
    enum Mode
    {
        Show,
        WriteToStderr,
    };

    explicit CFormMessages(Mode mode);
    ~CFormMessages();
    CFormMessages(const CFormMessages&) = delete;
    CFormMessages& operator=(const CFormMessages&) = delete;

    int GetCount() const { return m_nCount; }

private:
    static int Hook(LPCSTR lpszText, UINT nType);

    Mode m_mode;
    int m_nCount = 0;
    AFX_MESSAGEBOX_HOOK m_pfnPrevious;
    CFormMessages* m_pOuter;  // the watch this one was made inside, if any
};
