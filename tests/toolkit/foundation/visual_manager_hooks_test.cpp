#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/image_list.h"
#include "platform/ui/pen.h"
#include "toolkit/controls/button.h"
#include "toolkit/controls/menu_images.h"
#include "toolkit/controls/show_all_button.h"
#include "toolkit/controls/toolbar_menu_button.h"
#include "toolkit/extras/outlook_button.h"
#include "toolkit/extras/task_group.h"
#include "toolkit/extras/task_link.h"
#include "toolkit/foundation/caption_button.h"
#include "toolkit/foundation/draw_manager.h"
#include "toolkit/foundation/global_data.h"
#include "visual_manager_support.h"

namespace {

using vm_test::ChangedArea;
using vm_test::HasFrame;
using vm_test::IsFilled;
using vm_test::kBackground;
using vm_test::TestBar;

// Hooks drawn on a canvas of kBackground with a manager of the classic look
// that is not the current one.
class VisualManagerHooks : public ::testing::Test {
protected:
    VisualManagerHooks() : canvas(64, 48), manager(TRUE), data(WtkGlobalData())
    {
        canvas.Fill(kBackground);
    }
    void SetUp() override { ASSERT_TRUE(canvas.IsValid()); }

    COLORREF Halfway(COLORREF from) const
    {
        auto half = [](int f, int t) { return std::min(255, f + (t - f) / 2); };
        const COLORREF to = data.m_clrBtnHilite;
        return RGB(half(GetRValue(from), GetRValue(to)), half(GetGValue(from), GetGValue(to)),
                   half(GetBValue(from), GetBValue(to)));
    }

    // The smallest rectangle inside rect's one-pixel frame holding every
    // pixel that is not the given colour.
    CRect ChangedAreaOf(CRect rect, COLORREF color) const
    {
        CRect area;
        rect.DeflateRect(1, 1);
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                if (canvas.At(x, y) == color)
                    continue;
                area = area.IsRectEmpty() ? CRect(x, y, x + 1, y + 1)
                                          : CRect(std::min<LONG>(area.left, x), std::min<LONG>(area.top, y),
                                                  std::max<LONG>(area.right, x + 1), std::max<LONG>(area.bottom, y + 1));
            }
        }
        return area;
    }

    DibCanvas canvas;
    CWtkVisualManager manager;
    CWtkGlobalData& data;
    CDC* dc() { return &canvas.dc; }
};

// A manager whose second look metric is set, as the flat looks have it.
class FlatLookManager : public CWtkVisualManager {
public:
    FlatLookManager() : CWtkVisualManager(TRUE) { m_bMenuFlatLook = TRUE; }
};

// A push button whose pushed and hot flags a test sets.
class TestButton : public CWtkButton {
public:
    TestButton(BOOL bPushed, BOOL bHot)
    {
        m_bPushed = bPushed;
        m_bHighlighted = bHot;
    }
};

// ---- Bars --------------------------------------------------------------------------

TEST_F(VisualManagerHooks, BarBackgroundFillsTheClipRectangleOrTheClientWhenTheClipIsEmpty)
{
    TestBar bar(0, 0);
    manager.FillBarBackground(dc(), &bar, CRect(0, 0, 40, 30), CRect(5, 6, 15, 16));
    EXPECT_EQ(CRect(5, 6, 15, 16), ChangedArea(canvas));
    EXPECT_TRUE(IsFilled(canvas, CRect(5, 6, 15, 16), data.m_clrBtnFace));

    manager.FillBarBackground(dc(), &bar, CRect(0, 0, 40, 30), CRect());
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 40, 30), data.m_clrBtnFace));
    EXPECT_EQ(CRect(0, 0, 40, 30), ChangedArea(canvas));
}

TEST_F(VisualManagerHooks, CaptionBarIsFilledWithItsOwnColourOrTheShadowColour)
{
    CWtkCaptionBar bar;
    manager.FillBarBackground(dc(), &bar, CRect(0, 0, 20, 10), CRect(0, 0, 5, 5));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 20, 10), data.m_clrBtnShadow));

    bar.m_clrBarBackground = RGB(10, 20, 30);
    manager.FillBarBackground(dc(), &bar, CRect(0, 0, 20, 10), CRect());
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 20, 10), RGB(10, 20, 30)));
}

TEST_F(VisualManagerHooks, OutlookPaneDrawsItsOwnBackground)
{
    vm_test::TestOutlookPane pane;
    manager.FillBarBackground(dc(), &pane, CRect(1, 2, 30, 40), CRect(3, 3, 4, 4));
    EXPECT_EQ(1, pane.m_nCalls);
    EXPECT_EQ(CRect(1, 2, 30, 40), pane.m_rect);
    EXPECT_EQ(dc(), pane.m_pDC);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
}

TEST_F(VisualManagerHooks, BarBorderDrawsTheSelectedSidesAndShrinksTheRectangle)
{
    struct Case {
        DWORD style;
        CRect shrunk;
    };
    const Case cases[] = {
        {CBRS_BORDER_LEFT | CBRS_BORDER_TOP | CBRS_BORDER_RIGHT | CBRS_BORDER_BOTTOM, CRect(11, 11, 39, 29)},
        {CBRS_BORDER_LEFT, CRect(11, 10, 40, 30)},
        {CBRS_BORDER_BOTTOM | CBRS_BORDER_RIGHT, CRect(10, 10, 39, 29)},
        {0, CRect(10, 10, 40, 30)},
    };
    for (const Case& c : cases) {
        canvas.Fill(kBackground);
        TestBar bar(c.style, 1);
        CRect rect(10, 10, 40, 30);
        manager.DrawBarBorder(dc(), &bar, rect);
        EXPECT_EQ(c.shrunk, rect) << std::hex << c.style;
        EXPECT_EQ(c.style & CBRS_BORDER_LEFT ? data.m_clrBtnHilite : kBackground, canvas.At(10, 20));
        EXPECT_EQ(c.style & CBRS_BORDER_TOP ? data.m_clrBtnHilite : kBackground, canvas.At(20, 10));
        EXPECT_EQ(c.style & CBRS_BORDER_RIGHT ? data.m_clrBtnShadow : kBackground, canvas.At(39, 20));
        EXPECT_EQ(c.style & CBRS_BORDER_BOTTOM ? data.m_clrBtnShadow : kBackground, canvas.At(20, 29));
        EXPECT_EQ(kBackground, canvas.At(20, 20));
    }
}

