// One validator of a validated edit: a check function and the windows whose texts it reads.
#pragma once
#include "TessaroDBApi.h"
#include <afxwin.h>

// Receives the texts of the item's windows, in order; returns the message to show, or
// an empty string when the texts are acceptable.
typedef CString (*VALIDATOR_FUNC)(const CStringArray& texts);

class TESSARODB_API CValidationItem
{
public:
    CValidationItem(VALIDATOR_FUNC pfnValidator, CWnd* pWnd);
    CValidationItem(VALIDATOR_FUNC pfnValidator, CWnd* pFirst, CWnd* pSecond);

    // Runs the function on the current texts of the windows, in the order given.
    CString Validate() const;

private:
    VALIDATOR_FUNC m_pfnValidator;
    CWnd* m_pFirst;
    CWnd* m_pSecond;  // NULL for an item on one window
};
