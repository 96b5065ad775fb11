#include "MessageBoxScript.h"
#include "WindowTestSupport.h"

#include <afxcmn.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
const UINT kFileErrorCommand = 7002;

// Records the handlers that ran, with their cracked arguments.
class CRecordingWnd : public CWnd
{
public:
    std::vector<std::string> m_calls;

    BOOL CreateChild(CWnd* pParent, const CRect& rect)
    {
        return Create(NULL, "", WS_CHILD | WS_VISIBLE, rect, pParent, 1);
    }

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_calls.push_back("base down " + std::to_string(nFlags) + " " + std::to_string(point.x) + "," +
                          std::to_string(point.y));
    }
    afx_msg void OnMouseMove(UINT /*nFlags*/, CPoint point)
    {
        m_calls.push_back("base move " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        m_calls.push_back("size " + std::to_string(nType) + " " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    void PostNcDestroy() override { m_calls.push_back("post nc destroy"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

// Overrides one handler; the others come from the base class's map.
class CDerivedRecordingWnd : public CRecordingWnd
{
protected:
    afx_msg void OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/) { m_calls.push_back("derived down"); }
    afx_msg void OnFileError() { AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, "out.dat"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedRecordingWnd, CRecordingWnd)
    ON_WM_LBUTTONDOWN()
    ON_COMMAND(kFileErrorCommand, OnFileError)
END_MESSAGE_MAP()

class MessageMapTest : public testing::Test
{
protected:
    TestHostWindow m_host;
};
}

TEST_F(MessageMapTest, HandlersGetCrackedArgumentsFromTheFirstSizeOn)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateChild(&m_host, CRect(0, 0, 100, 80)));
    // WM_SIZE arrives inside CreateWindowEx: it reaches the map only if the object is
    // attached before the window's first message.
    EXPECT_EQ("size 0 100x80", wnd.m_calls.empty() ? "" : wnd.m_calls.front());
    wnd.m_calls.clear();
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 12));
    wnd.SendMessage(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(300, 200));
    const std::vector<std::string> expected = {"base down 1 -5,12", "size 1 300x200"};
    EXPECT_EQ(expected, wnd.m_calls);
}

TEST_F(MessageMapTest, DerivedMapOverridesAndChainsToTheBaseMap)
{
    CDerivedRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateChild(&m_host, CRect(0, 0, 100, 80)));
    wnd.m_calls.clear();
    wnd.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
    wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 3));
    const std::vector<std::string> expected = {"derived down", "base move 2,3"};
    EXPECT_EQ(expected, wnd.m_calls);
}

TEST_F(MessageMapTest, ExceptionInAHandlerIsReportedNotPropagated)
{
    MessageBoxScript boxes;
    boxes.Answer(IDOK);
    CDerivedRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateChild(&m_host, CRect(0, 0, 100, 80)));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kFileErrorCommand, 0), 0);
    ASSERT_EQ(1u, boxes.Calls().size());
    EXPECT_EQ(0, boxes.Calls()[0].strText.Find("out.dat"));
}

TEST_F(MessageMapTest, DestroyingTheWindowDetachesItsObject)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateChild(&m_host, CRect(0, 0, 100, 80)));
    const HWND hWnd = wnd.m_hWnd;
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ("post nc destroy", wnd.m_calls.back());
}

TEST_F(MessageMapTest, TemporaryWrappersAreFreedAndPermanentOnesKept)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateChild(&m_host, CRect(0, 0, 100, 80)));
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
    CWnd* pTemporary = CWnd::FromHandle(m_host.m_hWnd);
    EXPECT_EQ(&m_host, pTemporary) << "the host is attached too";
    CWnd* pDesktop = CWnd::FromHandle(::GetDesktopWindow());
    ASSERT_NE(nullptr, pDesktop);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(::GetDesktopWindow()));
    EXPECT_EQ(pDesktop, CWnd::FromHandle(::GetDesktopWindow()));
    AfxDeleteTempMap();
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
}
