// A position grid in a test window, driven with real mouse and key messages.
#pragma once
#include "CHeaderWnd.h"
#include "PositionLabel.h"
#include "WindowTestSupport.h"

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <vector>

class GridTest : public testing::Test
{
protected:
    ~GridTest() override
    {
        HoldKey(VK_SHIFT, false);
        HoldKey(VK_CONTROL, false);
        ::ReleaseCapture();
        ::ClipCursor(NULL);
    }

    // A grid nWidth wide in a white parent that has no font.
    void CreateGrid(int nWidth)
    {
        ASSERT_TRUE(m_parent.Create(NULL, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 560, 400), &m_host, 1));
        ASSERT_TRUE(m_grid.Create(CRect(10, 10, 10 + nWidth, 300), &m_parent, IDC_CLV_GRID));
        ::SetActiveWindow(m_host.m_hWnd);
        Redraw();
    }

    // Consecutive positions from nFirst with these right edges, as the dialog loads them.
    void SetColumns(int nFirst, const std::vector<int>& edges)
    {
        m_header.m_labels.RemoveAll();
        m_header.m_cells.RemoveAll();
        m_header.m_edges.RemoveAll();
        while (m_header.GetItemCount() > 0)
            m_header.DeleteItem(0);
        for (size_t i = 0; i < edges.size(); ++i)
        {
            m_header.m_labels.AddTail(PositionLabel(nFirst + (int)i));
            m_header.m_cells.Add(CString());
            m_header.m_edges.Add(edges[i]);
            m_header.InsertColumnItem((int)i, 30);
        }
        m_header.m_nFirstVisible = 0;
        m_header.UpdateScrollBar();
        Redraw();
    }

    void Redraw()
    {
        m_grid.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpMessages();
    }

    // The labels with their right edges: "P2:11 P1:60 P1':200".
    std::string Columns() const
    {
        std::string strColumns;
        for (int i = 0; i < m_header.GetColumnCount(); ++i)
            strColumns += std::string(i ? " " : "") + (LPCSTR)m_header.GetLabel(i) + ":" +
                          std::to_string(m_header.GetEdge(i));
        return strColumns;
    }

    std::vector<int> ItemWidths() const
    {
        std::vector<int> widths;
        for (int i = 0; i < m_header.GetItemCount(); ++i)
            widths.push_back(m_header.GetItemWidth(i));
        return widths;
    }

    int ScrollMax() const
    {
        int nMin = -1;
        int nMax = -1;
        m_header.m_scrollBar.GetScrollRange(&nMin, &nMax);
        return m_header.m_scrollBar.IsWindowVisible() ? nMax : -1;
    }

    int H() const { return m_header.m_size.cy; }

    void Click(CPoint point)
    {
        m_grid.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        m_grid.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        PumpMessages();
    }

    void ClickCell(int nColumn) { Click(m_header.GetCellRect(nColumn).CenterPoint()); }

    void Key(UINT nVirtualKey)
    {
        PostKey(::GetFocus(), nVirtualKey);
        PumpMessages();
    }

    void Type(const char* lpszLetters)
    {
        for (; *lpszLetters != '\0'; ++lpszLetters)
            Key((UINT)toupper((unsigned char)*lpszLetters));
    }

    void Scroll(UINT nSBCode)
    {
        m_grid.SendMessage(WM_HSCROLL, nSBCode, (LPARAM)m_header.m_scrollBar.m_hWnd);
        Redraw();
    }

    // A mouse message to the header, with the pointer where the message says.
    void Mouse(UINT message, UINT nFlags, int x)
    {
        CPoint point(x, 5);
        m_header.ClientToScreen(&point);
        ::SetCursorPos(point.x, point.y);
        m_header.SendMessage(message, nFlags, MAKELPARAM(x, 5));
    }

    // A press, a move and a release of the left button on the header.
    void Drag(int xFrom, int xTo)
    {
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, xFrom);
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, xTo);
        Mouse(WM_LBUTTONUP, 0, xTo);
    }

    // The header's end-of-divider-drag notification, the pointer at x.
    void EndTrack(int nItem, int x, bool bCtrl)
    {
        Mouse(WM_MOUSEMOVE, 0, x);
        HoldKey(VK_CONTROL, bCtrl);
        NMHEADERA notification = {{m_header.m_hWnd, IDC_CLV_HEADER, (UINT)HDN_ENDTRACKA}, nItem, 0, NULL};
        m_grid.SendMessage(WM_NOTIFY, IDC_CLV_HEADER, (LPARAM)&notification);
        HoldKey(VK_CONTROL, false);
        Redraw();
    }

    // The reagent dialog's adding from code.
    void AddFromCode(int nSide, int x)
    {
        m_header.m_bAdding = TRUE;
        m_header.m_nAddSide = nSide;
        m_header.m_nDragX = x;
        m_header.OnLButtonUp(0, CPoint(0, 0));
        m_header.m_bAdding = m_header.m_nAddSide = m_header.m_nDragX = 0;
        Redraw();
    }

    static int CountPixels(CWnd& wnd, const CRect& rect, COLORREF colour)
    {
        const HDC hDC = ::GetDC(wnd.m_hWnd);
        int nCount = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                nCount += ::GetPixel(hDC, x, y) == colour;
        ::ReleaseDC(wnd.m_hWnd, hDC);
        return nCount;
    }

    static COLORREF Pixel(CWnd& wnd, int x, int y)
    {
        const HDC hDC = ::GetDC(wnd.m_hWnd);
        const COLORREF colour = ::GetPixel(hDC, x, y);
        ::ReleaseDC(wnd.m_hWnd, hDC);
        return colour;
    }

    TestHostWindow m_host;
    CWnd m_parent;
    CHeaderWnd m_grid;
    CClvHeader& m_header = m_grid.m_header;
};
