// A small top-level window beside a control that shows a title in bold and a text in the
// system's tooltip colours; it never takes the activation.
#pragma once
#include <afxwin.h>
#include <vector>

class CTipPopupWnd : public CWnd
{
    DECLARE_DYNAMIC(CTipPopupWnd)
public:
    enum Kind
    {
        kindPointerTip,  // help for the control under the pointer: gone once the pointer leaves it
        kindMessage,     // a field's message: stays until dismissed
    };

    explicit CTipPopupWnd(Kind kind);

    // Shows the title (none when empty) and the text beside pAnchor. The window is made on
    // first use, owned by the anchor's top-level window.
    void ShowFor(CWnd* pAnchor, const CString& strTitle, const CString& strText);
    void Dismiss();

    // Something to show, even while hidden because its control is out of sight.
    bool IsActive() const { return m_bActive; }
    bool IsShown() const { return m_hWnd != NULL && IsWindowVisible(); }
    HWND GetAnchor() const { return m_hWndAnchor; }
    const CString& GetTitle() const { return m_strTitle; }
    const CString& GetText() const { return m_strText; }

    // Beside the control again, after it moved; hidden while it is out of sight.
    void FollowAnchor();
    // Beside the control and inside rcBounds (screen); hidden while the control lies outside them.
    void KeepInside(const CRect& rcBounds);

    // The popups of this class that a window owns.
    static std::vector<CTipPopupWnd*> FindOwnedBy(HWND hWndOwner);

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreatePopup(HWND hWndOwner);
    void Measure();
    void PlaceWithin(const CRect& rcBounds);
    void BringToFront();
    void StartTimer(UINT nIntervalMs);
    void StopTimer();
    CRect GetAnchorWorkArea() const;

    const Kind m_kind;
    HWND m_hWndAnchor;
    bool m_bActive;
    bool m_bRaisePending;  // shown, and to come to the front once the focus has settled
    bool m_bTimerRunning;
    CString m_strTitle;
    CString m_strText;
    CFont m_fontTitle;
    CFont m_fontText;
    CSize m_sizeWindow;   // the whole popup, pixels
    int m_nTitleHeight;   // pixels; 0 without a title
};
