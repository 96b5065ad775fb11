// A view: a child window that is told when to fill itself and deletes itself with its window.
#pragma once
#include "afx/CWnd.h"

class AFXKIT_API CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;

    virtual void OnInitialUpdate();

protected:
    virtual void OnDraw(CDC* pDC) = 0;
    void PostNcDestroy() override;
};