TEST_F(VisualManagerHooks, BarThatCannotFloatGetsAnEtchedTopEdge)
{
    TestBar bar(CBRS_BORDER_TOP, 0);
    CRect rect(10, 10, 40, 30);
    manager.DrawBarBorder(dc(), &bar, rect);
    EXPECT_EQ(CRect(10, 13, 40, 30), rect);
    EXPECT_TRUE(IsFilled(canvas, CRect(10, 10, 40, 11), data.m_clrBtnHilite));
    EXPECT_TRUE(IsFilled(canvas, CRect(10, 11, 40, 12), data.m_clrBtnShadow));
    EXPECT_TRUE(IsFilled(canvas, CRect(10, 12, 40, 13), data.m_clrBtnHilite));
    EXPECT_EQ(CRect(10, 10, 40, 13), ChangedArea(canvas));
}

TEST_F(VisualManagerHooks, FloatingBarGetsNoBorder)
{
    TestBar bar(CBRS_BORDER_ANY, 0, TRUE);
    CRect rect(10, 10, 40, 30);
    manager.DrawBarBorder(dc(), &bar, rect);
    EXPECT_EQ(CRect(10, 10, 40, 30), rect);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
}

TEST_F(VisualManagerHooks, PopupMenuFrameIsTwoNestedThreeDFrames)
{
    manager.DrawDoubleBorder(dc(), nullptr, CRect(2, 3, 30, 20));
    EXPECT_TRUE(HasFrame(canvas, CRect(2, 3, 30, 20), data.m_clrBtnLight, data.m_clrBtnDkShadow));
    EXPECT_TRUE(HasFrame(canvas, CRect(3, 4, 29, 19), data.m_clrBtnHilite, data.m_clrBtnShadow));
    EXPECT_EQ(kBackground, canvas.At(10, 10));
}

TEST_F(VisualManagerHooks, GripperHasTwoRidgesClassicAndOneIn2000Look)
{
    // A ridge is a raised frame whose corner pixel at the far end of the
    // ridge's lit side (the classic look's extra pixel) is lit too.
    auto ridge = [&](const CRect& rect, const CPoint& extra) {
        EXPECT_EQ(data.m_clrBtnHilite, canvas.At(extra.x, extra.y));
        canvas.Set(extra.x, extra.y, data.m_clrBtnShadow);
        EXPECT_TRUE(HasFrame(canvas, rect, data.m_clrBtnHilite, data.m_clrBtnShadow));
    };

    // A horizontal bar's gripper: 3-pixel ridges every 4 pixels, centred
    // across 10 columns, inset 2 rows (3 in the 2000 look).
    manager.DrawBarGripper(dc(), CRect(0, 0, 10, 30), TRUE, nullptr);
    EXPECT_EQ(CRect(1, 2, 8, 28), ChangedArea(canvas));
    ridge(CRect(1, 2, 4, 28), CPoint(1, 27));
    ridge(CRect(5, 2, 8, 28), CPoint(5, 27));

    canvas.Fill(kBackground);
    manager.SetLook2000(TRUE);
    manager.DrawBarGripper(dc(), CRect(0, 0, 10, 30), TRUE, nullptr);
    EXPECT_EQ(CRect(3, 3, 6, 27), ChangedArea(canvas));
    EXPECT_TRUE(HasFrame(canvas, CRect(3, 3, 6, 27), data.m_clrBtnHilite, data.m_clrBtnShadow));

    canvas.Fill(kBackground);
    manager.SetLook2000(FALSE);
    manager.DrawBarGripper(dc(), CRect(0, 0, 30, 10), FALSE, nullptr);
    EXPECT_EQ(CRect(2, 1, 28, 8), ChangedArea(canvas));
    ridge(CRect(2, 1, 28, 4), CPoint(27, 1));
    ridge(CRect(2, 5, 28, 8), CPoint(27, 5));
}

TEST_F(VisualManagerHooks, SeparatorIsATwoPixelEtchedLineThroughTheMiddle)
{
    manager.DrawSeparator(dc(), nullptr, CRect(10, 0, 18, 20), TRUE);
    EXPECT_TRUE(IsFilled(canvas, CRect(13, 0, 14, 20), data.m_clrBtnShadow));
    EXPECT_TRUE(IsFilled(canvas, CRect(14, 0, 15, 20), data.m_clrBtnHilite));
    EXPECT_EQ(CRect(13, 0, 15, 20), ChangedArea(canvas));

    canvas.Fill(kBackground);
    manager.DrawSeparator(dc(), nullptr, CRect(0, 10, 20, 17), FALSE);
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 12, 20, 13), data.m_clrBtnShadow));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 13, 20, 14), data.m_clrBtnHilite));
    EXPECT_EQ(CRect(0, 12, 20, 14), ChangedArea(canvas));
}

TEST_F(VisualManagerHooks, CaptionIsFilledWithTheActiveOrInactiveCaptionColour)
{
    EXPECT_EQ(::GetSysColor(COLOR_CAPTIONTEXT), manager.DrawCaption(dc(), nullptr, TRUE, CRect(0, 0, 30, 8), CRect()));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 30, 8), ::GetSysColor(COLOR_ACTIVECAPTION)));
    EXPECT_EQ(::GetSysColor(COLOR_CAPTIONTEXT), manager.DrawCaption(dc(), nullptr, FALSE, CRect(0, 0, 30, 8), CRect()));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 30, 8), ::GetSysColor(COLOR_INACTIVECAPTION)));
}

