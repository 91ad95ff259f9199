#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls_fixture.h"
#include "message_pump.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/brush.h"
#include "platform/ui/dc.h"
#include "platform/ui/pen.h"
#include "platform/ui/rgn.h"
#include "platform/ui/window_class.h"
#include "screenshot.h"

namespace {

// A memory device context drawing into a 32-bit top-down DIB whose pixels
// the test reads directly (0x00RRGGBB).
class DibCanvas {
public:
    DibCanvas(int width, int height) : m_width(width), m_height(height), m_bits(nullptr)
    {
        HBITMAP dib = MakeDib(width, height, &m_bits);
        EXPECT_TRUE(m_bitmap.Attach(dib));
        EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
        m_old = dc.SelectObject(&m_bitmap);
    }
    ~DibCanvas() { dc.SelectObject(m_old); }

    void Fill(DWORD rgb)
    {
        ::GdiFlush();
        for (int i = 0; i < m_width * m_height; ++i)
            m_bits[i] = rgb;
    }
    DWORD At(int x, int y) const
    {
        ::GdiFlush();
        return m_bits[y * m_width + x] & 0xFFFFFF;
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    CDC dc;

private:
    int m_width;
    int m_height;
    DWORD* m_bits;
    CBitmap m_bitmap;
    CBitmap* m_old;
};

constexpr DWORD kBackground = 0x336699;

bool InFrame(const CRect& rect, SIZE size, int x, int y)
{
    if (rect.IsRectEmpty() || !rect.PtInRect(CPoint(x, y)))
        return false;
    CRect inner = rect;
    inner.DeflateRect(size.cx, size.cy);
    return inner.IsRectEmpty() || !inner.PtInRect(CPoint(x, y));
}

// Checks that exactly the pixels of the frame are inverted, those of the
// frame in a checkerboard (every other pixel, alternating by row) when
// halftone is set, all of them otherwise. Answers the number of faults.
int CheckFrame(const DibCanvas& canvas, const CRect& rect, SIZE size, bool halftone)
{
    int faults = 0;
    int phase = -1;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const DWORD pixel = canvas.At(x, y);
            bool inverted;
            if (pixel == kBackground) {
                inverted = false;
            } else if (pixel == (kBackground ^ 0xFFFFFF)) {
                inverted = true;
            } else {
                ADD_FAILURE() << "pixel " << x << "," << y << " is neither the background nor its inverse: " << std::hex
                              << pixel;
                return 1;
            }
            bool expected = InFrame(rect, size, x, y);
            if (expected && halftone) {
                if (phase < 0)
                    phase = ((x + y) & 1) ^ (inverted ? 0 : 1);
                expected = ((x + y) & 1) == phase;
            }
            if (inverted != expected && faults++ < 5)
                ADD_FAILURE() << "pixel " << x << "," << y << (inverted ? " inverted" : " untouched");
        }
    }
    return faults;
}

