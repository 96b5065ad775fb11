// Base of every class with a message map: the map tables, their macros and the
// handler signatures through which the toolkit cracks message parameters.
#pragma once
#include "afx/CObject.h"
#include "afx/CPoint.h"
#include <cstring>

class CCmdTarget;
class CWnd;
class CDC;
class CScrollBar;
class CListBox;

typedef void (CCmdTarget::*AFX_PMSG)();
typedef void (CWnd::*AFX_PMSGW)();

// How a handler's parameters are made from wParam and lParam, and what it returns.
enum AfxSig
{
    AfxSig_end = 0,
    AfxSig_vv,        // void ()                                   commands, WM_PAINT, reflected commands
    AfxSig_bD,        // BOOL (CDC*)                               WM_ERASEBKGND
    AfxSig_vW,        // void (CWnd*)                              WM_SETFOCUS, WM_KILLFOCUS
    AfxSig_vwp,       // void (UINT, CPoint)                       mouse messages
    AfxSig_vwii,      // void (UINT, int, int)                     WM_SIZE
    AfxSig_vwwX,      // void (UINT, UINT, CScrollBar*)            WM_HSCROLL, WM_VSCROLL
    AfxSig_bWww,      // BOOL (CWnd*, UINT, UINT)                  WM_SETCURSOR
    AfxSig_hDWw,      // HBRUSH (CDC*, CWnd*, UINT)                WM_CTLCOLOR...
    AfxSig_iwLw,      // int (UINT, CListBox*, UINT)               WM_VKEYTOITEM, WM_CHARTOITEM
    AfxSig_vNMHDRpl,  // void (NMHDR*, LRESULT*)                   WM_NOTIFY, reflected WM_NOTIFY
    AfxSig_vwO,       // void (int, LPDRAWITEMSTRUCT)              WM_DRAWITEM
    AfxSig_vwM,       // void (int, LPMEASUREITEMSTRUCT)           WM_MEASUREITEM
    AfxSig_vw,        // void (UINT_PTR)                           WM_TIMER
    AfxSig_hDw,       // HBRUSH (CDC*, UINT)                       reflected WM_CTLCOLOR...
    AfxSig_vww,       // void (UINT, UINT)                         reflected WM_HSCROLL, WM_VSCROLL
    AfxSig_vwWb,      // void (UINT, CWnd*, BOOL)                  WM_ACTIVATE
    AfxSig_vwww,      // void (UINT, UINT, UINT)                   WM_KEYDOWN
    AfxSig_wv,        // UINT ()                                   WM_GETDLGCODE
    AfxSig_bwsp,      // BOOL (UINT, short, CPoint)                WM_MOUSEWHEEL
    AfxSig_vMMI,      // void (MINMAXINFO*)                        WM_GETMINMAXINFO
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;  // window message, or a reflected one (WM_REFLECT_BASE + message)
    UINT nCode;     // control notification code, 0 for window messages
    UINT nID;       // control identifier, 0 for window messages
    UINT nLastID;   // last identifier of a range
    UINT_PTR nSig;  // AfxSig
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Messages a parent reflects back to the control that sent them.
#define WM_REFLECT_BASE 0xBC00
// All WM_CTLCOLOR... messages reach a handler under this one message.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

class AFXKIT_API CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    friend class CWnd;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static_assert(sizeof(ThisClass) > 0, "an empty map still names its class"); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0} \
        }; \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap; \
    }

// A map entry keeps every handler as one pointer type: the bits of the handler's own
// pointer are copied in, and copied back into exactly that type when the message is
// dispatched, so no pointer is ever converted between member function types.
template <class TMember>
AFX_PMSG AfxHandlerOf(TMember pfn)
{
    static_assert(sizeof(TMember) == sizeof(AFX_PMSG), "handlers are plain member functions");
    AFX_PMSG pmsg;
    memcpy(&pmsg, &pfn, sizeof(pmsg));
    return pmsg;
}

template <class TMember>
TMember AfxHandlerAs(AFX_PMSG pmsg)
{
    TMember pfn;
    memcpy(&pfn, &pmsg, sizeof(pfn));
    return pfn;
}

