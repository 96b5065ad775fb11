// Help popups over a settings form: the title and text of the topic of the control under
// the pointer, and a text colour that marks the controls that have a topic.
#pragma once
#include "CTopicsContainer.h"
#include <afxwin.h>
#include <memory>

class CTipPopupWnd;

class TESSARODB_API CAnalysisSettingsHelper
{
public:
    explicit CAnalysisSettingsHelper(CTopicsContainer& topics);
    ~CAnalysisSettingsHelper();
    CAnalysisSettingsHelper(const CAnalysisSettingsHelper&) = delete;
    CAnalysisSettingsHelper& operator=(const CAnalysisSettingsHelper&) = delete;

    // The form whose child controls the topics belong to; once per helper. Until then
    // every Process call answers false.
    void Attach(CWnd* pWnd);

    // For a child control with a topic: true, with the text colour in crText.
    bool ProcessOnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor, COLORREF& crText);
    // A move over the form itself: hides the popup.
    bool ProcessOnMouseMove(UINT nFlags, CPoint point);
    // The form's cursor request for itself or a child: shows the popup of the child's topic,
    // or hides it. The helper never sets the cursor itself, so the answer is false.
    bool ProcessOnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // A press on the form: hides the popup.
    bool ProcessOnLButtonDown(UINT nFlags, CPoint point);

    // The topic shown now, or NULL when no popup is shown.
    const CTopicItem* GetShownTopic() const;

    static const COLORREF kTopicTextColor;

private:
    const CTopicItem* FindChildTopic(const CWnd* pWnd) const;
    void HideTopic();

    CTopicsContainer& m_topics;
    CWnd* m_pWnd;                            // the form, once attached
    std::unique_ptr<CTipPopupWnd> m_pPopup;  // made when the first topic is shown
    HWND m_hWndPressed;                      // a press hid its topic until the pointer leaves it
};