TEST(DrawDragRect, InvertsTheFrameAndErasesTheLastOneWhenMoved)
{
    const struct {
        const char* name;
        CRect first;
        SIZE firstSize;
        CRect second;
        SIZE secondSize;
    } cases[] = {
        {"thin frame moved right", CRect(4, 4, 30, 24), {1, 1}, CRect(10, 4, 36, 24), {1, 1}},
        {"half-tone slider frame moved down", CRect(5, 5, 45, 9), {2, 2}, CRect(5, 14, 45, 18), {2, 2}},
        {"wide sides, overlapping move", CRect(2, 2, 40, 40), {4, 3}, CRect(6, 5, 44, 43), {4, 3}},
        {"frame thicker than half fills the rectangle", CRect(10, 10, 16, 30), {4, 4}, CRect(11, 11, 17, 31), {4, 4}},
        {"width changes with the move", CRect(3, 3, 33, 33), {4, 4}, CRect(3, 3, 33, 33), {1, 1}},
        {"given from the far corner", CRect(30, 30, 5, 5), {2, 2}, CRect(40, 40, 15, 15), {2, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DibCanvas canvas(50, 50);
        canvas.Fill(kBackground);
        CRect first = c.first;
        first.NormalizeRect();
        CRect second = c.second;
        second.NormalizeRect();

        canvas.dc.DrawDragRect(&c.first, c.firstSize, nullptr, c.firstSize);
        EXPECT_EQ(CheckFrame(canvas, first, c.firstSize, true), 0) << "first frame";

        canvas.dc.DrawDragRect(&c.second, c.secondSize, &c.first, c.firstSize);
        EXPECT_EQ(CheckFrame(canvas, second, c.secondSize, true), 0) << "moved frame, old one erased";

        const CRect none;
        canvas.dc.DrawDragRect(&none, c.secondSize, &c.second, c.secondSize);
        EXPECT_EQ(CheckFrame(canvas, none, c.secondSize, true), 0) << "frame erased";
    }
}

TEST(DrawDragRect, DrawsWithTheBrushGivenAndHonoursTheWindowOrigin)
{
    DibCanvas canvas(40, 40);
    canvas.Fill(kBackground);
    CBrush white(RGB(255, 255, 255));
    const CRect rect(5, 5, 25, 20);
    canvas.dc.DrawDragRect(&rect, CSize(3, 2), nullptr, CSize(3, 2), &white, &white);
    EXPECT_EQ(CheckFrame(canvas, rect, CSize(3, 2), false), 0);
    canvas.dc.DrawDragRect(&rect, CSize(3, 2), nullptr, CSize(3, 2), &white, &white);
    EXPECT_EQ(CheckFrame(canvas, CRect(), CSize(3, 2), false), 0) << "drawing a frame twice erases it";

    // Logical coordinates are moved into the device's by the window origin.
    canvas.dc.SetWindowOrg(-10, -10);
    canvas.dc.DrawDragRect(&rect, CSize(1, 1), nullptr, CSize(1, 1), &white);
    EXPECT_EQ(CheckFrame(canvas, CRect(15, 15, 35, 30), CSize(1, 1), false), 0);
}

TEST(DrawDragRect, LeavesTheDeviceContextAsItWas)
{
    DibCanvas canvas(20, 20);
    canvas.Fill(kBackground);
    CBrush brush(RGB(1, 2, 3));
    CBrush* before = canvas.dc.SelectObject(&brush);
    const CRect clip(0, 0, 20, 10);
    canvas.dc.IntersectClipRect(&clip);
    const CRect rect(2, 2, 18, 18);
    canvas.dc.DrawDragRect(&rect, CSize(1, 1), nullptr, CSize(1, 1));
    EXPECT_EQ(canvas.dc.GetCurrentBrush(), &brush);
    CRect box;
    canvas.dc.GetClipBox(&box);
    EXPECT_EQ(box, clip);
    EXPECT_EQ(canvas.At(2, 15), kBackground) << "the clipping region of the caller still applies";
    EXPECT_NE(canvas.At(2, 5) == kBackground, canvas.At(2, 6) == kBackground) << "inside the clip it draws";
    canvas.dc.SelectObject(before);
}

TEST(DeviceContext, SelectAnswersThePreviousObjectsForPuttingBack)
{
    DibCanvas canvas(10, 10);
    CPen pen(PS_SOLID, 1, RGB(200, 0, 0));
    CPen* old = canvas.dc.SelectObject(&pen);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->m_hObject, ::GetStockObject(BLACK_PEN));
    EXPECT_EQ(canvas.dc.GetCurrentPen(), &pen);
    canvas.dc.MoveTo(0, 5);
    canvas.dc.LineTo(10, 5);
    EXPECT_EQ(canvas.At(3, 5), 0xC80000u);
    EXPECT_EQ(canvas.dc.SelectObject(old), &pen);

    CRgn clip;
    ASSERT_TRUE(clip.CreateRectRgn(0, 0, 4, 4));
    EXPECT_EQ(canvas.dc.SelectObject(static_cast<CGdiObject*>(&clip)), nullptr);
    CRect box;
    EXPECT_EQ(canvas.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(0, 0, 4, 4)) << "a region selected as any object still clips";
    EXPECT_EQ(canvas.dc.SelectObject(&clip), SIMPLEREGION);
    canvas.dc.SelectClipRgn(nullptr);

    CGdiObject* oldBrush = canvas.dc.SelectStockObject(GRAY_BRUSH);
    ASSERT_NE(oldBrush, nullptr);
    EXPECT_EQ(oldBrush->m_hObject, ::GetStockObject(WHITE_BRUSH));
    canvas.dc.SelectObject(oldBrush);
    CGdiObject::DeleteTempMap();
}

TEST(DeviceContext, FillsAndFramesByTheFrameworksArithmetic)
{
    DibCanvas canvas(20, 20);
    canvas.Fill(0);
    canvas.dc.FillSolidRect(2, 2, 10, 5, RGB(10, 20, 30));
    EXPECT_EQ(canvas.At(2, 2), 0x0A141Eu);
    EXPECT_EQ(canvas.At(11, 6), 0x0A141Eu);
    EXPECT_EQ(canvas.At(12, 6), 0u);
    EXPECT_EQ(canvas.dc.GetBkColor(), RGB(10, 20, 30));

    canvas.Fill(0);
    canvas.dc.Draw3dRect(CRect(1, 1, 6, 5), RGB(255, 255, 255), RGB(128, 128, 128));
    const struct {
        int x, y;
        DWORD rgb;
    } pixels[] = {
        {1, 1, 0xFFFFFF}, {4, 1, 0xFFFFFF}, {1, 3, 0xFFFFFF}, {5, 1, 0x808080}, {1, 4, 0x808080},
        {5, 4, 0x808080}, {3, 2, 0},        {6, 1, 0},        {1, 5, 0},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(canvas.At(p.x, p.y), p.rgb) << p.x << "," << p.y;
}

TEST(DeviceContext, OwnsOnlyWhatItCreatedOrWasGiven)
{
    HDC created = nullptr;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        created = dc.m_hDC;
        EXPECT_EQ(CDC::FromHandle(created), &dc);
        EXPECT_FALSE(dc.CreateCompatibleDC(nullptr));
        CDC second;
        EXPECT_FALSE(second.Attach(created));
    }
    EXPECT_EQ(::GetObjectType(created), 0u) << "the memory DC outlived its object";

    HDC loose = ::CreateCompatibleDC(nullptr);
    CDC* temporary = CDC::FromHandle(loose);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->m_hDC, loose);
    EXPECT_EQ(CDC::FromHandle(loose), temporary);
    CDC::DeleteTempMap();
    EXPECT_EQ(static_cast<DWORD>(::GetObjectType(loose)), static_cast<DWORD>(OBJ_MEMDC));
    {
        CDC owner;
        ASSERT_TRUE(owner.Attach(loose));
        EXPECT_EQ(owner.Detach(), loose);
    }
    EXPECT_EQ(static_cast<DWORD>(::GetObjectType(loose)), static_cast<DWORD>(OBJ_MEMDC));
    ::DeleteDC(loose);
}