TEST_F(VisualManagerHooks, MiniFrameCaptionOfAToolbarIsActiveWhetherTheFrameIsOrNot)
{
    CWtkToolBar toolbar;
    TestBar other(0, 1);
    struct Case {
        CWtkBaseControlBar* bar;
        BOOL active;
        int color;
    };
    const Case cases[] = {{&toolbar, FALSE, COLOR_ACTIVECAPTION}, {&toolbar, TRUE, COLOR_ACTIVECAPTION},
                          {&other, TRUE, COLOR_ACTIVECAPTION},    {&other, FALSE, COLOR_INACTIVECAPTION},
                          {nullptr, FALSE, COLOR_INACTIVECAPTION}};
    for (const Case& c : cases) {
        vm_test::TestMiniFrame frame(c.bar);
        EXPECT_EQ(::GetSysColor(COLOR_CAPTIONTEXT), manager.FillBarArea(dc(), CRect(0, 0, 30, 8), &frame, c.active));
        EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 30, 8), ::GetSysColor(c.color)));
        EXPECT_EQ(CRect(0, 0, 30, 8), ChangedArea(canvas));
    }
}

TEST_F(VisualManagerHooks, MiniFrameBorderIsThreeNestedFrames)
{
    manager.DrawMiniFrameBorder(dc(), nullptr, CRect(0, 0, 40, 30), CRect(4, 4, 4, 4));
    EXPECT_TRUE(HasFrame(canvas, CRect(0, 0, 40, 30), data.m_clrBtnFace, data.m_clrBtnDkShadow));
    EXPECT_TRUE(HasFrame(canvas, CRect(1, 1, 39, 29), data.m_clrBtnHilite, data.m_clrBtnShadow));
    EXPECT_TRUE(HasFrame(canvas, CRect(2, 2, 38, 28), data.m_clrBtnFace, data.m_clrBtnFace));
    EXPECT_TRUE(IsFilled(canvas, CRect(3, 3, 37, 27), kBackground));
}

// ---- Caption and system buttons -------------------------------------------------------

TEST_F(VisualManagerHooks, CaptionButtonIsFramedRaisedOrPushedWithItsGlyphInside)
{
    CWtkCaptionButton button(20);
    button.m_ptOrg = CPoint(10, 10);
    const CRect rect = button.GetRect();
    ASSERT_EQ(CWtkMenuImages::Size().cx + 4, rect.Width());

    manager.DrawCaptionButton(dc(), &button, TRUE, TRUE, FALSE, FALSE);
    EXPECT_TRUE(HasFrame(canvas, rect, data.m_clrBtnLight, data.m_clrBtnDkShadow));
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    EXPECT_TRUE(HasFrame(canvas, inner, data.m_clrBtnHilite, data.m_clrBtnShadow));
    EXPECT_EQ(rect, ChangedArea(canvas));
    inner.DeflateRect(1, 1);
    EXPECT_FALSE(IsFilled(canvas, inner, kBackground)) << "the close glyph";

    canvas.Fill(kBackground);
    button.m_bPushed = TRUE;
    manager.DrawCaptionButton(dc(), &button, TRUE, TRUE, FALSE, FALSE);
    EXPECT_TRUE(HasFrame(canvas, rect, data.m_clrBtnDkShadow, data.m_clrBtnLight));

    canvas.Fill(kBackground);
    manager.DrawCaptionButton(dc(), &button, TRUE, TRUE, FALSE, TRUE);
    const CRect glyphOnly = ChangedArea(canvas);
    EXPECT_FALSE(glyphOnly.IsRectEmpty());
    EXPECT_TRUE(inner.left <= glyphOnly.left && glyphOnly.right <= rect.right && inner.top <= glyphOnly.top &&
                glyphOnly.bottom <= rect.bottom)
        << "a disabled button has no frame, and its glyph is moved in";

    canvas.Fill(kBackground);
    button.m_bHidden = TRUE;
    manager.DrawCaptionButton(dc(), &button, TRUE, TRUE, FALSE, FALSE);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
}

TEST_F(VisualManagerHooks, MenuSystemButtonDrawsOnlyTheThreeCaptionCommandsInsideItsRectangle)
{
    for (UINT command : {SC_MINIMIZE, SC_CLOSE, SC_RESTORE}) {
        for (UINT style : {0u, static_cast<UINT>(TBBS_PRESSED), static_cast<UINT>(TBBS_DISABLED)}) {
            canvas.Fill(kBackground);
            manager.DrawMenuSystemButton(dc(), CRect(5, 5, 21, 19), command, style, FALSE);
            const CRect area = ChangedArea(canvas);
            EXPECT_FALSE(area.IsRectEmpty()) << command;
            EXPECT_TRUE(area.left >= 5 && area.top >= 5 && area.right <= 21 && area.bottom <= 19) << command;
        }
    }
    canvas.Fill(kBackground);
    manager.DrawMenuSystemButton(dc(), CRect(5, 5, 21, 19), SC_MAXIMIZE, 0, FALSE);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
}

// ---- Status bar ---------------------------------------------------------------------------

TEST_F(VisualManagerHooks, StatusPaneBorderIsSunkenRaisedOrNone)
{
    manager.DrawStatusBarPaneBorder(dc(), nullptr, CRect(0, 0, 30, 12), 0, 0);
    EXPECT_TRUE(HasFrame(canvas, CRect(0, 0, 30, 12), data.m_clrBtnShadow, data.m_clrBtnHilite));
    manager.DrawStatusBarPaneBorder(dc(), nullptr, CRect(0, 0, 30, 12), 0, SBPS_POPOUT);
    EXPECT_TRUE(HasFrame(canvas, CRect(0, 0, 30, 12), data.m_clrBtnHilite, data.m_clrBtnShadow));

    canvas.Fill(kBackground);
    manager.DrawStatusBarPaneBorder(dc(), nullptr, CRect(0, 0, 30, 12), 0, SBPS_NOBORDERS | SBPS_POPOUT);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
}