// The static_cast checks the handler's signature.
#define AFX_MSG_ENTRY(msg, code, id, sig, type, fn) \
    {msg, code, id, id, sig, AfxHandlerOf(static_cast<type>(&ThisClass::fn))},

#define ON_COMMAND(id, fn) AFX_MSG_ENTRY(WM_COMMAND, 0, id, AfxSig_vv, void (CWnd::*)(), fn)
#define ON_CONTROL(code, id, fn) AFX_MSG_ENTRY(WM_COMMAND, code, id, AfxSig_vv, void (CWnd::*)(), fn)
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_NOTIFY(code, id, fn) \
    AFX_MSG_ENTRY(WM_NOTIFY, (UINT)(code), id, AfxSig_vNMHDRpl, void (CWnd::*)(NMHDR*, LRESULT*), fn)
#define ON_NOTIFY_REFLECT(code, fn) \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, (UINT)(code), 0, AfxSig_vNMHDRpl, void (CWnd::*)(NMHDR*, LRESULT*), fn)
#define ON_CONTROL_REFLECT(code, fn) \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, AfxSig_vv, void (CWnd::*)(), fn)

#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, 0, 0, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_ERASEBKGND() AFX_MSG_ENTRY(WM_ERASEBKGND, 0, 0, AfxSig_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_SETFOCUS() AFX_MSG_ENTRY(WM_SETFOCUS, 0, 0, AfxSig_vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_ACTIVATE() \
    AFX_MSG_ENTRY(WM_ACTIVATE, 0, 0, AfxSig_vwWb, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_KILLFOCUS() AFX_MSG_ENTRY(WM_KILLFOCUS, 0, 0, AfxSig_vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_MOUSEMOVE() AFX_MSG_ENTRY(WM_MOUSEMOVE, 0, 0, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_LBUTTONDOWN() \
    AFX_MSG_ENTRY(WM_LBUTTONDOWN, 0, 0, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MSG_ENTRY(WM_LBUTTONUP, 0, 0, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() \
    AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, 0, 0, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_SIZE() AFX_MSG_ENTRY(WM_SIZE, 0, 0, AfxSig_vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_HSCROLL() \
    AFX_MSG_ENTRY(WM_HSCROLL, 0, 0, AfxSig_vwwX, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() \
    AFX_MSG_ENTRY(WM_VSCROLL, 0, 0, AfxSig_vwwX, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_SETCURSOR() \
    AFX_MSG_ENTRY(WM_SETCURSOR, 0, 0, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_CTLCOLOR() \
    AFX_MSG_ENTRY(WM_CTLCOLOR, 0, 0, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DRAWITEM() \
    AFX_MSG_ENTRY(WM_DRAWITEM, 0, 0, AfxSig_vwO, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM() \
    AFX_MSG_ENTRY(WM_MEASUREITEM, 0, 0, AfxSig_vwM, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, 0, 0, AfxSig_vw, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_KEYDOWN() AFX_MSG_ENTRY(WM_KEYDOWN, 0, 0, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, 0, 0, AfxSig_wv, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_MOUSEWHEEL() \
    AFX_MSG_ENTRY(WM_MOUSEWHEEL, 0, 0, AfxSig_bwsp, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_GETMINMAXINFO() \
    AFX_MSG_ENTRY(WM_GETMINMAXINFO, 0, 0, AfxSig_vMMI, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
// Handlers in a control of the messages its parent reflects to it.
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, AfxSig_hDw, HBRUSH (CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_HSCROLL_REFLECT() \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_HSCROLL, 0, 0, AfxSig_vww, void (CWnd::*)(UINT, UINT), HScroll)
#define ON_WM_VSCROLL_REFLECT() \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_VSCROLL, 0, 0, AfxSig_vww, void (CWnd::*)(UINT, UINT), VScroll)
#define ON_WM_VKEYTOITEM() \
    AFX_MSG_ENTRY(WM_VKEYTOITEM, 0, 0, AfxSig_iwLw, int (CWnd::*)(UINT, CListBox*, UINT), OnVKeyToItem)
#define ON_WM_CHARTOITEM() \
    AFX_MSG_ENTRY(WM_CHARTOITEM, 0, 0, AfxSig_iwLw, int (CWnd::*)(UINT, CListBox*, UINT), OnCharToItem)
