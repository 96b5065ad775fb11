// A list box control.
#pragma once
#include "afx/CWnd.h"

class AFXKIT_API CListBox : public CWnd
{
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox() = default;

    int GetCount() const { return (int)SendMessage(LB_GETCOUNT); }
    // -1 when nothing is selected.
    int GetCurSel() const { return (int)SendMessage(LB_GETCURSEL); }
    int SetCurSel(int nSelect) { return (int)SendMessage(LB_SETCURSEL, nSelect); }
    // In a sorted list the string goes to its place in the order; returns its index.
    int AddString(LPCSTR lpszItem) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)lpszItem); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetTextLen(int nIndex) const { return (int)SendMessage(LB_GETTEXTLEN, nIndex); }
    void GetText(int nIndex, CString& rString) const;
    // The first item after nStartAfter whose text begins with lpszItem, ignoring case and
    // wrapping to the start; -1 when none. nStartAfter -1 searches from the first item.
    int FindString(int nStartAfter, LPCSTR lpszItem) const
    {
        return (int)SendMessage(LB_FINDSTRING, nStartAfter, (LPARAM)lpszItem);
    }

    // The answers to the owner's WM_VKEYTOITEM and WM_CHARTOITEM, reflected here when the
    // owner does not give its own: -1, the list's own handling of the key.
    virtual int VKeyToItem(UINT nKey, UINT nIndex);
    virtual int CharToItem(UINT nChar, UINT nIndex);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
