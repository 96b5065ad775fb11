#include "CAnalysisSettingsHelper.h"
#include "CTipPopupWnd.h"


// Dark blue: a control in this colour has a help topic.
const COLORREF CAnalysisSettingsHelper::kTopicTextColor = RGB(0, 0, 160);

CAnalysisSettingsHelper::CAnalysisSettingsHelper(CTopicsContainer& topics)
    : m_topics(topics), m_pWnd(NULL), m_hWndPressed(NULL)
{
}

// Defined here, where the popup's class is complete.
CAnalysisSettingsHelper::~CAnalysisSettingsHelper() = default;

void CAnalysisSettingsHelper::Attach(CWnd* pWnd)
{
    ASSERT(pWnd != NULL && ::IsWindow(pWnd->m_hWnd));
    ASSERT(m_pWnd == NULL);  // one form per helper
    m_pWnd = pWnd;
}

bool CAnalysisSettingsHelper::ProcessOnCtlColor(CDC* /*pDC*/, CWnd* pWnd, UINT /*nCtlColor*/, COLORREF& crText)
{
    if (FindChildTopic(pWnd) == NULL)
        return false;
    crText = kTopicTextColor;
    return true;
}

bool CAnalysisSettingsHelper::ProcessOnMouseMove(UINT /*nFlags*/, CPoint /*point*/)
{
    if (m_pWnd == NULL)
        return false;
    HideTopic();
    return true;
}

bool CAnalysisSettingsHelper::ProcessOnSetCursor(CWnd* pWnd, UINT /*nHitTest*/, UINT message)
{
    if (m_pWnd == NULL)
        return false;
    const CTopicItem* pTopic = FindChildTopic(pWnd);
    if (pTopic == NULL)
    {
        HideTopic();
        return false;
    }
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN)
    {
        // A press on the control dismisses its popup until the pointer has left the control.
        HideTopic();
        m_hWndPressed = pWnd->m_hWnd;
        return false;
    }
    const bool bShownForIt = m_pPopup != NULL && m_pPopup->IsActive() && m_pPopup->GetAnchor() == pWnd->m_hWnd;
    if (pWnd->m_hWnd == m_hWndPressed || bShownForIt)
        return false;
    if (m_pPopup == NULL)
        m_pPopup = std::make_unique<CTipPopupWnd>(CTipPopupWnd::kindPointerTip);
    m_pPopup->ShowFor(pWnd, pTopic->lpszTitle, pTopic->lpszText);
    return false;
}

bool CAnalysisSettingsHelper::ProcessOnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    if (m_pWnd == NULL)
        return false;
    HideTopic();
    return true;
}

const CTopicItem* CAnalysisSettingsHelper::GetShownTopic() const
{
    if (m_pPopup == NULL || !m_pPopup->IsShown())
        return NULL;
    return FindChildTopic(CWnd::FromHandle(m_pPopup->GetAnchor()));
}

const CTopicItem* CAnalysisSettingsHelper::FindChildTopic(const CWnd* pWnd) const
{
    // Only the form's own controls: the form itself, or a window elsewhere, may carry an
    // identifier that happens to equal a control's.
    if (m_pWnd == NULL || pWnd == NULL || ::GetParent(pWnd->m_hWnd) != m_pWnd->m_hWnd ||
        !(pWnd->GetStyle() & WS_CHILD))
        return NULL;
    return m_topics.FindTopic((UINT)pWnd->GetDlgCtrlID());
}

void CAnalysisSettingsHelper::HideTopic()
{
    m_hWndPressed = NULL;
    if (m_pPopup != NULL)
        m_pPopup->Dismiss();
}
