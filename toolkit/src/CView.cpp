#include "afxext.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

void CView::OnInitialUpdate()
{
    Invalidate();
}

void CView::PostNcDestroy()
{
    delete this;
}
