#include "afxwin.h"
#include "TempHandleMap.h"
#include "ToolkitInternal.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <unordered_map>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

// The handle maps are the toolkit's one piece of global state. All windows live on the
// user-interface thread, so they need no lock. The permanent map holds the objects
// attached to windows; the temporary map holds the wrappers FromHandle makes for
// handles without an object, until AfxDeleteTempMap.
namespace
{
std::unordered_map<HWND, CWnd*>& PermanentMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

CTempHandleMap<HWND, CWnd, &CWnd::m_hWnd>& TemporaryMap()
{
    static CTempHandleMap<HWND, CWnd, &CWnd::m_hWnd> map;
    return map;
}

// The message being handled, for Default(); saved and restored around nested messages.
MSG g_lastSentMsg = {};

CWnd* g_pWndInit = NULL;  // the object to attach to the next window created
HHOOK g_hHookCbt = NULL;

const char kDefaultWndClass[] = "AfxWnd";

LRESULT ReportWndProcException(UINT message)
{
    // A window creation that failed must say so; everything else carries on with 0.
    return message == WM_CREATE ? -1 : 0;
}
}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL)
{
}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_pfnSuper(NULL)
{
}

CWnd::~CWnd()
{
    // A window that outlives its object is let go of first, so that destroying it
    // calls nothing of this half-destroyed object.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
    {
        const HWND hWnd = UnsubclassWindow();
        ::DestroyWindow(hWnd);
    }
}

// As in MFC, the base map reflects to the controls that sent them the messages that
// concern a control: owner drawing, colours and scroll-bar actions.
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_VKEYTOITEM()
    ON_WM_CHARTOITEM()
