// The in-place editor of a position grid: a single-line edit laid over the selected
// cell. Every way of closing it stores its text in that cell.
#pragma once
#include <afxwin.h>

class CClvHeader;

class CClvEdit : public CEdit
{
public:
    CClvEdit() = default;

    // Stores the text in the selected cell and closes the editor.
    void CommitEdit();
    // Empties the editor and destroys its window; the focus loss that follows stores
    // the empty text.
    void ClearAndClose();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Reflected EN_KILLFOCUS: stores the text, tells the grid, closes the editor.
    afx_msg void OnKillfocus();
    // Reflected EN_SETFOCUS: the grid's labels stay black while the editor has the focus.
    afx_msg void OnSetfocus();

    CClvHeader* m_pHeader = nullptr;  // the header that holds this editor as m_edit

protected:
    DECLARE_MESSAGE_MAP()

private:
    // The editor's text into the selected cell of the owner.
    void StoreText();
};
