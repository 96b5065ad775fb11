// The messages an analysis's form shows while the host makes it or exchanges values with
// it. The host cannot tell from ExchangeData that the form refused, but a form that
// refuses says so in a message box: while a CFormMessages lives, every message box is
// kept (and answered OK) instead of shown, for the host to show or write.
#pragma once
#include <afx.h>
#include <functional>

class CFormMessages
{
public:
    CFormMessages();
    ~CFormMessages();
    CFormMessages(const CFormMessages&) = delete;
    CFormMessages& operator=(const CFormMessages&) = delete;

    const CStringList& GetMessages() const { return m_lstMessages; }

private:
    static int Hook(LPCSTR lpszText, UINT nType);

    CStringList m_lstMessages;
    AFX_MESSAGEBOX_HOOK m_pfnPrevious;
    CFormMessages* m_pOuter;  // the watch this one was made inside, if any
};

// Runs a step that makes the form or exchanges with it, again while the form refuses (shows
// a message) because another program holds the reagent library, for up to a few seconds:
// the plug-in reads the library with exclusive sharing, so another workbench reading it
// at that moment makes the form refuse. Without messages, what the step returned;
// otherwise FALSE with the last run's messages in lstMessages and, when another program
// still holds the library, one naming the file and the reason.
BOOL RunFormStep(const std::function<BOOL()>& step, CStringList& lstMessages);