END_MESSAGE_MAP()

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    return TemporaryMap().FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    const auto it = PermanentMap().find(hWnd);
    return it == PermanentMap().end() ? NULL : it->second;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL || m_hWnd != NULL || FromHandlePermanent(hWndNew) != NULL)
        return FALSE;
    PermanentMap()[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    const HWND hWnd = m_hWnd;
    if (hWnd != NULL)
    {
        const auto it = PermanentMap().find(hWnd);
        if (it != PermanentMap().end() && it->second == this)
            PermanentMap().erase(it);
    }
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    const WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (pfnOld == NULL)
    {
        Detach();
        return FALSE;
    }
    if (pfnOld != AfxWndProc)
        m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    const HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper != NULL)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    return Detach();
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (lpszClassName == NULL)
        lpszClassName = AfxRegisterDefaultWndClass();
    if (lpszClassName == NULL)
        return FALSE;
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    AfxInitCommonControls();
    const HINSTANCE hInstance = AfxFindClassInstance(lpszClassName);
    AfxHookWindowCreate(this);
    const HWND hWnd = ::CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight,
                                        hWndParent, nIDorHMenu, hInstance, lpParam);
    const DWORD dwError = ::GetLastError();
    AfxUnhookWindowCreate();
    if (hWnd == NULL)
    {
        ::SetLastError(dwError);
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : NULL,
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    // A permanent object is detached by WM_NCDESTROY (and may be deleted there); a
    // temporary one is let go of here.
    const bool bPermanent = FromHandlePermanent(m_hWnd) == this;
    const BOOL bResult = ::DestroyWindow(m_hWnd);
    if (!bPermanent)
        m_hWnd = NULL;
    return bResult;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWndTop = m_hWnd;
    for (HWND hWnd = m_hWnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
        hWndTop = hWnd;
    return FromHandle(hWndTop);
}

void CWnd::GetWindowText(CString& rString) const
{
    const int nLength = ::GetWindowTextLengthA(m_hWnd);
    const int nRead = ::GetWindowTextA(m_hWnd, rString.GetBuffer(nLength + 1), nLength + 1);
    rString.ReleaseBuffer(nRead);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    const HWND hWndItem = ::GetDlgItem(m_hWnd, nID);
    if (hWndItem != NULL)
        FromHandle(hWndItem)->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : NULL, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    ASSERT(::IsWindow(m_hWnd));
    const BOOL bChild = (GetStyle() & WS_CHILD) != 0;
    HWND hCenter = pAlternateOwner != NULL ? pAlternateOwner->m_hWnd
                   : bChild                ? ::GetParent(m_hWnd)
                                           : ::GetWindow(m_hWnd, GW_OWNER);
    // A modal dialog's owner is disabled while it runs; it is still the one to centre on.
    if (hCenter != NULL && !bChild && (!::IsWindowVisible(hCenter) || ::IsIconic(hCenter)))
        hCenter = NULL;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcCenter;
    CRect rcArea;
    if (bChild)
    {
        ::GetClientRect(::GetParent(m_hWnd), &rcArea);
        if (hCenter != NULL && hCenter != ::GetParent(m_hWnd))
        {
            ::GetWindowRect(hCenter, &rcCenter);
            ::MapWindowPoints(NULL, ::GetParent(m_hWnd), (LPPOINT)&rcCenter, 2);
        }
        else
            rcCenter = rcArea;
    }
    else
    {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        VERIFY(::GetMonitorInfoA(::MonitorFromWindow(hCenter != NULL ? hCenter : m_hWnd, MONITOR_DEFAULTTONEAREST),
                                 &monitor));
        rcArea = monitor.rcWork;
        if (hCenter != NULL)
            ::GetWindowRect(hCenter, &rcCenter);
        else
            rcCenter = rcArea;
    }
    int x = (rcCenter.left + rcCenter.right) / 2 - rcWindow.Width() / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - rcWindow.Height() / 2;
    // Inside the area, its top-left corner first when the window is larger.
    x = std::max((int)rcArea.left, std::min(x, (int)rcArea.right - (int)rcWindow.Width()));
    y = std::max((int)rcArea.top, std::min(y, (int)rcArea.bottom - (int)rcWindow.Height()));
    VERIFY(::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->m_hDC);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle((HFONT)SendMessage(WM_GETFONT));
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
    }
    catch (CException* pException)
    {
        // A refused field was already explained to the user; any other failure is told here.
        if (!pException->IsKindOf(RUNTIME_CLASS(CUserException)))
            pException->ReportError(MB_OK | MB_ICONEXCLAMATION);
        pException->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG* /*pMsg*/)
{
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    case WM_NOTIFY:
    {
        LRESULT lResult = 0;
        if (((NMHDR*)lParam)->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        *pResult = lResult;
        return TRUE;
    }
    }

    UINT nMapMessage = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        nMapMessage = WM_CTLCOLOR;
    const AFX_MSGMAP_ENTRY* pEntry = FindEntry(GetMessageMap(), nMapMessage, 0, 0);
    return pEntry != NULL && DispatchToMap(pEntry, message, wParam, lParam, pResult);
}

const AFX_MSGMAP_ENTRY* CWnd::FindEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID)
{
    for (; pMap != NULL; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : NULL)
    {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nSig != AfxSig_end; ++pEntry)
        {
            if (pEntry->nMessage == nMessage && pEntry->nCode == nCode && nID >= pEntry->nID &&
                nID <= pEntry->nLastID)
                return pEntry;
        }
    }
    return NULL;
}