TEST_F(VisualManagerHooks, ProgressFillsItsShareOfTheRectangleInOneColourOrAGradient)
{
    manager.DrawStatusBarProgress(dc(), nullptr, CRect(0, 0, 40, 10), 200, 50, RGB(0, 0, 255), 0xFFFFFFFF, 0, FALSE);
    EXPECT_EQ(CRect(0, 0, 10, 10), ChangedArea(canvas));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 10, 10), RGB(0, 0, 255)));

    canvas.Fill(kBackground);
    manager.DrawStatusBarProgress(dc(), nullptr, CRect(0, 0, 64, 10), 10, 10, RGB(0, 0, 0), RGB(252, 0, 0), 0, FALSE);
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(0, 5));
    EXPECT_EQ(RGB(252 * 63 / 64, 0, 0), canvas.At(63, 5));

    // Past the end the bar is full; an empty range draws nothing.
    canvas.Fill(kBackground);
    manager.DrawStatusBarProgress(dc(), nullptr, CRect(0, 0, 40, 10), 5, 9, RGB(0, 0, 255), 0xFFFFFFFF, 0, FALSE);
    EXPECT_EQ(CRect(0, 0, 40, 10), ChangedArea(canvas));
    canvas.Fill(kBackground);
    manager.DrawStatusBarProgress(dc(), nullptr, CRect(0, 0, 40, 10), 0, 9, RGB(0, 0, 255), 0xFFFFFFFF, 0, TRUE);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
}

TEST_F(VisualManagerHooks, ProgressTextIsDrawnInsideTheRectangle)
{
    manager.DrawStatusBarProgress(dc(), nullptr, CRect(0, 0, 64, 20), 4, 1, kBackground, 0xFFFFFFFF, 0, TRUE);
    const CRect text = ChangedArea(canvas);
    EXPECT_FALSE(text.IsRectEmpty());
    EXPECT_TRUE(text.left > 10 && text.right < 54 && text.top >= 0 && text.bottom <= 20);
}

TEST_F(VisualManagerHooks, SizeBoxGlyphSitsInTheBottomRightCorner)
{
    manager.DrawStatusBarSizeBox(dc(), nullptr, CRect(20, 10, 40, 30));
    const CRect glyph = ChangedArea(canvas);
    ASSERT_FALSE(glyph.IsRectEmpty());
    EXPECT_LE(glyph.right, 40);
    EXPECT_LE(glyph.bottom, 30);
    EXPECT_GT(glyph.right, 34);
    EXPECT_GT(glyph.bottom, 24);
}

// ---- Combo and edit boxes ------------------------------------------------------------------

TEST_F(VisualManagerHooks, ComboDropButtonHasAHighlightFrameAndAnArrowMovedWhenPushed)
{
    const CRect rect(10, 10, 26, 30);
    manager.DrawComboDropButton(dc(), rect, FALSE, FALSE, FALSE, nullptr);
    EXPECT_TRUE(HasFrame(canvas, rect, data.m_clrBtnHilite, data.m_clrBtnHilite));
    const CRect arrow = ChangedAreaOf(rect, data.m_clrBtnFace);
    ASSERT_FALSE(arrow.IsRectEmpty());

    manager.DrawComboDropButton(dc(), rect, FALSE, TRUE, FALSE, nullptr);
    EXPECT_TRUE(HasFrame(canvas, rect, data.m_clrBtnShadow, data.m_clrBtnHilite));
    const CRect pushedArrow = ChangedAreaOf(rect, data.m_clrBtnFace);
    EXPECT_EQ(arrow.left + 1, pushedArrow.left);
    EXPECT_EQ(arrow.top + 1, pushedArrow.top);

    manager.DrawComboDropButton(dc(), rect, FALSE, FALSE, TRUE, nullptr);
    EXPECT_TRUE(HasFrame(canvas, rect, data.m_clrBtnHilite, data.m_clrBtnShadow));
    EXPECT_EQ(arrow, ChangedAreaOf(rect, data.m_clrBtnFace));
}

TEST_F(VisualManagerHooks, ComboBorderIsSunkenOnlyWhenHighlightedOrDroppedAndDarkInTheFlatLook)
{
    const CRect rect(5, 5, 40, 20);
    manager.DrawComboBorder(dc(), rect, FALSE, FALSE, FALSE, nullptr);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());

    for (auto flags : {std::make_pair(TRUE, FALSE), std::make_pair(FALSE, TRUE)}) {
        canvas.Fill(kBackground);
        manager.DrawComboBorder(dc(), rect, FALSE, flags.first, flags.second, nullptr);
        EXPECT_TRUE(HasFrame(canvas, rect, data.m_clrBtnShadow, data.m_clrBtnHilite));
        EXPECT_EQ(rect, ChangedArea(canvas));
    }

    canvas.Fill(kBackground);
    FlatLookManager flat;
    flat.DrawComboBorder(dc(), rect, FALSE, TRUE, FALSE, nullptr);
    EXPECT_TRUE(HasFrame(canvas, CRect(6, 6, 39, 19), data.m_clrBtnDkShadow, data.m_clrBtnDkShadow));
    EXPECT_EQ(CRect(6, 6, 39, 19), ChangedArea(canvas));
}

TEST_F(VisualManagerHooks, EditBorderIsASunkenEdgeWhenHighlighted)
{
    const CRect rect(5, 5, 40, 20);
    manager.DrawEditBorder(dc(), rect, FALSE, FALSE, nullptr);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
    manager.DrawEditBorder(dc(), rect, FALSE, TRUE, nullptr);
    EXPECT_EQ(rect, ChangedArea(canvas));
    EXPECT_TRUE(IsFilled(canvas, CRect(8, 8, 37, 17), kBackground));
}

// ---- Buttons and menus ------------------------------------------------------------------------

TEST_F(VisualManagerHooks, TearOffStripIsFaceWithACaptionColouredBand)
{
    manager.FillCaptionStrip(dc(), CRect(0, 0, 40, 8), FALSE);
    EXPECT_TRUE(IsFilled(canvas, CRect(2, 1, 38, 7), ::GetSysColor(COLOR_INACTIVECAPTION)));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 40, 1), data.m_clrBtnFace));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 2, 8), data.m_clrBtnFace));
    EXPECT_TRUE(IsFilled(canvas, CRect(38, 0, 40, 8), data.m_clrBtnFace));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 7, 40, 8), data.m_clrBtnFace));
    manager.FillCaptionStrip(dc(), CRect(0, 0, 40, 8), TRUE);
    EXPECT_TRUE(IsFilled(canvas, CRect(2, 1, 38, 7), ::GetSysColor(COLOR_ACTIVECAPTION)));
}

