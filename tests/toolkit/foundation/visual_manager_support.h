// What the visual manager tests share: a canvas helper that reads frames and
// bounding boxes, the record of a DC's selected objects and colours, and
// test kinds of the bars, frames and buttons the hooks read.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "dib_canvas.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/extras/outlook_bar_pane.h"
#include "toolkit/foundation/base_control_bar.h"
#include "toolkit/foundation/caption_bar.h"
#include "toolkit/foundation/mini_frame_wnd.h"
#include "toolkit/foundation/visual_manager.h"

namespace vm_test {

// A colour no system colour has.
constexpr COLORREF kBackground = RGB(37, 99, 151);

// The smallest rectangle holding every pixel that is not kBackground (empty
// when there is none).
inline CRect ChangedArea(const DibCanvas& canvas)
{
    CRect area(canvas.Width(), canvas.Height(), -1, -1);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.At(x, y) == kBackground)
                continue;
            area.left = std::min<LONG>(area.left, x);
            area.top = std::min<LONG>(area.top, y);
            area.right = std::max<LONG>(area.right, x + 1);
            area.bottom = std::max<LONG>(area.bottom, y + 1);
        }
    }
    return area.right < 0 ? CRect() : area;
}

// Whether rect's one-pixel frame has clrTopLeft on its top row and left
// column and clrBottomRight on its right column and bottom row (the
// top-right and bottom-left corners belong to the bottom-right colour).
inline ::testing::AssertionResult HasFrame(const DibCanvas& canvas, const CRect& rect, COLORREF clrTopLeft,
                                            COLORREF clrBottomRight)
{
    auto check = [&](int x, int y, COLORREF expected) -> bool { return canvas.At(x, y) == expected; };
    for (int x = rect.left; x < rect.right - 1; ++x)
        if (!check(x, rect.top, clrTopLeft))
            return ::testing::AssertionFailure() << "top at " << x << "," << rect.top << " is " << std::hex
                                                 << canvas.At(x, rect.top);
    for (int y = rect.top; y < rect.bottom - 1; ++y)
        if (!check(rect.left, y, clrTopLeft))
            return ::testing::AssertionFailure() << "left at " << rect.left << "," << y << " is " << std::hex
                                                 << canvas.At(rect.left, y);
    for (int y = rect.top; y < rect.bottom; ++y)
        if (!check(rect.right - 1, y, clrBottomRight))
            return ::testing::AssertionFailure() << "right at " << rect.right - 1 << "," << y << " is "
                                                 << std::hex << canvas.At(rect.right - 1, y);
    for (int x = rect.left; x < rect.right; ++x)
        if (!check(x, rect.bottom - 1, clrBottomRight))
            return ::testing::AssertionFailure() << "bottom at " << x << "," << rect.bottom - 1 << " is "
                                                 << std::hex << canvas.At(x, rect.bottom - 1);
    return ::testing::AssertionSuccess();
}

// Whether every pixel of rect has the colour.
inline ::testing::AssertionResult IsFilled(const DibCanvas& canvas, const CRect& rect, COLORREF color)
{
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (canvas.At(x, y) != color)
                return ::testing::AssertionFailure()
                       << x << "," << y << " is " << std::hex << canvas.At(x, y) << ", not " << color;
    return ::testing::AssertionSuccess();
}

// The objects and attributes selected into a DC.
struct DcState {
    HGDIOBJ pen, brush, font, bitmap;
    COLORREF text, background;
    int mode;
    UINT align;

    static DcState Of(HDC dc)
    {
        return {::GetCurrentObject(dc, OBJ_PEN), ::GetCurrentObject(dc, OBJ_BRUSH), ::GetCurrentObject(dc, OBJ_FONT),
                ::GetCurrentObject(dc, OBJ_BITMAP), ::GetTextColor(dc), ::GetBkColor(dc), ::GetBkMode(dc),
                ::GetTextAlign(dc)};
    }
    bool operator==(const DcState& o) const
    {
        return pen == o.pen && brush == o.brush && font == o.font && bitmap == o.bitmap && text == o.text &&
               background == o.background && mode == o.mode && align == o.align;
    }
};

// A bar whose floating state and styles a test sets.
class TestBar : public CWtkBaseControlBar {
public:
    TestBar(DWORD dwStyle, DWORD dwControlBarStyle, BOOL bFloating = FALSE) : m_bFloating(bFloating)
    {
        m_dwStyle = dwStyle;
        m_dwControlBarStyle = dwControlBarStyle;
    }
    BOOL IsFloating() const override { return m_bFloating; }

    BOOL m_bFloating;
};

// An outlook-bar pane that records its own background painting.
class TestOutlookPane : public CWtkOutlookBarPane {
public:
    void DrawBackground(CDC* pDC, CRect rectClient) override
    {
        ++m_nCalls;
        m_rect = rectClient;
        m_pDC = pDC;
    }

    int m_nCalls = 0;
    CRect m_rect;
    CDC* m_pDC = nullptr;
};

// A mini frame that holds the given bar.
class TestMiniFrame : public CWtkMiniFrameWnd {
public:
    explicit TestMiniFrame(CWtkBaseControlBar* pBar) { m_pBar = pBar; }
};

}  // namespace vm_test