BOOL CWnd::DispatchToMap(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT* pResult)
{
    const AFX_PMSG pfn = pEntry->pfn;
    LRESULT lResult = 0;
    switch (pEntry->nSig)
    {
    case AfxSig_vv:
        (this->*AfxHandlerAs<void (CWnd::*)()>(pfn))();
        break;
    case AfxSig_bD:
        lResult = (this->*AfxHandlerAs<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_vW:
        (this->*AfxHandlerAs<void (CWnd::*)(CWnd*)>(pfn))(FromHandle((HWND)wParam));
        break;
    case AfxSig_vwp:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, CPoint)>(pfn))(
            (UINT)wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        break;
    case AfxSig_vwii:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, int, int)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vwwX:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), (CScrollBar*)FromHandle((HWND)lParam));
        break;
    case AfxSig_bWww:
        lResult = (this->*AfxHandlerAs<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_hDWw:
        lResult = (LRESULT)(this->*AfxHandlerAs<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle((HDC)wParam), FromHandle((HWND)lParam), message - WM_CTLCOLORMSGBOX);
        break;
    case AfxSig_iwLw:
        lResult = (this->*AfxHandlerAs<int (CWnd::*)(UINT, CListBox*, UINT)>(pfn))(
            LOWORD(wParam), (CListBox*)FromHandle((HWND)lParam), HIWORD(wParam));
        break;
    case AfxSig_vNMHDRpl:
        (this->*AfxHandlerAs<void (CWnd::*)(NMHDR*, LRESULT*)>(pfn))((NMHDR*)lParam, &lResult);
        break;
    case AfxSig_vwO:
        (this->*AfxHandlerAs<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))((int)wParam, (LPDRAWITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vwM:
        (this->*AfxHandlerAs<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))((int)wParam,
                                                                            (LPMEASUREITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vw:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT_PTR)>(pfn))((UINT_PTR)wParam);
        break;
    case AfxSig_hDw:
        // A reflected colour message: a NULL brush leaves the colours to the parent.
        lResult = (LRESULT)(this->*AfxHandlerAs<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
            CDC::FromHandle((HDC)wParam), message - WM_CTLCOLORMSGBOX);
        if (lResult == 0)
            return FALSE;
        break;
    case AfxSig_vww:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, UINT)>(pfn))(LOWORD(wParam), HIWORD(wParam));
        break;
    case AfxSig_vwWb:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), FromHandle((HWND)lParam),
                                                                     HIWORD(wParam) != 0);
        break;
    case AfxSig_vwww:
        (this->*AfxHandlerAs<void (CWnd::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_wv:
        lResult = (this->*AfxHandlerAs<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_bwsp:
        // The wheel's point is in screen coordinates, as the message gives it.
        lResult = (this->*AfxHandlerAs<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
            LOWORD(wParam), (short)HIWORD(wParam), CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        break;
    case AfxSig_vMMI:
        (this->*AfxHandlerAs<void (CWnd::*)(MINMAXINFO*)>(pfn))((MINMAXINFO*)lParam);
        break;
    default:
        ASSERT(FALSE);  // an entry whose signature this switch does not know
        return FALSE;
    }
    *pResult = lResult;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(g_lastSentMsg.message, g_lastSentMsg.wParam, g_lastSentMsg.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const HWND hWndCtrl = (HWND)lParam;
    // A menu item (code 0) and an accelerator (code 1) send the same command.
    const UINT nCode = hWndCtrl == NULL ? 0 : HIWORD(wParam);
    LRESULT lResult = 0;
    if (hWndCtrl != NULL && ReflectLastMsg(hWndCtrl, WM_COMMAND, wParam, lParam, &lResult))
        return TRUE;
    const AFX_MSGMAP_ENTRY* pEntry = FindEntry(GetMessageMap(), WM_COMMAND, nCode, nID);
    return pEntry != NULL && DispatchToMap(pEntry, WM_COMMAND, wParam, lParam, &lResult);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pNMHDR = (const NMHDR*)lParam;
    if (ReflectLastMsg(pNMHDR->hwndFrom, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    const AFX_MSGMAP_ENTRY* pEntry = FindEntry(GetMessageMap(), WM_NOTIFY, pNMHDR->code, (UINT)pNMHDR->idFrom);
    return pEntry != NULL && DispatchToMap(pEntry, WM_NOTIFY, wParam, lParam, pResult);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    return pChild != NULL && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    UINT nCode = 0;
    UINT nReflected = message;
    switch (message)
    {
    case WM_COMMAND:
        nCode = HIWORD(wParam);
        break;
    case WM_NOTIFY:
        nCode = ((NMHDR*)lParam)->code;
        break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        nReflected = WM_CTLCOLOR;
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        break;
    default:
        return FALSE;
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindEntry(GetMessageMap(), WM_REFLECT_BASE + nReflected, nCode, 0);
    return pEntry != NULL && DispatchToMap(pEntry, message, wParam, lParam, pResult);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    return ReflectLastMsg(hWndChild, g_lastSentMsg.message, g_lastSentMsg.wParam, g_lastSentMsg.lParam, pResult);
}

void CWnd::DoDataExchange(CDataExchange* /*pDX*/)
{
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

void CWnd::OnPaint()
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return (BOOL)Default();
}

void CWnd::OnActivate(UINT /*nState*/, CWnd* /*pWndOther*/, BOOL /*bMinimized*/)
{
    Default();
}

void CWnd::OnSetFocus(CWnd* /*pOldWnd*/)
{
    Default();
}

void CWnd::OnKillFocus(CWnd* /*pNewWnd*/)
{
    Default();
}

void CWnd::OnMouseMove(UINT /*nFlags*/, CPoint /*point*/)
{
    Default();
}

void CWnd::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    Default();
}

void CWnd::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    Default();
}

void CWnd::OnLButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
    Default();
}

void CWnd::OnSize(UINT /*nType*/, int /*cx*/, int /*cy*/)
{
    Default();
}

void CWnd::OnHScroll(UINT /*nSBCode*/, UINT /*nPos*/, CScrollBar* pScrollBar)
{
    LRESULT lResult = 0;
    if (pScrollBar == NULL || !ReflectLastMsg(pScrollBar->m_hWnd, &lResult))
        Default();
}

void CWnd::OnVScroll(UINT /*nSBCode*/, UINT /*nPos*/, CScrollBar* pScrollBar)
{
    LRESULT lResult = 0;
    if (pScrollBar == NULL || !ReflectLastMsg(pScrollBar->m_hWnd, &lResult))
        Default();
}

void CWnd::OnDrawItem(int /*nIDCtl*/, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    LRESULT lResult = 0;
    if (lpDrawItemStruct->CtlType == ODT_MENU || !ReflectLastMsg(lpDrawItemStruct->hwndItem, &lResult))
        Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    LRESULT lResult = 0;
    if (lpMeasureItemStruct->CtlType == ODT_MENU || !ReflectLastMsg(::GetDlgItem(m_hWnd, nIDCtl), &lResult))
        Default();
}

void CWnd::OnTimer(UINT_PTR /*nIDEvent*/)
{
    Default();
}

void CWnd::OnKeyDown(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    Default();
}

UINT CWnd::OnGetDlgCode()
{
    return (UINT)Default();
}

BOOL CWnd::OnMouseWheel(UINT /*nFlags*/, short /*zDelta*/, CPoint /*pt*/)
{
    return (BOOL)Default();
}

void CWnd::OnGetMinMaxInfo(MINMAXINFO* /*lpMMI*/)
{
    Default();
}

BOOL CWnd::OnSetCursor(CWnd* /*pWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    return (BOOL)Default();
}

HBRUSH CWnd::OnCtlColor(CDC* /*pDC*/, CWnd* pWnd, UINT /*nCtlColor*/)
{
    LRESULT lResult = 0;
    if (pWnd != NULL && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

// The list answers for itself, as MFC reflects it: a dialog's default answer is 0, which
// would make the list act on its first item whatever the key.
int CWnd::OnVKeyToItem(UINT /*nKey*/, CListBox* pListBox, UINT /*nIndex*/)
{
    LRESULT lResult = 0;
    if (pListBox != NULL && ReflectLastMsg(pListBox->m_hWnd, &lResult))
        return (int)lResult;
    return (int)Default();
}

// Wine's list sends it for a list of strings too, before its own search by first letter.
int CWnd::OnCharToItem(UINT nChar, CListBox* pListBox, UINT nIndex)
{
    return OnVKeyToItem(nChar, pListBox, nIndex);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);

    const MSG savedMsg = g_lastSentMsg;
    g_lastSentMsg.hwnd = hWnd;
    g_lastSentMsg.message = nMsg;
    g_lastSentMsg.wParam = wParam;
    g_lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    AfxCallGuarded([&] { lResult = pWnd->WindowProc(nMsg, wParam, lParam); },
                   [&] { lResult = ReportWndProcException(nMsg); });
    g_lastSentMsg = savedMsg;

    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
    {
        // The window is gone: give it back its own procedure, let go of the object, and
        // let the object delete itself if it owns itself.
        if (pWnd->m_pfnSuper != NULL)
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pWnd->m_pfnSuper);
        pWnd->m_pfnSuper = NULL;
        pWnd->Detach();
        // The end of the application's main window ends the application.
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL && pApp->m_pMainWnd == pWnd)
        {
            pApp->m_pMainWnd = NULL;
            ::PostQuitMessage(0);
        }
        AfxCallGuarded([&] { pWnd->PostNcDestroy(); }, [] {});
    }
    return lResult;
}

LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && g_pWndInit != NULL)
    {
        // Attach before the window's first message (WM_NCCREATE), so that none is missed.
        CWnd* pWndInit = g_pWndInit;
        g_pWndInit = NULL;
        const HWND hWnd = (HWND)wParam;
        if (pWndInit->Attach(hWnd))
        {
            pWndInit->PreSubclassWindow();
            const WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
            if (pfnOld != AfxWndProc)
                pWndInit->m_pfnSuper = pfnOld;
        }
    }
    return ::CallNextHookEx(g_hHookCbt, nCode, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    if (g_hHookCbt == NULL)
    {
        g_hHookCbt = ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
        if (g_hHookCbt == NULL)
            AfxThrowMemoryException();
    }
    g_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    if (g_hHookCbt != NULL)
    {
        ::UnhookWindowsHookEx(g_hHookCbt);
        g_hHookCbt = NULL;
    }
    const BOOL bAttached = g_pWndInit == NULL;
    g_pWndInit = NULL;
    return bAttached;
}

HINSTANCE AFXAPI AfxFindClassInstance(LPCSTR lpszClassName)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    for (const HINSTANCE hInstance : AfxGetSearchModules())
        if (::GetClassInfoExA(hInstance, lpszClassName, &wc))
            return hInstance;
    return NULL;
}