TEST_F(VisualManagerHooks, CheckedButtonInteriorIsTheLightBrushInsideTheBorderUnlessHighlightedOrCustomising)
{
    // The light brush is a solid colour on deep screens.
    ASSERT_GT(data.m_nBitsPerPixel, 8);
    LOGBRUSH light = {};
    ASSERT_TRUE(::GetObject(data.m_brLight.GetSafeHandle(), sizeof(light), &light));
    const CRect rect(4, 4, 28, 24);
    CRect inside = rect;
    inside.DeflateRect(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER));

    for (UINT style : {static_cast<UINT>(TBBS_CHECKED), static_cast<UINT>(TBBS_INDETERMINATE)}) {
        for (int state : {0, 1}) {
            canvas.Fill(kBackground);
            CWtkToolbarButton button(1, style);
            manager.FillButtonInterior(dc(), &button, rect, state);
            EXPECT_EQ(inside, ChangedArea(canvas));
            EXPECT_TRUE(IsFilled(canvas, inside, light.lbColor));
        }
    }

    canvas.Fill(kBackground);
    CWtkToolbarButton checked(1, TBBS_CHECKED);
    manager.FillButtonInterior(dc(), &checked, rect, 2);
    CWtkToolbarButton plain(1, 0);
    manager.FillButtonInterior(dc(), &plain, rect, 0);
    CWtkOutlookButton outlook;
    outlook.m_nStyle = TBBS_CHECKED;
    manager.FillButtonInterior(dc(), &outlook, rect, 0);
    CWtkToolBar::SetCustomizeMode(TRUE);
    manager.FillButtonInterior(dc(), &checked, rect, 0);
    CWtkToolBar::SetCustomizeMode(FALSE);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
}

TEST_F(VisualManagerHooks, HighlightedShowAllButtonIsLightenedHalfwayTowardTheHighlight)
{
    CWtkShowAllButton button;
    manager.FillButtonInterior(dc(), &button, CRect(0, 0, 10, 10), 1);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
    manager.FillButtonInterior(dc(), &button, CRect(0, 0, 10, 10), 2);
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 10, 10), Halfway(kBackground)));
    EXPECT_EQ(CRect(0, 0, 10, 10), ChangedArea(canvas));
}

TEST_F(VisualManagerHooks, ButtonBorderIsSunkenWhenPressedAndRaisedWhenHighlighted)
{
    CWtkToolbarButton button;
    CWtkOutlookButton outlook;
    const CRect rect(3, 3, 25, 20);
    manager.DrawButtonBorder(dc(), &button, rect, 0);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
    manager.DrawButtonBorder(dc(), &button, rect, 1);
    EXPECT_TRUE(HasFrame(canvas, rect, data.m_clrBtnShadow, data.m_clrBtnHilite));
    manager.DrawButtonBorder(dc(), &button, rect, 2);
    EXPECT_TRUE(HasFrame(canvas, rect, data.m_clrBtnHilite, data.m_clrBtnShadow));
    manager.DrawButtonBorder(dc(), &outlook, rect, 2);
    EXPECT_TRUE(HasFrame(canvas, rect, data.m_clrBtnLight, data.m_clrBtnShadow));
    EXPECT_EQ(rect, ChangedArea(canvas));
}

TEST_F(VisualManagerHooks, ButtonTextColourFollowsDisabledStateKindAndHighlight)
{
    CWtkToolbarButton enabled(100, 0);
    CWtkToolbarButton disabled(100, TBBS_DISABLED);
    CWtkToolbarButton systemCommand(0xF060, 0);
    CWtkOutlookButton outlook;
    CWtkOutlookButton outlookDisabled;
    outlookDisabled.m_nStyle = TBBS_DISABLED;

    EXPECT_EQ(data.m_clrBtnText, manager.GetButtonTextColor(&enabled, 0));
    EXPECT_EQ(data.m_clrBtnText, manager.GetButtonTextColor(&enabled, 1));
    EXPECT_EQ(data.m_clrBtnText, manager.GetButtonTextColor(&enabled, 2));
    CWtkToolBar::SetHotTextColor(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), manager.GetButtonTextColor(&enabled, 2));
    EXPECT_EQ(data.m_clrBtnText, manager.GetButtonTextColor(&enabled, 0));
    CWtkToolBar::SetHotTextColor(0xFFFFFFFF);
    EXPECT_EQ(data.m_clrGrayedText, manager.GetButtonTextColor(&disabled, 2));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), manager.GetButtonTextColor(&outlook, 0));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), manager.GetButtonTextColor(&outlookDisabled, 0));

    // In customise mode a button is disabled when it may not be customised,
    // whatever its style.
    CWtkToolBar::SetCustomizeMode(TRUE);
    EXPECT_EQ(data.m_clrBtnText, manager.GetButtonTextColor(&disabled, 0));
    EXPECT_EQ(data.m_clrGrayedText, manager.GetButtonTextColor(&systemCommand, 0));
    CWtkToolBar::SetCustomizeMode(FALSE);
    EXPECT_EQ(data.m_clrBtnText, manager.GetButtonTextColor(&systemCommand, 0));

    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), manager.GetSystemWindowColor(&enabled));
}

TEST_F(VisualManagerHooks, MenuHighlightsFillAndAnswerTheirTextColours)
{
    EXPECT_EQ(data.m_clrTextHilite, manager.HighlightMenuItem(dc(), nullptr, CRect(0, 0, 30, 10)));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 30, 10), data.m_clrHilite));

    EXPECT_EQ(data.m_clrTextHilite, manager.FillCommandsListItem(dc(), CRect(0, 10, 30, 20), TRUE));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 10, 30, 20), data.m_clrHilite));
    EXPECT_EQ(data.m_clrBtnText, manager.FillCommandsListItem(dc(), CRect(0, 20, 30, 30), FALSE));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 20, 30, 30), data.m_clrBtnFace));

    COLORREF text = 0;
    manager.FillFaceArea(dc(), CRect(0, 30, 30, 40), nullptr, text);
    EXPECT_EQ(data.m_clrBtnText, text);
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 30, 30, 40), data.m_clrBtnFace));
    EXPECT_EQ(CRect(0, 0, 30, 40), ChangedArea(canvas));
}

