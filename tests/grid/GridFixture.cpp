#include "GridFixture.h"
#include "PositionLabel.h"

#include <cctype>

GridTest::~GridTest()
{
    HoldKey(VK_SHIFT, false);
    HoldKey(VK_CONTROL, false);
    ::ReleaseCapture();
    ::ClipCursor(NULL);
}

void GridTest::CreateGrid(int nWidth)
{
    ASSERT_TRUE(m_parent.Create(NULL, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 560, 400), &m_host, 1));
    ASSERT_TRUE(m_grid.Create(CRect(10, 10, 10 + nWidth, 300), &m_parent, IDC_CLV_GRID));
    ::SetActiveWindow(m_host.m_hWnd);
    Redraw();
}

void GridTest::SetColumns(int nFirst, const std::vector<int>& edges)
{
    m_header.m_labels.RemoveAll();
    m_header.m_cells.RemoveAll();
    m_header.m_edges.RemoveAll();
    while (m_header.GetItemCount() > 0)
        m_header.DeleteItem(0);
    int nLeft = 0;
    for (size_t i = 0; i < edges.size(); ++i)
    {
        m_header.m_labels.AddTail(PositionLabel(nFirst + (int)i));
        m_header.m_cells.Add(CString());
        m_header.m_edges.Add(edges[i]);
        m_header.InsertColumnItem((int)i, edges[i] - nLeft);
        nLeft = edges[i];
    }
    m_header.m_nFirstVisible = 0;
    m_header.m_nSelected = -1;
    m_header.UpdateScrollBar();
    Redraw();
}

void GridTest::Redraw()
{
    m_grid.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
}

std::vector<int> GridTest::Edges() const
{
    std::vector<int> edges;
    for (INT_PTR i = 0; i < m_header.m_edges.GetSize(); ++i)
        edges.push_back((int)m_header.m_edges[i]);
    return edges;
}

std::string GridTest::Labels() const
{
    std::string strLabels;
    for (POSITION pos = m_header.m_labels.GetHeadPosition(); pos != NULL;)
        strLabels += std::string(strLabels.empty() ? "" : " ") + (LPCSTR)m_header.m_labels.GetNext(pos);
    return strLabels;
}

std::vector<int> GridTest::ItemWidths() const
{
    std::vector<int> widths;
    for (int i = 0; i < m_header.GetItemCount(); ++i)
        widths.push_back(m_header.GetItemWidth(i));
    return widths;
}

void GridTest::Click(CPoint point)
{
    m_grid.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    m_grid.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    PumpMessages();
}

void GridTest::Key(UINT nVirtualKey)
{
    PostKey(::GetFocus(), nVirtualKey);
    PumpMessages();
}

void GridTest::Type(const char* lpszLetters)
{
    for (; *lpszLetters != '\0'; ++lpszLetters)
        Key((UINT)toupper((unsigned char)*lpszLetters));
}

void GridTest::HoldKey(UINT nVirtualKey, bool bDown)
{
    BYTE state[256] = {};
    ASSERT_TRUE(::GetKeyboardState(state));
    state[nVirtualKey] = bDown ? 0x80 : 0;
    ASSERT_TRUE(::SetKeyboardState(state));
}

void GridTest::Scroll(UINT nSBCode)
{
    m_grid.SendMessage(WM_HSCROLL, nSBCode, (LPARAM)m_header.m_scrollBar.m_hWnd);
    Redraw();
}

void GridTest::EndTrack(int nItem, int x, bool bCtrl)
{
    CPoint point(x, 5);
    m_header.ClientToScreen(&point);
    ASSERT_TRUE(::SetCursorPos(point.x, point.y));
    HoldKey(VK_CONTROL, bCtrl);
    NMHEADERA notification = {};
    notification.hdr.hwndFrom = m_header.m_hWnd;
    notification.hdr.idFrom = IDC_CLV_HEADER;
    notification.hdr.code = HDN_ENDTRACKA;
    notification.iItem = nItem;
    m_grid.SendMessage(WM_NOTIFY, IDC_CLV_HEADER, (LPARAM)&notification);
    HoldKey(VK_CONTROL, false);
    Redraw();
}

void GridTest::AddFromCode(int nSide, int x)
{
    m_header.m_bAdding = TRUE;
    m_header.m_nAddSide = nSide;
    m_header.m_nDragX = x;
    m_header.OnLButtonUp(0, CPoint(0, 0));
    m_header.m_bAdding = FALSE;
    m_header.m_nAddSide = 0;
    m_header.m_nDragX = 0;
    Redraw();
}

int GridTest::CountPixels(CWnd& wnd, const CRect& rect, COLORREF colour)
{
    const HDC hDC = ::GetDC(wnd.m_hWnd);
    int nCount = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            nCount += ::GetPixel(hDC, x, y) == colour;
    ::ReleaseDC(wnd.m_hWnd, hDC);
    return nCount;
}

COLORREF GridTest::Pixel(CWnd& wnd, int x, int y)
{
    const HDC hDC = ::GetDC(wnd.m_hWnd);
    const COLORREF colour = ::GetPixel(hDC, x, y);
    ::ReleaseDC(wnd.m_hWnd, hDC);
    return colour;
}
