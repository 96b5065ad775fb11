#include "CValidationItem.h"

#include <stdexcept>

namespace
{
const char kMissingArgument[] = "a validation item needs a function and its windows";

void AddWindowText(CStringArray& texts, const CWnd* pWnd)
{
    // A validator that read a window which is gone would judge a text nobody typed.
    if (!::IsWindow(pWnd->m_hWnd))
        throw std::logic_error("a validated window no longer exists");
    CString strText;
    pWnd->GetWindowText(strText);
    texts.Add(strText);
}
}

CValidationItem::CValidationItem(VALIDATOR_FUNC pfnValidator, CWnd* pWnd)
    : m_pfnValidator(pfnValidator), m_pFirst(pWnd), m_pSecond(NULL)
{
    if (pfnValidator == NULL || pWnd == NULL)
        throw std::invalid_argument(kMissingArgument);
}

CValidationItem::CValidationItem(VALIDATOR_FUNC pfnValidator, CWnd* pFirst, CWnd* pSecond)
    : m_pfnValidator(pfnValidator), m_pFirst(pFirst), m_pSecond(pSecond)
{
    if (pfnValidator == NULL || pFirst == NULL || pSecond == NULL)
        throw std::invalid_argument(kMissingArgument);
}

CString CValidationItem::Validate() const
{
    CStringArray texts;
    AddWindowText(texts, m_pFirst);
    if (m_pSecond != NULL)
        AddWindowText(texts, m_pSecond);
    return m_pfnValidator(texts);
}