TEST_F(VisualManagerHooks, RarelyUsedItemsAreLightenedAndSunken)
{
    manager.HighlightRarelyUsedItems(dc(), CRect(2, 2, 30, 20));
    EXPECT_TRUE(HasFrame(canvas, CRect(2, 2, 30, 20), data.m_clrBtnShadow, data.m_clrBtnHilite));
    EXPECT_TRUE(IsFilled(canvas, CRect(3, 3, 29, 19), Halfway(kBackground)));
    EXPECT_EQ(CRect(2, 2, 30, 20), ChangedArea(canvas));
}

TEST_F(VisualManagerHooks, DoubleFrameDrawsOneOrTwoFramesAndShrinksTheRectanglePerFrame)
{
    struct Case {
        BOOL first, second;
        COLORREF outerTL, outerBR, innerTL, innerBR;
        CRect shrunk;
    };
    const Case cases[] = {
        {TRUE, TRUE, data.m_clrBtnDkShadow, data.m_clrBtnFace, data.m_clrBtnShadow, data.m_clrBtnHilite,
         CRect(12, 12, 38, 28)},
        {TRUE, FALSE, data.m_clrBtnFace, data.m_clrBtnDkShadow, data.m_clrBtnHilite, data.m_clrBtnShadow,
         CRect(12, 12, 38, 28)},
        {FALSE, TRUE, data.m_clrBtnFace, data.m_clrBtnDkShadow, data.m_clrBtnHilite, data.m_clrBtnShadow,
         CRect(12, 12, 38, 28)},
        {FALSE, FALSE, data.m_clrBtnHilite, data.m_clrBtnShadow, kBackground, kBackground, CRect(11, 11, 39, 29)},
    };
    for (const Case& c : cases) {
        canvas.Fill(kBackground);
        CRect rect(10, 10, 40, 30);
        manager.DrawDoubleFrame(dc(), rect, c.first, c.second);
        EXPECT_EQ(c.shrunk, rect);
        EXPECT_TRUE(HasFrame(canvas, CRect(10, 10, 40, 30), c.outerTL, c.outerBR));
        EXPECT_TRUE(HasFrame(canvas, CRect(11, 11, 39, 29), c.innerTL, c.innerBR));
        EXPECT_TRUE(IsFilled(canvas, CRect(12, 12, 38, 28), kBackground));
    }
}

// ---- Tabs ---------------------------------------------------------------------------------------

TEST_F(VisualManagerHooks, TabAreaAndTabButtonsAreFilledWithTheFace)
{
    manager.FillTabArea(dc(), CRect(0, 0, 30, 10), nullptr);
    manager.FillTab(dc(), CRect(0, 20, 10, 30), nullptr, nullptr);
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 30, 10), data.m_clrBtnFace));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 20, 10, 30), data.m_clrBtnFace));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 10, 30, 20), kBackground));
}

TEST_F(VisualManagerHooks, TabButtonFrameIsSunkenWhenPushedAndHotOrSelectedAndShrinksToTheGlyphArea)
{
    struct Case {
        BOOL pushed, hot;
        UINT state;
        bool sunken;
    };
    const Case cases[] = {{FALSE, FALSE, 0, false},        {TRUE, FALSE, 0, false}, {FALSE, TRUE, 0, false},
                          {TRUE, TRUE, 0, true},           {FALSE, FALSE, ODS_SELECTED, true}};
    for (const Case& c : cases) {
        canvas.Fill(kBackground);
        TestButton button(c.pushed, c.hot);
        CRect rect(10, 10, 30, 26);
        manager.DrawInsetFrame(dc(), rect, &button, c.state, nullptr);
        if (c.sunken) {
            EXPECT_TRUE(HasFrame(canvas, CRect(10, 10, 30, 26), data.m_clrBtnDkShadow, data.m_clrBtnHilite));
            EXPECT_EQ(CRect(14, 14, 28, 24), rect);
        } else {
            EXPECT_TRUE(HasFrame(canvas, CRect(10, 10, 30, 26), data.m_clrBtnHilite, data.m_clrBtnDkShadow));
            EXPECT_EQ(CRect(12, 12, 28, 24), rect);
        }
        EXPECT_EQ(CRect(10, 10, 30, 26), ChangedArea(canvas));
    }
}

// ---- Header ----------------------------------------------------------------------------------

TEST_F(VisualManagerHooks, HeaderItemIsRaisedOrAShadowFrameMovedWhenPressed)
{
    CRect rect(5, 5, 40, 20);
    manager.DrawHeaderItemBorder(nullptr, dc(), rect, FALSE);
    EXPECT_EQ(CRect(5, 5, 40, 20), rect);
    EXPECT_TRUE(HasFrame(canvas, rect, data.m_clrBtnHilite, data.m_clrBtnShadow));

    manager.DrawHeaderItemBorder(nullptr, dc(), rect, TRUE);
    EXPECT_TRUE(HasFrame(canvas, CRect(5, 5, 40, 20), data.m_clrBtnShadow, data.m_clrBtnShadow));
    EXPECT_EQ(CRect(6, 6, 41, 21), rect);
}

TEST_F(VisualManagerHooks, SortArrowPointsUpOrDownInsideItsRectangle)
{
    const CRect rect(10, 10, 30, 30);
    manager.DrawHeaderSortArrow(dc(), rect, TRUE);
    const CRect up = ChangedArea(canvas);
    EXPECT_TRUE(rect.left <= up.left && up.right <= rect.right && rect.top <= up.top && up.bottom <= rect.bottom);
    // The apex is the one lit pixel of its row at the top.
    EXPECT_EQ(data.m_clrBtnDkShadow, canvas.At(rect.CenterPoint().x, up.top));
    EXPECT_TRUE(IsFilled(canvas, CRect(up.left + 1, up.bottom - 1, up.right, up.bottom), data.m_clrBtnHilite));

    canvas.Fill(kBackground);
    manager.DrawHeaderSortArrow(dc(), rect, FALSE);
    const CRect down = ChangedArea(canvas);
    EXPECT_EQ(up.Width(), down.Width());
    EXPECT_TRUE(IsFilled(canvas, CRect(down.left + 1, down.top, down.right, down.top + 1), data.m_clrBtnHilite));
}