void AFXAPI AfxDeleteTempMap()
{
    TemporaryMap().DeleteAll();
    AfxDeleteTempGdiMaps();
}

LPCSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // Registered in the toolkit's module, where CreateEx finds it; the name says what the
    // class is, so one set of arguments is registered once. The set keeps the names alive.
    static std::set<std::string> s_names;
    const HINSTANCE hInstance = AfxGetToolkitInstance();
    char szName[96];
    snprintf(szName, sizeof(szName), "Afx:%p:%x:%p:%p:%p", (void*)hInstance, nClassStyle, (void*)hCursor,
             (void*)hbrBackground, (void*)hIcon);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExA(hInstance, szName, &wc))
    {
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInstance;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = szName;
        if (!::RegisterClassExA(&wc))
        {
            TRACE("RegisterClassEx failed: %lu\n", ::GetLastError());
            return NULL;
        }
    }
    return s_names.insert(szName).first->c_str();
}

LPCSTR AfxRegisterDefaultWndClass()
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    const HINSTANCE hInstance = AfxGetToolkitInstance();
    if (!::GetClassInfoExA(hInstance, kDefaultWndClass, &wc))
    {
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInstance;
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = kDefaultWndClass;
        if (!::RegisterClassExA(&wc))
        {
            TRACE("RegisterClassEx failed: %lu\n", ::GetLastError());
            return NULL;
        }
    }
    return kDefaultWndClass;
}
