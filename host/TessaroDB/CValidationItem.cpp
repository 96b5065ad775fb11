#include "CValidationItem.h"

namespace
{
void AddWindowText(CStringArray& texts, const CWnd* pWnd)
{
    // A validator that read a window which is gone would judge a text nobody typed.
    ASSERT(::IsWindow(pWnd->m_hWnd));
    CString strText;
    if (::IsWindow(pWnd->m_hWnd))
        pWnd->GetWindowText(strText);
    texts.Add(strText);
}
}

CValidationItem::CValidationItem(VALIDATOR_FUNC pfnValidator, CWnd* pWnd)
    : m_pfnValidator(pfnValidator), m_pFirst(pWnd), m_pSecond(NULL)
{
    ASSERT(pfnValidator != NULL && pWnd != NULL);
}

CValidationItem::CValidationItem(VALIDATOR_FUNC pfnValidator, CWnd* pFirst, CWnd* pSecond)
    : m_pfnValidator(pfnValidator), m_pFirst(pFirst), m_pSecond(pSecond)
{
    ASSERT(pfnValidator != NULL && pFirst != NULL && pSecond != NULL);
}

CString CValidationItem::Validate() const
{
    CStringArray texts;
    AddWindowText(texts, m_pFirst);
    if (m_pSecond != NULL)
        AddWindowText(texts, m_pSecond);
    return m_pfnValidator(texts);
}
