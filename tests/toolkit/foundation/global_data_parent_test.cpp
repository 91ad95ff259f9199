#include <gtest/gtest.h>

#include "dib_canvas.h"
#include "platform/ui/window_class.h"
#include "platform/ui/wnd.h"
#include "toolkit/foundation/global_data.h"

namespace {

// The parent's background: four quadrants split at (kSplitX, kSplitY) of
// its client area.
constexpr int kSplitX = 50;
constexpr int kSplitY = 30;
constexpr COLORREF kQuadrants[4] = {RGB(200, 0, 0), RGB(0, 0, 200), RGB(0, 160, 0), RGB(90, 90, 90)};
constexpr COLORREF kUntouched = RGB(1, 2, 3);

COLORREF QuadrantAt(int x, int y)
{
    return kQuadrants[(x >= kSplitX ? 1 : 0) + (y >= kSplitY ? 2 : 0)];
}

struct ParentLog {
    int erased = 0;
    int printed = 0;
    LRESULT answer = 1;
};

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* log = reinterpret_cast<ParentLog*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_ERASEBKGND && log) {
        ++log->erased;
        HDC dc = reinterpret_cast<HDC>(wParam);
        for (int i = 0; i < 4; ++i) {
            const RECT part = {i % 2 ? kSplitX : 0, i / 2 ? kSplitY : 0, i % 2 ? 200 : kSplitX,
                               i / 2 ? 200 : kSplitY};
            HBRUSH brush = ::CreateSolidBrush(kQuadrants[i]);
            ::FillRect(dc, &part, brush);
            ::DeleteObject(brush);
        }
        return log->answer;
    }
    if (message == WM_PRINTCLIENT && log)
        ++log->printed;
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// A parent that paints quadrants, with a 20 x 20 child at (40, 20).
class ParentAndChild {
public:
    ParentAndChild()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ParentProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "WtkParentBackgroundTest";
        ::RegisterClassA(&windowClass);
        parent = ::CreateWindowExA(0, "WtkParentBackgroundTest", "parent", WS_POPUP, 0, 0, 200, 200, nullptr,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ::SetWindowLongPtrA(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log));
        child = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 40, 20, 20, 20, parent, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    }
    ~ParentAndChild() { ::DestroyWindow(parent); }

    HWND parent = nullptr;
    HWND child = nullptr;
    ParentLog log;
};

// The display data's theme library is one without the themed call while it
// lives, so that the parent's own erasing paints.
class ScopedNoThemeCall {
public:
    ScopedNoThemeCall()
    {
        CWtkGlobalData& data = WtkGlobalData();
        m_saved = data.m_hinstUXThemeDLL;
        data.m_hinstUXThemeDLL = ::LoadLibraryA("gdi32.dll");
    }
    ~ScopedNoThemeCall()
    {
        CWtkGlobalData& data = WtkGlobalData();
        ::FreeLibrary(data.m_hinstUXThemeDLL);
        data.m_hinstUXThemeDLL = m_saved;
    }

private:
    HMODULE m_saved;
};

// Expects the parent's quadrants where the child lies (inside clip when
// given), kUntouched elsewhere.
void ExpectParentBehindChild(const DibCanvas& canvas, const RECT* clip)
{
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside = !clip || ::PtInRect(clip, POINT{x, y});
            ASSERT_EQ(inside ? QuadrantAt(40 + x, 20 + y) : kUntouched, canvas.At(x, y)) << x << "," << y;
        }
    }
}

TEST(DrawParentBackground, ThemeLibraryPaintsTheParentBehindTheChild)
{
    ParentAndChild windows;
    ASSERT_NE(nullptr, windows.child);
    DibCanvas canvas(20, 20);
    ASSERT_TRUE(canvas.IsValid());
    canvas.Fill(kUntouched);

    EXPECT_TRUE(WtkGlobalData().DrawParentBackground(CWnd::FromHandle(windows.child), &canvas.dc));
    ExpectParentBehindChild(canvas, nullptr);
    EXPECT_NE(nullptr, WtkGlobalData().m_hinstUXThemeDLL);
    EXPECT_EQ(::GetModuleHandleA("uxtheme.dll"), WtkGlobalData().m_hinstUXThemeDLL);
}