// ---- Task panes ----------------------------------------------------------------------------------

TEST_F(VisualManagerHooks, TaskPaneBackgroundIsTheWindowColour)
{
    manager.FillTaskPaneBackground(dc(), CRect(0, 0, 20, 20));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 20, 20), ::GetSysColor(COLOR_WINDOW)));
    canvas.Fill(kBackground);
    manager.FillTaskGroupBackground(dc(), CRect(0, 0, 20, 20), TRUE);
    manager.FillTaskGroupInterior(dc(), CRect(0, 0, 20, 20));
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
}

TEST_F(VisualManagerHooks, GroupCaptionFillsByKindAndPlacesItsGlyphAtTheRightEnd)
{
    CWtkTaskGroup group;
    group.m_rectGroup = CRect(0, 4, 64, 24);
    group.m_bIsSpecial = TRUE;
    manager.DrawTaskGroupCaption(dc(), &group, FALSE, FALSE, TRUE);
    EXPECT_TRUE(IsFilled(canvas, group.m_rectGroup, ::GetSysColor(COLOR_HIGHLIGHT))) << "no name: no text, no glyph";

    group.m_bIsSpecial = FALSE;
    group.m_strName = "Tasks";
    manager.DrawTaskGroupCaption(dc(), &group, TRUE, FALSE, TRUE);
    // h = (20 + 1) / 2 = 10; glyph 9 x 9: x = 64 - 5 - 10 = 49, y = 24 - 5 - 10 = 9.
    const CSize glyph = CWtkMenuImages::Size();
    ASSERT_EQ(CSize(9, 9), glyph);
    EXPECT_TRUE(HasFrame(canvas, CRect(48, 8, 59, 19), ::GetSysColor(COLOR_WINDOW), data.m_clrBtnShadow));
    // The name starts at the fifth and sixth metrics.
    bool textAtOffset = false;
    for (int y = 11; y < 24 && !textAtOffset; ++y)
        for (int x = 13; x < 40 && !textAtOffset; ++x)
            textAtOffset = canvas.At(x, y) != data.m_clrBtnFace;
    EXPECT_TRUE(textAtOffset);
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 4, 13, 24), data.m_clrBtnFace));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 4, 48, 11), data.m_clrBtnFace)) << "the name starts 7 rows down";
}

TEST_F(VisualManagerHooks, PenShapeIsAnOpenOrClosedOutline)
{
    manager.DrawPenShape(dc(), CRect(10, 10, 20, 20), TRUE, TRUE);
    const COLORREF hilite = ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_TRUE(HasFrame(canvas, CRect(10, 10, 20, 20), hilite, hilite));
    EXPECT_EQ(CRect(10, 10, 20, 20), ChangedArea(canvas));

    canvas.Fill(kBackground);
    manager.DrawPenShape(dc(), CRect(10, 10, 20, 20), FALSE, FALSE);
    // Open: no top edge; the right edge runs up to the top row.
    EXPECT_TRUE(IsFilled(canvas, CRect(10, 10, 11, 19), data.m_clrBtnFace));
    EXPECT_TRUE(IsFilled(canvas, CRect(10, 19, 20, 20), data.m_clrBtnFace));
    EXPECT_TRUE(IsFilled(canvas, CRect(19, 10, 20, 20), data.m_clrBtnFace));
    EXPECT_TRUE(IsFilled(canvas, CRect(11, 10, 19, 11), kBackground));
}

TEST_F(VisualManagerHooks, LinkDrawsItsImageAtTheTopLeftAndItsTextAfterIt)
{
    CImageList images;
    ASSERT_TRUE(images.Create(8, 8, ILC_COLOR32, 1, 1));
    DWORD* bits = nullptr;
    HBITMAP strip = MakeDib(8, 8, &bits);
    ASSERT_NE(nullptr, strip);
    for (int i = 0; i < 64; ++i)
        bits[i] = 0xFFFF0000;  // opaque red
    ASSERT_EQ(0, ::ImageList_Add(images.GetSafeHandle(), strip, nullptr));
    ::DeleteObject(strip);

    CWtkTaskLink link;
    link.m_strName = "Link";
    link.m_nIcon = 0;
    link.m_rect = CRect(4, 4, 60, 24);
    manager.DrawLinkItem(dc(), &link, &images, TRUE, FALSE);
    EXPECT_TRUE(IsFilled(canvas, CRect(4, 4, 12, 12), RGB(255, 0, 0)));
    const CRect all = ChangedArea(canvas);
    EXPECT_TRUE(all.right > 4 + 8 + 5) << "the text follows the image";

    bool textBeforeOffset = false;
    for (int y = 12; y < 24; ++y)
        for (int x = 4; x < 17; ++x)
            textBeforeOffset |= canvas.At(x, y) != kBackground;
    EXPECT_FALSE(textBeforeOffset);

    canvas.Fill(kBackground);
    link.m_nIcon = -1;
    manager.DrawLinkItem(dc(), &link, nullptr, FALSE, FALSE);
    EXPECT_TRUE(IsFilled(canvas, CRect(4, 4, 9, 24), kBackground)) << "no image: the text starts 5 pixels in";
    EXPECT_FALSE(ChangedArea(canvas).IsRectEmpty());
}

// ---- The DC after every hook ----------------------------------------------------------------------

