// Base of the toolkit's exceptions: thrown by pointer, caught as CException*, released with Delete().
#pragma once
#include "afx/CObject.h"

class AFXKIT_API CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}

    // Frees a heap exception; one made on the stack (bAutoDelete false) stays.
    void Delete();

    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    // Shows the error message in a message box (through AfxMessageBox) and returns the answer.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

protected:
    BOOL m_bAutoDelete;
};

// Copies text into a caller's buffer of nMaxError characters, always terminated.
AFXKIT_API BOOL AFXAPI AfxCopyErrorMessage(LPCSTR lpszText, LPSTR lpszError, UINT nMaxError);