TEST(DrawParentBackground, WithoutTheThemedCallTheParentErasesThroughAnOffsetOrigin)
{
    ScopedNoThemeCall noTheme;
    ParentAndChild windows;
    ASSERT_NE(nullptr, windows.child);
    DibCanvas canvas(20, 20);
    ASSERT_TRUE(canvas.IsValid());
    canvas.Fill(kUntouched);

    EXPECT_TRUE(WtkGlobalData().DrawParentBackground(CWnd::FromHandle(windows.child), &canvas.dc));
    ExpectParentBehindChild(canvas, nullptr);
    EXPECT_EQ(1, windows.log.erased);
    EXPECT_EQ(0, windows.log.printed);
    EXPECT_EQ(CPoint(0, 0), canvas.dc.GetWindowOrg());

    windows.log.answer = 0;
    EXPECT_FALSE(WtkGlobalData().DrawParentBackground(CWnd::FromHandle(windows.child), &canvas.dc));
}

TEST(DrawParentBackground, ARectanglePaintsOnlyInsideItOnBothPaths)
{
    for (bool themed : {true, false}) {
        SCOPED_TRACE(themed ? "themed" : "erase");
        std::unique_ptr<ScopedNoThemeCall> noTheme(themed ? nullptr : new ScopedNoThemeCall);
        ParentAndChild windows;
        DibCanvas canvas(20, 20);
        ASSERT_TRUE(canvas.IsValid());
        canvas.Fill(kUntouched);
        RECT part = {3, 4, 15, 12};
        EXPECT_TRUE(WtkGlobalData().DrawParentBackground(CWnd::FromHandle(windows.child), &canvas.dc, &part));
        ExpectParentBehindChild(canvas, &part);
    }
}

TEST(DrawParentBackground, TheDeviceContextKeepsItsOwnClipRegion)
{
    ScopedNoThemeCall noTheme;
    ParentAndChild windows;
    DibCanvas canvas(20, 20);
    ASSERT_TRUE(canvas.IsValid());
    HRGN own = ::CreateRectRgn(0, 0, 10, 20);
    ::SelectClipRgn(canvas.dc.GetSafeHdc(), own);
    ::DeleteObject(own);

    RECT part = {5, 5, 15, 15};
    EXPECT_TRUE(WtkGlobalData().DrawParentBackground(CWnd::FromHandle(windows.child), &canvas.dc, &part));
    RECT box = {};
    EXPECT_EQ(SIMPLEREGION, ::GetClipBox(canvas.dc.GetSafeHdc(), &box));
    EXPECT_EQ(CRect(0, 0, 10, 20), CRect(box));
}

// A window the toolkit takes for a frame.
class FakeFrame : public CWnd {
public:
    // Frame classes of their own don't exist here: the address stands for the
    // frame and is only compared.
    CFrameWnd* AsFrameWnd() override { return reinterpret_cast<CFrameWnd*>(this); }
};

TEST(WtkGetParentFrame, AnswersTheNearestFrameAboveTheWindow)
{
    const LPCSTR windowClass = AfxRegisterWndClass(0);
    FakeFrame frame;
    ASSERT_TRUE(frame.CreateEx(0, windowClass, "frame", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    CWnd pane;
    ASSERT_TRUE(pane.CreateEx(0, windowClass, "pane", WS_CHILD, CRect(0, 0, 100, 100), &frame, 1));
    CWnd bar;
    ASSERT_TRUE(bar.CreateEx(0, windowClass, "bar", WS_CHILD, CRect(0, 0, 50, 20), &pane, 2));
    // A floating window: owned by the frame, not its child.
    CWnd floating;
    ASSERT_TRUE(floating.CreateEx(0, windowClass, "floating", WS_POPUP, 0, 0, 80, 60, frame.GetSafeHwnd(), nullptr));
    CWnd floatingBar;
    ASSERT_TRUE(floatingBar.CreateEx(0, windowClass, "floating bar", WS_CHILD, CRect(0, 0, 50, 20), &floating, 3));
    CWnd alone;
    ASSERT_TRUE(alone.CreateEx(0, windowClass, "alone", WS_POPUP, 0, 0, 80, 60, nullptr, nullptr));

    CFrameWnd* const expected = frame.AsFrameWnd();
    EXPECT_EQ(expected, WtkGetParentFrame(&bar));
    EXPECT_EQ(expected, WtkGetParentFrame(&pane));
    EXPECT_EQ(expected, WtkGetParentFrame(&floatingBar));
    EXPECT_EQ(nullptr, WtkGetParentFrame(&frame));
    EXPECT_EQ(nullptr, WtkGetParentFrame(&alone));
    EXPECT_EQ(nullptr, WtkGetParentFrame(nullptr));
    CWnd none;
    EXPECT_EQ(nullptr, WtkGetParentFrame(&none));

    floatingBar.DestroyWindow();
    floating.DestroyWindow();
    bar.DestroyWindow();
    pane.DestroyWindow();
    alone.DestroyWindow();
    frame.DestroyWindow();
}

}  // namespace
