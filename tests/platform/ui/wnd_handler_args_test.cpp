#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "platform/ui/dc.h"
#include "platform/ui/font.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/tab_ctrl.h"
#include "platform/ui/window_class.h"
#include "platform/ui/wnd.h"

namespace {

// Records what its handlers receive.
class RecordingWindow : public CWnd {
public:
    CDC* eraseDc = nullptr;
    CDC* colourDc = nullptr;
    CWnd* colourControl = nullptr;
    UINT colourKind = 0;
    CPoint contextPoint;
    CWnd* contextWindow = nullptr;
    CPoint movePoint;
    UINT moveFlags = 0;
    CPoint hitPoint;

protected:
    BOOL OnEraseBkgnd(CDC* pDC)
    {
        eraseDc = pDC;
        return TRUE;
    }
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        colourDc = pDC;
        colourControl = pWnd;
        colourKind = nCtlColor;
        return static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    }
    void OnContextMenu(CWnd* pWnd, CPoint pos)
    {
        contextWindow = pWnd;
        contextPoint = pos;
    }
    void OnMouseMove(UINT nFlags, CPoint point)
    {
        moveFlags = nFlags;
        movePoint = point;
    }
    LRESULT OnNcHitTest(CPoint point)
    {
        hitPoint = point;
        return HTCLIENT;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingWindow, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_CONTEXTMENU()
    ON_WM_MOUSEMOVE()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

TEST(HandlerArguments, DeviceContextsArriveAsObjectsAndPointsAsSignedPoints)
{
    RecordingWindow window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), "recording", WS_POPUP, 0, 0, 100, 100, nullptr,
                                nullptr));
    HDC memory = ::CreateCompatibleDC(nullptr);

    EXPECT_EQ(window.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory)), TRUE);
    ASSERT_NE(window.eraseDc, nullptr);
    EXPECT_EQ(window.eraseDc->m_hDC, memory);

    HWND label = ::CreateWindowA("STATIC", "x", WS_CHILD, 0, 0, 10, 10, window.m_hWnd, nullptr, nullptr, nullptr);
    const LRESULT brush =
        window.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(::GetStockObject(GRAY_BRUSH)));
    ASSERT_NE(window.colourDc, nullptr);
    EXPECT_EQ(window.colourDc->m_hDC, memory);
    ASSERT_NE(window.colourControl, nullptr);
    EXPECT_EQ(window.colourControl->m_hWnd, label);
    EXPECT_EQ(window.colourKind, static_cast<UINT>(CTLCOLOR_STATIC));

    // Points left of and above a screen's origin (a second monitor) are negative.
    window.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.m_hWnd), MAKELPARAM(-25, 40));
    EXPECT_EQ(window.contextPoint, CPoint(-25, 40));
    EXPECT_EQ(window.contextWindow, &window);
    window.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(7, -3));
    EXPECT_EQ(window.movePoint, CPoint(7, -3));
    EXPECT_EQ(window.moveFlags, static_cast<UINT>(MK_LBUTTON));
    EXPECT_EQ(window.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(-1, -2)), HTCLIENT);
    EXPECT_EQ(window.hitPoint, CPoint(-1, -2));

    window.DestroyWindow();
    CDC::DeleteTempMap();
    CWnd::DeleteTempMap();
    ::DeleteDC(memory);
}

TEST(HandlerArguments, GetDcAnswersAnObjectForTheWindowsDeviceContext)
{
    RecordingWindow window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), "dc", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    CDC* dc = window.GetDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(::WindowFromDC(dc->m_hDC), window.m_hWnd);
    EXPECT_EQ(window.ReleaseDC(dc), 1);
    EXPECT_EQ(window.ReleaseDC(nullptr), 0);

    // The frame of a dragged window is drawn on the whole desktop.
    CDC* desktop = CWnd::GetDesktopWindow()->GetDCEx(nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    ASSERT_NE(desktop, nullptr);
    EXPECT_EQ(desktop->GetDeviceCaps(HORZRES), ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(CWnd::GetDesktopWindow()->ReleaseDC(desktop), 1);
    CDC::DeleteTempMap();
}

TEST(HandlerArguments, FontsAndImageListsCrossAsObjects)
{
    ControlHost host;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT | LVS_SHAREIMAGELISTS, Box(0, 0, 100, 100), &host, 1));
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD, Box(0, 100, 100, 30), &host, 2));

    CFont font;
    LOGFONTA logFont = {};
    logFont.lfHeight = -11;
    lstrcpyA(logFont.lfFaceName, "Tahoma");
    ASSERT_TRUE(font.CreateFontIndirect(&logFont));
    list.SetFont(&font, FALSE);
    EXPECT_EQ(list.GetFont(), &font) << "the owner of the font is found";

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 1, 1));
    CImageList* before = list.SetImageList(&images, LVSIL_SMALL);
    EXPECT_EQ(before, nullptr) << "no list before";
    EXPECT_EQ(list.GetImageList(LVSIL_SMALL), &images);
    EXPECT_EQ(list.SetImageList(nullptr, LVSIL_SMALL), &images);
    EXPECT_EQ(tabs.SetImageList(&images), nullptr);
    EXPECT_EQ(tabs.GetImageList(), &images);
    tabs.SetImageList(nullptr);
}

}  // namespace