// Paints its client area in one colour through a CPaintDC.
class PaintedWindow : public CWnd {
public:
    COLORREF colour = RGB(0, 128, 255);
    int paints = 0;
    bool paintDcIsTheHandlesObject = false;
    CRect painted;

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
        paintDcIsTheHandlesObject = CDC::FromHandle(dc.m_hDC) == &dc;
        painted = dc.m_ps.rcPaint;
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, colour);
    }
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintedWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST(PaintDC, PaintsAWindowAndValidatesIt)
{
    PaintedWindow window;
    // Away from the corner where other tests photograph their windows.
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), "painted", WS_POPUP | WS_VISIBLE, 1100, 900, 120, 80,
                                nullptr, nullptr));
    window.UpdateWindow();
    ASSERT_TRUE(PumpUntil([&] { return window.paints > 0; }));
    EXPECT_TRUE(window.paintDcIsTheHandlesObject);

    const CRect part(10, 10, 40, 30);
    window.colour = RGB(255, 64, 0);
    window.InvalidateRect(&part, FALSE);
    const int before = window.paints;
    window.UpdateWindow();
    EXPECT_EQ(window.paints, before + 1);
    EXPECT_EQ(window.painted, part) << "the paint DC carries the invalid part";
    CRect stillInvalid;
    EXPECT_FALSE(::GetUpdateRect(window.m_hWnd, &stillInvalid, FALSE)) << "EndPaint validated the window";

    CClientDC client(&window);
    EXPECT_EQ(client.GetPixel(20, 20), RGB(255, 64, 0)) << "inside the part painted again";
    EXPECT_EQ(client.GetPixel(60, 50), RGB(0, 128, 255)) << "outside it, clipped away";
    EXPECT_EQ(CDC::FromHandle(client.m_hDC), &client);
}

TEST(WindowDC, ReleasesItsDeviceContext)
{
    ControlHost host;
    HDC handle = nullptr;
    const CDC* owner = nullptr;
    {
        CWindowDC dc(&host);
        handle = dc.m_hDC;
        owner = &dc;
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(CDC::FromHandle(handle), &dc);
    }
    EXPECT_NE(CDC::FromHandle(handle), owner) << "the object let go of the handle";
    CDC::DeleteTempMap();
    {
        CClientDC screen(nullptr);
        EXPECT_EQ(screen.GetDeviceCaps(HORZRES), ::GetSystemMetrics(SM_CXSCREEN));
    }
}

}  // namespace