TEST_F(VisualManagerHooks, EveryHookLeavesTheDcsObjectsAndColoursAsItFoundThem)
{
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    CBrush brush(RGB(4, 5, 6));
    CFont font;
    ASSERT_TRUE(font.CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma"));
    CPen* oldPen = dc()->SelectObject(&pen);
    CBrush* oldBrush = dc()->SelectObject(&brush);
    CFont* oldFont = dc()->SelectObject(&font);
    dc()->SetTextColor(RGB(7, 8, 9));
    dc()->SetBkColor(RGB(10, 11, 12));
    dc()->SetBkMode(OPAQUE);
    dc()->SetTextAlign(TA_LEFT | TA_TOP);

    TestBar bar(CBRS_BORDER_ANY, 0);
    CWtkCaptionBar captionBar;
    CWtkCaptionButton captionButton(8);
    CWtkToolbarButton checked(1, TBBS_CHECKED);
    CWtkShowAllButton showAll;
    TestButton pushed(TRUE, TRUE);
    vm_test::TestMiniFrame frame(&bar);
    CWtkTaskGroup group;
    group.m_strName = "Group";
    group.m_rectGroup = CRect(0, 0, 60, 20);
    CWtkTaskLink link;
    link.m_strName = "Link";
    link.m_rect = CRect(0, 20, 60, 40);
    const CRect r(2, 2, 40, 30);

    const std::vector<std::pair<std::string, std::function<void()>>> hooks = {
        {"FillBarBackground", [&] { manager.FillBarBackground(dc(), &captionBar, r, r); }},
        {"DrawBarBorder", [&] { CRect x = r; manager.DrawBarBorder(dc(), &bar, x); }},
        {"DrawDoubleBorder", [&] { manager.DrawDoubleBorder(dc(), nullptr, r); }},
        {"DrawBarGripper", [&] { manager.DrawBarGripper(dc(), r, TRUE, &bar); }},
        {"DrawSeparator", [&] { manager.DrawSeparator(dc(), &bar, r, FALSE); }},
        {"DrawCaption", [&] { manager.DrawCaption(dc(), &bar, TRUE, r, CRect()); }},
        {"DrawCaptionButton", [&] { manager.DrawCaptionButton(dc(), &captionButton, TRUE, TRUE, FALSE, FALSE); }},
        {"DrawMenuSystemButton", [&] { manager.DrawMenuSystemButton(dc(), r, SC_CLOSE, 0, TRUE); }},
        {"DrawStatusBarPaneBorder", [&] { manager.DrawStatusBarPaneBorder(dc(), nullptr, r, 0, 0); }},
        {"DrawStatusBarProgress",
         [&] { manager.DrawStatusBarProgress(dc(), nullptr, r, 10, 5, RGB(0, 0, 255), RGB(0, 255, 0), 0, TRUE); }},
        {"DrawStatusBarSizeBox", [&] { manager.DrawStatusBarSizeBox(dc(), nullptr, r); }},
        {"DrawComboDropButton", [&] { manager.DrawComboDropButton(dc(), r, TRUE, TRUE, FALSE, nullptr); }},
        {"DrawComboBorder", [&] { manager.DrawComboBorder(dc(), r, FALSE, TRUE, FALSE, nullptr); }},
        {"DrawEditBorder", [&] { manager.DrawEditBorder(dc(), r, FALSE, TRUE, nullptr); }},
        {"FillCaptionStrip", [&] { manager.FillCaptionStrip(dc(), r, TRUE); }},
        {"FillButtonInterior checked", [&] { manager.FillButtonInterior(dc(), &checked, r, 0); }},
        {"FillButtonInterior show-all", [&] { manager.FillButtonInterior(dc(), &showAll, r, 2); }},
        {"DrawButtonBorder", [&] { manager.DrawButtonBorder(dc(), &checked, r, 1); }},
        {"HighlightMenuItem", [&] { manager.HighlightMenuItem(dc(), nullptr, r); }},
        {"HighlightRarelyUsedItems", [&] { manager.HighlightRarelyUsedItems(dc(), r); }},
        {"FillFaceArea", [&] { COLORREF c; manager.FillFaceArea(dc(), r, nullptr, c); }},
        {"DrawDoubleFrame", [&] { CRect x = r; manager.DrawDoubleFrame(dc(), x, TRUE, TRUE); }},
        {"FillTabArea", [&] { manager.FillTabArea(dc(), r, nullptr); }},
        {"DrawTab", [&] { manager.DrawTab(dc(), r, 0, TRUE, nullptr); }},
        {"FillTab", [&] { manager.FillTab(dc(), r, &pushed, nullptr); }},
        {"DrawInsetFrame", [&] { CRect x = r; manager.DrawInsetFrame(dc(), x, &pushed, 0, nullptr); }},
        {"FillCommandsListItem", [&] { manager.FillCommandsListItem(dc(), r, TRUE); }},
        {"FillBarArea", [&] { manager.FillBarArea(dc(), r, &frame, FALSE); }},
        {"DrawMiniFrameBorder", [&] { manager.DrawMiniFrameBorder(dc(), &frame, r, CRect(3, 3, 3, 3)); }},
        {"DrawHeaderItemBorder", [&] { CRect x = r; manager.DrawHeaderItemBorder(nullptr, dc(), x, TRUE); }},
        {"DrawHeaderSortArrow", [&] { manager.DrawHeaderSortArrow(dc(), r, TRUE); }},
        {"FillTaskPaneBackground", [&] { manager.FillTaskPaneBackground(dc(), r); }},
        {"DrawTaskGroupCaption", [&] { manager.DrawTaskGroupCaption(dc(), &group, TRUE, FALSE, TRUE); }},
        {"DrawPenShape", [&] { manager.DrawPenShape(dc(), r, TRUE, FALSE); }},
        {"DrawLinkItem", [&] { manager.DrawLinkItem(dc(), &link, nullptr, TRUE, FALSE); }},
    };
    const vm_test::DcState before = vm_test::DcState::Of(dc()->GetSafeHdc());
    for (const auto& hook : hooks) {
        hook.second();
        EXPECT_TRUE(before == vm_test::DcState::Of(dc()->GetSafeHdc())) << hook.first;
    }

    dc()->SelectObject(oldFont);
    dc()->SelectObject(oldBrush);
    dc()->SelectObject(oldPen);
}

}  // namespace
