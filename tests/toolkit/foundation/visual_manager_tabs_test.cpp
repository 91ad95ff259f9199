#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/brush.h"
#include "platform/ui/font.h"
#include "platform/ui/image_list.h"
#include "platform/ui/pen.h"
#include "platform/ui/window_class.h"
#include "toolkit/controls/button.h"
#include "toolkit/extras/base_tab_wnd.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/visual_manager_xp.h"
#include "visual_manager_support.h"
#include "scoped_bits_per_pixel.h"

namespace {

using vm_test::ChangedArea;
using vm_test::HasFrame;
using vm_test::IsFilled;
using vm_test::kBackground;

constexpr COLORREF kNone = static_cast<COLORREF>(-1);
// Colours no system colour and no palette colour has.
constexpr COLORREF kPen = RGB(200, 0, 0);          // the tab window's pen
constexpr COLORREF kBrush = RGB(0, 160, 0);        // the tab window's brush
constexpr COLORREF kText = RGB(30, 60, 200);       // the DC's text colour
constexpr COLORREF kOwnBack = RGB(250, 200, 10);   // a tab's own background
constexpr COLORREF kOwnText = RGB(120, 10, 140);   // a tab's own text colour
constexpr COLORREF kImage = RGB(255, 0, 255);      // every pixel of the tab image
constexpr COLORREF kIcon = RGB(0, 255, 255);       // every pixel of the tab icon
constexpr int kImageSize = 16;

enum Look { Classic, XP };
enum Style { Style3d, Flat };
constexpr int kBottom = CWtkBaseTabWnd::LOCATION_BOTTOM;
constexpr int kTop = CWtkBaseTabWnd::LOCATION_TOP;

const char* NameOf(Look look)
{
    return look == Classic ? "classic" : "XP";
}

// A tab window whose tabs and answers a test sets; an index outside its
// tabs reads as no tab.
class FakeTabWnd : public CWtkBaseTabWnd {
public:
    struct Tab {
        CString label;
        int image = -1;
        HICON icon = nullptr;
        COLORREF back = kNone;
        COLORREF text = kNone;
    };

    void SetLocation(int nLocation) { m_nLocation = nLocation; }

    int GetTabsHeight() const override { return m_nHeight; }
    BOOL GetTabLabel(int iTab, CString& strLabel) const override
    {
        strLabel.Empty();
        if (const Tab* tab = At(iTab)) {
            strLabel = tab->label;
            return TRUE;
        }
        return FALSE;
    }
    int GetTabIcon(int iTab) const override { return At(iTab) ? At(iTab)->image : -1; }
    HICON GetTabHicon(int iTab) const override { return At(iTab) ? At(iTab)->icon : nullptr; }
    COLORREF TabBackColorAt(int iTab) const override { return At(iTab) ? At(iTab)->back : kNone; }
    COLORREF TabTextColorAt(int iTab) const override { return At(iTab) ? At(iTab)->text : kNone; }
    CSize GetImageSize() const override { return m_sizeImage; }
    CImageList* GetImageList() const override { return m_pImages; }
    int GetActiveTab() const override { return m_nActive; }
    BOOL IsFlatTabs() const override { return m_bFlat; }
    BOOL HasContentFrame() const override { return m_bContentFrame; }

    std::vector<Tab> m_tabs = std::vector<Tab>(4);
    int m_nHeight = 21;
    CSize m_sizeImage = CSize(kImageSize, kImageSize);
    CImageList* m_pImages = nullptr;
    int m_nActive = -1;
    BOOL m_bFlat = FALSE;
    BOOL m_bContentFrame = TRUE;

private:
    const Tab* At(int iTab) const
    {
        return iTab >= 0 && iTab < static_cast<int>(m_tabs.size()) ? &m_tabs[iTab] : nullptr;
    }
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


// An icon of one colour, destroyed with the object.
class SolidIcon {
public:
    SolidIcon(int size, COLORREF color)
    {
        DWORD* bits = nullptr;
        HBITMAP colorBits = MakeDib(size, size, &bits);
        for (int i = 0; colorBits && i < size * size; ++i)
            bits[i] = 0xFF000000 | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        std::vector<BYTE> maskRows(static_cast<size_t>(size) * ((size + 15) / 16) * 2, 0);
        HBITMAP mask = ::CreateBitmap(size, size, 1, 1, maskRows.data());
        ICONINFO info = {TRUE, 0, 0, mask, colorBits};
        m_icon = ::CreateIconIndirect(&info);
        ::DeleteObject(mask);
        ::DeleteObject(colorBits);
    }
    ~SolidIcon()
    {
        if (m_icon)
            ::DestroyIcon(m_icon);
    }
    SolidIcon(const SolidIcon&) = delete;
    SolidIcon& operator=(const SolidIcon&) = delete;

    HICON m_icon = nullptr;
};

// The smallest rectangle of pixels of exactly this colour inside within
// (empty when there is none).
CRect AreaOf(const DibCanvas& canvas, COLORREF color, CRect within)
{
    CRect area;
    bool found = false;
    within.IntersectRect(within, CRect(0, 0, canvas.Width(), canvas.Height()));
    for (int y = within.top; y < within.bottom; ++y) {
        for (int x = within.left; x < within.right; ++x) {
            if (canvas.At(x, y) != color)
                continue;
            if (!found)
                area = CRect(x, y, x + 1, y + 1);
            area.left = std::min<LONG>(area.left, x);
            area.top = std::min<LONG>(area.top, y);
            area.right = std::max<LONG>(area.right, x + 1);
            area.bottom = std::max<LONG>(area.bottom, y + 1);
            found = true;
        }
    }
    return area;
}

CRect AreaOf(const DibCanvas& canvas, COLORREF color)
{
    return AreaOf(canvas, color, CRect(0, 0, canvas.Width(), canvas.Height()));
}

// Which pixels of rect have exactly this colour.
std::vector<bool> MaskOf(const DibCanvas& canvas, COLORREF color, const CRect& rect)
{
    std::vector<bool> mask;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            mask.push_back(canvas.At(x, y) == color);
    return mask;
}

bool Any(const std::vector<bool>& mask)
{
    for (bool set : mask)
        if (set)
            return true;
    return false;
}

// A canvas prepared as a tab window prepares its DC before it asks for a
// tab: its own pen and brush, a font (without smoothing, so that text pixels
// have the text colour itself) and transparent text.
class TabCanvas : public DibCanvas {
public:
    explicit TabCanvas(CFont& font) : DibCanvas(120, 64)
    {
        Fill(kBackground);
        m_pen.CreatePen(PS_SOLID, 1, kPen);
        m_brush.CreateSolidBrush(kBrush);
        m_oldPen = dc.SelectObject(&m_pen);
        m_oldBrush = dc.SelectObject(&m_brush);
        m_oldFont = dc.SelectObject(&font);
        dc.SetTextColor(kText);
        dc.SetBkMode(TRANSPARENT);
    }
    ~TabCanvas()
    {
        dc.SelectObject(m_oldFont);
        dc.SelectObject(m_oldBrush);
        dc.SelectObject(m_oldPen);
    }

private:
    CPen m_pen;
    CBrush m_brush;
    CPen* m_oldPen = nullptr;
    CBrush* m_oldBrush = nullptr;
    CFont* m_oldFont = nullptr;
};

class VisualManagerTabs : public ::testing::Test {
protected:
    VisualManagerTabs() : deep(32), classic(TRUE), xp(TRUE), data(WtkGlobalData()), icon(kImageSize, kIcon)
    {
        font.CreateFont(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Tahoma");
    }
    void SetUp() override
    {
        ASSERT_NE(nullptr, font.GetSafeHandle());
        ASSERT_NE(nullptr, icon.m_icon);
        ASSERT_TRUE(images.Create(kImageSize, kImageSize, ILC_COLOR32, 1, 1));
        DWORD* bits = nullptr;
        HBITMAP strip = MakeDib(kImageSize, kImageSize, &bits);
        ASSERT_NE(nullptr, strip);
        for (int i = 0; i < kImageSize * kImageSize; ++i)
            bits[i] = 0xFF000000 | (GetRValue(kImage) << 16) | (GetGValue(kImage) << 8) | GetBValue(kImage);
        ASSERT_EQ(0, ::ImageList_Add(images.GetSafeHandle(), strip, nullptr));
        ::DeleteObject(strip);
        tabs.m_pImages = &images;
    }

    CWtkVisualManager& Manager(Look look) { return look == Classic ? classic : xp; }

    ScopedBitsPerPixel deep;
    CWtkVisualManager classic;
    CWtkVisualManagerXP xp;
    CWtkGlobalData& data;
    CFont font;
    CImageList images;
    SolidIcon icon;
    FakeTabWnd tabs;
};

// ---- The base tab window ---------------------------------------------------------------------

TEST(BaseTabWnd, HasNoTabsAndAnswersEveryIndexWithNothing)
{
    CWtkBaseTabWnd base;
    EXPECT_EQ(CWtkBaseTabWnd::LOCATION_BOTTOM, base.GetLocation());
    EXPECT_FALSE(base.IsFlatTabs());
    EXPECT_FALSE(base.HasContentFrame());
    EXPECT_EQ(-1, base.GetActiveTab());
    EXPECT_EQ(nullptr, base.GetImageList());
    EXPECT_EQ(CSize(0, 0), base.GetImageSize());
    EXPECT_EQ(0, base.GetTabsHeight());
    EXPECT_EQ(0u, base.GetTabOption());
    for (int index : {-2, -1, 0, 1, 1000}) {
        CString label("stale");
        EXPECT_FALSE(base.GetTabLabel(index, label)) << index;
        EXPECT_TRUE(label.IsEmpty()) << index;
        EXPECT_EQ(-1, base.GetTabIcon(index)) << index;
        EXPECT_EQ(nullptr, base.GetTabHicon(index)) << index;
        EXPECT_EQ(kNone, base.TabBackColorAt(index)) << index;
        EXPECT_EQ(kNone, base.TabTextColorAt(index)) << index;
    }
}

TEST(BaseTabWnd, AddedTabsAnswerTheirLabelAndImageAndNothingElse)
{
    CWtkBaseTabWnd base;
    base.AddTab(nullptr, "First", 3);
    base.AddTab(nullptr, "Second");
    CString label;
    ASSERT_TRUE(base.GetTabLabel(0, label));
    EXPECT_EQ(CString("First"), label);
    EXPECT_EQ(3, base.GetTabIcon(0));
    ASSERT_TRUE(base.GetTabLabel(1, label));
    EXPECT_EQ(CString("Second"), label);
    EXPECT_EQ(-1, base.GetTabIcon(1));
    EXPECT_FALSE(base.GetTabLabel(2, label));
    EXPECT_TRUE(label.IsEmpty());
    EXPECT_EQ(nullptr, base.GetTabHicon(0));
    EXPECT_EQ(kNone, base.TabBackColorAt(0));
}

// A tab window that counts its paints.
class PaintCountingTabWnd : public FakeTabWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT)
            ++m_nPaints;
        if (message == WM_ERASEBKGND)
            ++m_nErases;
        return FakeTabWnd::WindowProc(message, wParam, lParam);
    }
    void Settle()
    {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
        ::UpdateWindow(m_hWnd);
        m_nPaints = 0;
        m_nErases = 0;
    }

    int m_nPaints = 0;
    int m_nErases = 0;
};

TEST(BaseTabWnd, TabOptionIsStoredAndRedrawsTheWindowAtOnceWhenAsked)
{
    CWtkBaseTabWnd withoutWindow;
    withoutWindow.SetTabOption(1, TRUE);
    EXPECT_EQ(1u, withoutWindow.GetTabOption());

    PaintCountingTabWnd window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE)), "tabs",
                                WS_POPUP | WS_VISIBLE, 0, 0, 60, 30, nullptr, nullptr));
    window.Settle();
    window.SetTabOption(7, FALSE);
    EXPECT_EQ(7u, window.GetTabOption());
    EXPECT_EQ(0, window.m_nPaints);

    window.SetTabOption(0, TRUE);
    EXPECT_EQ(0u, window.GetTabOption());
    EXPECT_EQ(1, window.m_nPaints) << "painted before the call returns";
    EXPECT_EQ(1, window.m_nErases);
    window.DestroyWindow();
}

// ---- Flat tabs ------------------------------------------------------------------------------

TEST_F(VisualManagerTabs, FlatTabIsASlantedPolygonInTheTabWindowsPenAndBrushInBothLooks)
{
    // Tab (10, 10, 70, 30), tabs height 21: the slant is 21 / 2 = 10 pixels.
    struct Case {
        Look look;
        int location;
        CRect outline;
        int narrowRow;  // the short side, from x 20 to 60
        int wideRow;    // the long side, from x 10 to 70
    };
    const Case cases[] = {
        {Classic, kBottom, CRect(10, 10, 71, 30), 29, 10},
        {Classic, kTop, CRect(10, 11, 71, 31), 11, 30},
        {XP, kBottom, CRect(10, 10, 71, 30), 29, 10},
        {XP, kTop, CRect(10, 11, 71, 31), 11, 30},
    };
    tabs.m_bFlat = TRUE;
    // Flat tabs never show an image or an icon.
    tabs.m_tabs[1].image = 0;
    tabs.m_tabs[2].icon = icon.m_icon;
    for (const Case& c : cases) {
        for (int iTab : {1, 2}) {
            SCOPED_TRACE(std::string(NameOf(c.look)) + (c.location == kBottom ? " bottom" : " top") + " tab " +
                         std::to_string(iTab));
            TabCanvas canvas(font);
            tabs.SetLocation(c.location);
            Manager(c.look).DrawTab(&canvas.dc, CRect(10, 10, 70, 30), iTab, FALSE, &tabs);

            EXPECT_EQ(c.outline, ChangedArea(canvas));
            EXPECT_EQ(kPen, canvas.At(20, c.narrowRow));
            EXPECT_EQ(kPen, canvas.At(40, c.narrowRow));
            EXPECT_EQ(kPen, canvas.At(60, c.narrowRow));
            EXPECT_EQ(kBackground, canvas.At(15, c.narrowRow));
            EXPECT_EQ(kBackground, canvas.At(65, c.narrowRow));
            EXPECT_EQ(kPen, canvas.At(10, c.wideRow));
            EXPECT_EQ(kPen, canvas.At(70, c.wideRow));
            EXPECT_TRUE(IsFilled(canvas, CRect(25, 15, 55, 26), kBrush));
            EXPECT_TRUE(AreaOf(canvas, kImage).IsRectEmpty());
            EXPECT_TRUE(AreaOf(canvas, kIcon).IsRectEmpty());
        }
    }
}

// ---- Own colours ----------------------------------------------------------------------------

TEST_F(VisualManagerTabs, InactiveTabIsFilledWithItsOwnBackgroundWhereTheLookUsesIt)
{
    // Tab (20, 10, 80, 40).
    struct Case {
        Look look;
        Style style;
        int location;
        BOOL active;
        CRect ownColour;    // filled with the tab's own colour (empty: none)
        CRect background;   // untouched
    };
    const Case cases[] = {
        // 3D: the shortened tab less a one-pixel margin.
        {Classic, Style3d, kBottom, FALSE, CRect(21, 11, 79, 37), CRect(21, 10, 79, 11)},
        {Classic, Style3d, kTop, FALSE, CRect(24, 15, 79, 39), CRect(21, 39, 79, 41)},
        {Classic, Style3d, kBottom, TRUE, CRect(), CRect(21, 11, 79, 38)},
        // Flat: the polygon instead of the tab window's brush.
        {Classic, Flat, kBottom, FALSE, CRect(30, 15, 70, 30), CRect(21, 37, 29, 39)},
        {Classic, Flat, kTop, TRUE, CRect(), CRect(21, 11, 29, 13)},
        {XP, Flat, kTop, FALSE, CRect(30, 15, 70, 30), CRect(21, 11, 29, 13)},
        // XP 3D tabs show no colours of their own.
        {XP, Style3d, kBottom, FALSE, CRect(), CRect(21, 11, 79, 38)},
        {XP, Style3d, kTop, FALSE, CRect(), CRect(21, 11, 79, 38)},
    };
    tabs.m_tabs[0].back = kOwnBack;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(NameOf(c.look)) + (c.style == Flat ? " flat" : " 3D") +
                     (c.location == kBottom ? " bottom" : " top") + (c.active ? " active" : " inactive"));
        TabCanvas canvas(font);
        tabs.m_bFlat = c.style == Flat;
        tabs.SetLocation(c.location);
        Manager(c.look).DrawTab(&canvas.dc, CRect(20, 10, 80, 40), 0, c.active, &tabs);
        if (c.ownColour.IsRectEmpty()) {
            EXPECT_TRUE(AreaOf(canvas, kOwnBack).IsRectEmpty());
            if (c.style == Flat) {
                EXPECT_TRUE(IsFilled(canvas, CRect(30, 15, 70, 30), kBrush));
            }
        } else {
            EXPECT_TRUE(IsFilled(canvas, c.ownColour, kOwnBack));
        }
        EXPECT_TRUE(IsFilled(canvas, c.background, kBackground));
    }
    // The 3D fill covers exactly the shortened tab less its margin.
    TabCanvas canvas(font);
    tabs.m_bFlat = FALSE;
    tabs.SetLocation(kBottom);
    classic.DrawTab(&canvas.dc, CRect(20, 10, 80, 40), 0, FALSE, &tabs);
    EXPECT_EQ(CRect(21, 11, 79, 37), AreaOf(canvas, kOwnBack));
}

TEST_F(VisualManagerTabs, LabelColourAndTheDcsTextColourAfterTheTab)
{
    struct Case {
        Look look;
        Style style;
        BOOL active;
        COLORREF label;   // the label's pixels
        COLORREF after;   // the DC's text colour after the call
    };
    const COLORREF text = WtkGlobalData().m_clrBtnText;
    const COLORREF dark = xp.m_clrDark;
    const Case cases[] = {
        {Classic, Style3d, FALSE, kOwnText, kText},
        {Classic, Style3d, TRUE, kText, kText},
        {Classic, Flat, FALSE, kOwnText, kText},
        {Classic, Flat, TRUE, kText, kText},
        {XP, Flat, FALSE, kOwnText, kText},
        // The XP look sets its own colour and leaves it set.
        {XP, Style3d, TRUE, text, text},
        {XP, Style3d, FALSE, dark, dark},
    };
    tabs.m_tabs[3].label = "Www";
    tabs.m_tabs[3].text = kOwnText;
    tabs.m_tabs[3].back = kOwnBack;
    tabs.m_tabs[3].image = 0;
    for (const Case& c : cases) {
        for (int location : {kBottom, kTop}) {
            SCOPED_TRACE(std::string(NameOf(c.look)) + (c.style == Flat ? " flat" : " 3D") +
                         (location == kBottom ? " bottom" : " top") + (c.active ? " active" : " inactive"));
            TabCanvas canvas(font);
            tabs.m_bFlat = c.style == Flat;
            tabs.SetLocation(location);
            const vm_test::DcState before = vm_test::DcState::Of(canvas.dc.GetSafeHdc());
            Manager(c.look).DrawTab(&canvas.dc, CRect(10, 10, 110, 40), 3, c.active, &tabs);

            vm_test::DcState expected = before;
            expected.text = c.after;
            EXPECT_TRUE(expected == vm_test::DcState::Of(canvas.dc.GetSafeHdc()));
            const CRect inside(40, 14, 90, 36);
            EXPECT_FALSE(AreaOf(canvas, c.label, inside).IsRectEmpty());
            for (COLORREF other : {kText, kOwnText, text, dark}) {
                if (other != c.label) {
                    EXPECT_TRUE(AreaOf(canvas, other, inside).IsRectEmpty()) << std::hex << other;
                }
            }
        }
    }
}

// ---- Classic 3D tabs ------------------------------------------------------------------------

TEST_F(VisualManagerTabs, Classic3dTabEdgesAndTheActiveTabsJoinToTheContent)
{
    enum Key { Bg, Hi, Sh, Bk, Face };
    struct Probe {
        int x, y;
        Key key;
    };
    struct Case {
        int location;
        BOOL active;
        std::vector<Probe> probes;
    };
    // Tab (20, 10, 80, 40). Inactive tabs end 2 pixels short of the content;
    // the active tab covers rows 7-9 (bottom) or 40-42 (top), columns 20-78.
    const Case cases[] = {
        {kBottom, TRUE,
         {{20, 10, Hi}, {20, 37, Hi}, {20, 38, Bk}, {21, 39, Bk}, {22, 40, Bk}, {77, 40, Bk}, {78, 40, Bk},
          {79, 39, Bk}, {80, 38, Bk}, {80, 10, Bk}, {23, 39, Sh}, {77, 39, Sh}, {78, 39, Sh}, {79, 38, Sh},
          {79, 10, Sh}, {20, 39, Bg}, {22, 39, Bg}, {21, 40, Bg}, {20, 41, Bg}, {81, 20, Bg}, {50, 20, Bg},
          {20, 7, Face}, {50, 8, Face}, {78, 9, Face}, {79, 9, Bg}, {80, 9, Bg}, {50, 6, Bg}}},
        {kBottom, FALSE,
         {{20, 10, Hi}, {20, 35, Hi}, {20, 36, Bk}, {21, 37, Bk}, {50, 38, Bk}, {80, 36, Bk}, {80, 10, Bk},
          {50, 37, Sh}, {79, 36, Sh}, {79, 10, Sh}, {20, 37, Bg}, {50, 39, Bg}, {50, 40, Bg}, {50, 9, Bg},
          {50, 20, Bg}}},
        {kTop, TRUE,
         {{80, 40, Bk}, {80, 13, Bk}, {80, 12, Bk}, {79, 11, Bk}, {78, 10, Hi}, {23, 10, Hi}, {22, 10, Hi},
          {21, 11, Hi}, {20, 12, Hi}, {20, 39, Hi}, {79, 12, Sh}, {79, 39, Sh}, {79, 40, Sh}, {20, 40, Face},
          {50, 42, Face}, {78, 41, Face}, {79, 41, Bg}, {50, 43, Bg}, {79, 10, Bg}, {20, 10, Bg}, {20, 11, Bg},
          {50, 20, Bg}}},
        {kTop, FALSE,
         {{80, 39, Bk}, {80, 15, Bk}, {80, 14, Bk}, {79, 13, Bk}, {78, 12, Hi}, {23, 12, Hi}, {22, 12, Hi},
          {21, 13, Hi}, {20, 14, Hi}, {20, 39, Hi}, {79, 39, Sh}, {79, 14, Sh}, {80, 40, Bg}, {79, 40, Bg},
          {50, 40, Bg}, {50, 11, Bg}, {50, 10, Bg}, {20, 40, Bg}, {50, 20, Bg}}},
    };
    const COLORREF colours[] = {kBackground, data.m_clrBtnHilite, data.m_clrBtnShadow, RGB(0, 0, 0),
                                data.m_clrBtnFace};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.location == kBottom ? "bottom" : "top") + (c.active ? " active" : " inactive"));
        TabCanvas canvas(font);
        tabs.SetLocation(c.location);
        classic.DrawTab(&canvas.dc, CRect(20, 10, 80, 40), 0, c.active, &tabs);
        for (const Probe& p : c.probes)
            EXPECT_EQ(colours[p.key], canvas.At(p.x, p.y)) << p.x << "," << p.y;
    }
}

// ---- Images and labels ----------------------------------------------------------------------

TEST_F(VisualManagerTabs, ImageOrIconSitsFourPixelsInAndIsCentredVertically)
{
    // Tab (20, 10, 80, 40), 16 x 16 images: x 24; y centred in the tab as
    // drawn (classic inactive tabs are 2 pixels shorter), one pixel higher
    // for the active bottom tab (classic: the icon only).
    enum Kind { Image, Icon };
    struct Case {
        Look look;
        int location;
        BOOL active;
        Kind kind;
        int y;
    };
    const Case cases[] = {
        {Classic, kBottom, TRUE, Image, 17},  {Classic, kBottom, TRUE, Icon, 16},
        {Classic, kBottom, FALSE, Image, 16}, {Classic, kBottom, FALSE, Icon, 16},
        {Classic, kTop, TRUE, Image, 17},     {Classic, kTop, TRUE, Icon, 17},
        {Classic, kTop, FALSE, Image, 18},    {Classic, kTop, FALSE, Icon, 18},
        {XP, kBottom, TRUE, Image, 16},       {XP, kBottom, TRUE, Icon, 16},
        {XP, kBottom, FALSE, Image, 17},      {XP, kBottom, FALSE, Icon, 17},
        {XP, kTop, TRUE, Image, 17},          {XP, kTop, TRUE, Icon, 17},
        {XP, kTop, FALSE, Image, 17},         {XP, kTop, FALSE, Icon, 17},
    };
    tabs.m_tabs[1].image = 0;
    tabs.m_tabs[2].icon = icon.m_icon;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(NameOf(c.look)) + (c.location == kBottom ? " bottom" : " top") +
                     (c.active ? " active" : " inactive") + (c.kind == Image ? " image" : " icon"));
        TabCanvas canvas(font);
        tabs.SetLocation(c.location);
        tabs.m_nActive = c.active ? 1 : -1;
        Manager(c.look).DrawTab(&canvas.dc, CRect(20, 10, 80, 40), c.kind == Image ? 1 : 2, c.active, &tabs);
        EXPECT_EQ(CRect(24, c.y, 24 + kImageSize, c.y + kImageSize), AreaOf(canvas, c.kind == Image ? kImage : kIcon));
        EXPECT_TRUE(AreaOf(canvas, c.kind == Image ? kIcon : kImage).IsRectEmpty());
    }
}

TEST_F(VisualManagerTabs, TabNarrowerThanItsImageAndMarginShowsNeitherImageNorLabel)
{
    struct Case {
        Look look;
        BOOL active;
        int width;
        bool shown;
    };
    // Images 16 wide: a tab needs 16 + 4 pixels.
    const Case cases[] = {
        {Classic, FALSE, 19, false}, {Classic, TRUE, 19, false}, {Classic, FALSE, 20, true},
        {XP, TRUE, 19, false},       {XP, FALSE, 19, false},     {XP, TRUE, 20, true},
    };
    tabs.m_tabs[1].image = 0;
    tabs.m_tabs[1].label = "Tab";
    tabs.m_tabs[2].label = "";  // the same tab without image and label
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(NameOf(c.look)) + (c.active ? " active, width " : " inactive, width ") +
                     std::to_string(c.width));
        const CRect rect(20, 10, 20 + c.width, 40);
        // Both tabs keep their separator in the XP look.
        tabs.m_nActive = c.active ? 1 : 0;
        TabCanvas drawn(font);
        Manager(c.look).DrawTab(&drawn.dc, rect, 1, c.active, &tabs);
        tabs.m_nActive = c.active ? 2 : 0;
        TabCanvas empty(font);
        Manager(c.look).DrawTab(&empty.dc, rect, 2, c.active, &tabs);

        EXPECT_EQ(c.shown, !AreaOf(drawn, kImage).IsRectEmpty());
        bool same = true;
        for (int y = 0; y < drawn.Height(); ++y)
            for (int x = 0; x < drawn.Width(); ++x)
                same = same && drawn.At(x, y) == empty.At(x, y);
        EXPECT_EQ(!c.shown, same);
    }
}

// The label drawn by the tab hook against DrawText's own drawing of it in
// the rectangle and format the hook should use, on a canvas prepared alike.
class LabelCheck {
public:
    LabelCheck(CFont& font, const TabCanvas& drawn, COLORREF color, const CString& label, CRect rect, UINT format)
        : m_reference(font)
    {
        m_reference.dc.SetTextColor(color);
        m_reference.dc.DrawText(label, &rect, format);
        m_compared = rect;
        m_compared.DeflateRect(1, 1);
        m_drawn = MaskOf(drawn, color, m_compared);
        m_expected = MaskOf(m_reference, color, m_compared);
    }
    bool Matches() const { return m_drawn == m_expected; }
    bool HasText() const { return Any(m_drawn); }
    const std::vector<bool>& Drawn() const { return m_drawn; }

private:
    TabCanvas m_reference;
    CRect m_compared;
    std::vector<bool> m_drawn;
    std::vector<bool> m_expected;
};

TEST_F(VisualManagerTabs, LabelStartsEightPixelsAfterTheImageWidth)
{
    enum Kind { None, Image, Icon };
    struct Case {
        Look look;
        Kind kind;
        int left;  // of the label's rectangle
    };
    const Case cases[] = {
        {Classic, None, 28}, {Classic, Image, 44}, {Classic, Icon, 44},
        {XP, None, 28},      {XP, Image, 44},      {XP, Icon, 44},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(NameOf(c.look)) + " kind " + std::to_string(c.kind));
        FakeTabWnd::Tab& tab = tabs.m_tabs[0];
        tab.label = "Tab";
        tab.image = c.kind == Image ? 0 : -1;
        tab.icon = c.kind == Icon ? icon.m_icon : nullptr;
        tabs.m_nActive = 0;
        TabCanvas canvas(font);
        Manager(c.look).DrawTab(&canvas.dc, CRect(20, 10, 100, 40), 0, TRUE, &tabs);

        const COLORREF color = canvas.dc.GetTextColor();
        LabelCheck check(font, canvas, color, "Tab", CRect(c.left, 10, 100, 40),
                         DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        EXPECT_TRUE(check.HasText());
        EXPECT_TRUE(check.Matches());
        const CRect ink = AreaOf(canvas, color, CRect(21, 11, 98, 39));
        EXPECT_GE(ink.left, c.left);
        EXPECT_LT(ink.left, c.left + 4);
    }
}

TEST_F(VisualManagerTabs, PrefixOptionShowsTheAmpersandInEveryLook)
{
    struct Case {
        Look look;
        Style style;
        int location;
        CRect label;  // the label's rectangle in tab (20, 10, 100, 40)
        UINT format;
    };
    const Case cases[] = {
        {Classic, Style3d, kBottom, CRect(28, 10, 100, 40), DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS},
        {Classic, Flat, kBottom, CRect(20, 10, 100, 39), DT_CENTER | DT_VCENTER | DT_SINGLELINE},
        {Classic, Flat, kTop, CRect(22, 11, 100, 40), DT_CENTER | DT_VCENTER | DT_SINGLELINE},
        {XP, Style3d, kTop, CRect(28, 10, 100, 40), DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS},
        {XP, Flat, kBottom, CRect(20, 10, 100, 39), DT_CENTER | DT_VCENTER | DT_SINGLELINE},
    };
    tabs.m_tabs[0].label = "&A";
    tabs.m_nActive = 0;
    for (const Case& c : cases) {
        std::vector<bool> drawn[2];
        for (UINT option : {0u, 1u}) {
            SCOPED_TRACE(std::string(NameOf(c.look)) + (c.style == Flat ? " flat" : " 3D") + " option " +
                         std::to_string(option));
            tabs.m_bFlat = c.style == Flat;
            tabs.SetLocation(c.location);
            tabs.SetTabOption(option, FALSE);
            TabCanvas canvas(font);
            Manager(c.look).DrawTab(&canvas.dc, CRect(20, 10, 100, 40), 0, TRUE, &tabs);

            LabelCheck check(font, canvas, canvas.dc.GetTextColor(), "&A", c.label,
                             c.format | (option ? DT_NOPREFIX : 0));
            EXPECT_TRUE(check.HasText());
            EXPECT_TRUE(check.Matches());
            drawn[option] = check.Drawn();
        }
        EXPECT_NE(drawn[0], drawn[1]) << NameOf(c.look);
    }
    tabs.SetTabOption(0, FALSE);
}

// ---- Office-XP 3D tabs ----------------------------------------------------------------------

TEST_F(VisualManagerTabs, XpSeparatorIsMissingOnlyRightOfTheTabLeftOfTheActiveOne)
{
    struct Case {
        int active;
        int tab;
        bool separator;
    };
    const Case cases[] = {
        {2, 1, false}, {2, 0, true}, {2, 3, true}, {0, 3, true}, {3, 2, false}, {-1, 0, true}, {-1, 3, true},
    };
    for (int location : {kBottom, kTop}) {
        for (const Case& c : cases) {
            SCOPED_TRACE("active " + std::to_string(c.active) + ", tab " + std::to_string(c.tab));
            tabs.SetLocation(location);
            tabs.m_nActive = c.active;
            TabCanvas canvas(font);
            xp.DrawTab(&canvas.dc, CRect(20, 10, 80, 30), c.tab, FALSE, &tabs);
            if (c.separator) {
                EXPECT_EQ(CRect(80, 13, 81, 27), ChangedArea(canvas));
                EXPECT_TRUE(IsFilled(canvas, CRect(80, 13, 81, 27), data.m_clrBtnShadow));
            } else {
                EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
            }
        }
    }
}

TEST_F(VisualManagerTabs, XpActiveTabIsFaceFilledFromAboveTheTabAtTheBottomAndEdged)
{
    enum Key { Bg, Hi, Tx, Face };
    struct Probe {
        int x, y;
        Key key;
    };
    struct Case {
        int location;
        BOOL contentFrame;
        CRect drawn;
        std::vector<Probe> probes;
    };
    // Tab (20, 10, 80, 30).
    const Case cases[] = {
        {kBottom, TRUE, CRect(20, 9, 81, 31),
         {{20, 9, Face}, {79, 9, Face}, {50, 20, Face}, {20, 10, Face}, {50, 8, Bg}, {80, 9, Bg}, {80, 10, Tx},
          {80, 29, Tx}, {80, 30, Tx}, {21, 30, Tx}, {20, 30, Hi}, {20, 11, Hi}}},
        {kBottom, FALSE, CRect(20, 8, 81, 31), {{50, 8, Face}, {20, 8, Face}, {79, 8, Face}, {50, 7, Bg}, {80, 20, Tx}}},
        {kTop, TRUE, CRect(20, 9, 81, 31),
         {{80, 9, Hi}, {80, 10, Hi}, {50, 10, Hi}, {20, 10, Hi}, {20, 29, Hi}, {80, 11, Tx}, {80, 30, Tx},
          {21, 30, Face}, {50, 20, Face}, {79, 30, Face}, {20, 30, Bg}, {50, 31, Bg}, {79, 9, Bg}}},
        {kTop, FALSE, CRect(20, 9, 81, 31), {{80, 9, Hi}, {50, 20, Face}, {50, 31, Bg}, {50, 8, Bg}}},
    };
    const COLORREF colours[] = {kBackground, data.m_clrBtnHilite, data.m_clrBtnText, data.m_clrBtnFace};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.location == kBottom ? "bottom" : "top") +
                     (c.contentFrame ? " with content frame" : " without content frame"));
        tabs.SetLocation(c.location);
        tabs.m_bContentFrame = c.contentFrame;
        tabs.m_nActive = 1;
        TabCanvas canvas(font);
        xp.DrawTab(&canvas.dc, CRect(20, 10, 80, 30), 1, TRUE, &tabs);
        EXPECT_EQ(c.drawn, ChangedArea(canvas));
        for (const Probe& p : c.probes)
            EXPECT_EQ(colours[p.key], canvas.At(p.x, p.y)) << p.x << "," << p.y;
    }
}

TEST_F(VisualManagerTabs, XpTabAreaIsLightFaceUnlessTheTabsAreFlat)
{
    for (Look look : {Classic, XP}) {
        for (Style style : {Style3d, Flat}) {
            TabCanvas canvas(font);
            tabs.m_bFlat = style == Flat;
            Manager(look).FillTabArea(&canvas.dc, CRect(5, 6, 60, 30), &tabs);
            const COLORREF expected = look == XP && style == Style3d ? xp.m_clrLightFace : data.m_clrBtnFace;
            EXPECT_EQ(CRect(5, 6, 60, 30), ChangedArea(canvas)) << NameOf(look) << style;
            EXPECT_TRUE(IsFilled(canvas, CRect(5, 6, 60, 30), expected)) << NameOf(look) << style;
        }
    }
}

// ---- Scroll and close buttons ---------------------------------------------------------------

TEST_F(VisualManagerTabs, ButtonBackgroundAndBorderFollowTheLookTheStyleAndTheButtonsState)
{
    enum Fill { FaceFill, LightFace, Highlight, Pressed };
    enum Edge { NoEdge, DarkShadow, Hilite, LightShadow };
    struct Case {
        Look look;
        Style style;
        BOOL pushed, hot;
        UINT state;
        Fill fill;
        Edge topLeft, bottomRight;
        CRect after;
    };
    const CRect raised(12, 12, 28, 24), sunken(14, 14, 28, 24), same(10, 10, 30, 26);
    const Case cases[] = {
        {Classic, Style3d, FALSE, FALSE, 0, FaceFill, Hilite, DarkShadow, raised},
        {Classic, Style3d, TRUE, FALSE, 0, FaceFill, Hilite, DarkShadow, raised},
        {Classic, Flat, FALSE, TRUE, 0, FaceFill, Hilite, DarkShadow, raised},
        {Classic, Flat, TRUE, TRUE, 0, FaceFill, DarkShadow, Hilite, sunken},
        {Classic, Style3d, FALSE, FALSE, ODS_SELECTED, FaceFill, DarkShadow, Hilite, sunken},
        {XP, Flat, FALSE, FALSE, 0, FaceFill, NoEdge, NoEdge, same},
        {XP, Flat, TRUE, FALSE, 0, FaceFill, DarkShadow, DarkShadow, same},
        {XP, Flat, FALSE, TRUE, 0, Highlight, DarkShadow, DarkShadow, same},
        {XP, Flat, TRUE, TRUE, 0, Pressed, DarkShadow, DarkShadow, same},
        {XP, Flat, FALSE, FALSE, ODS_SELECTED, FaceFill, NoEdge, NoEdge, same},
        {XP, Style3d, FALSE, FALSE, 0, LightFace, NoEdge, NoEdge, same},
        {XP, Style3d, TRUE, FALSE, 0, LightFace, LightShadow, DarkShadow, same},
        {XP, Style3d, FALSE, TRUE, 0, LightFace, LightShadow, DarkShadow, same},
        {XP, Style3d, TRUE, TRUE, 0, LightFace, DarkShadow, LightShadow, same},
        {XP, Style3d, FALSE, FALSE, ODS_SELECTED, LightFace, NoEdge, NoEdge, same},
    };
    const COLORREF fills[] = {data.m_clrBtnFace, xp.m_clrLightFace, xp.m_clrHighlight, xp.m_clrPressedHighlight};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(NameOf(c.look)) + (c.style == Flat ? " flat" : " 3D") +
                     (c.pushed ? " pushed" : "") + (c.hot ? " hot" : "") + (c.state ? " selected" : ""));
        const COLORREF fill = fills[c.fill];
        const COLORREF edges[] = {fill, data.m_clrBtnDkShadow, data.m_clrBtnHilite, xp.m_clrLightShadow};
        TabCanvas canvas(font);
        tabs.m_bFlat = c.style == Flat;
        TestButton button(c.pushed, c.hot);
        CRect rect = same;
        Manager(c.look).FillTab(&canvas.dc, rect, &button, &tabs);
        Manager(c.look).DrawInsetFrame(&canvas.dc, rect, &button, c.state, &tabs);

        EXPECT_EQ(c.after, rect);
        EXPECT_EQ(same, ChangedArea(canvas));
        EXPECT_TRUE(HasFrame(canvas, same, edges[c.topLeft], edges[c.bottomRight]));
        EXPECT_TRUE(IsFilled(canvas, CRect(11, 11, 29, 25), fill));
    }
}

// ---- Indexes that name no tab ---------------------------------------------------------------

TEST_F(VisualManagerTabs, TabIndexOutsideTheRangeDrawsNoImageIconLabelOrOwnColour)
{
    for (FakeTabWnd::Tab& tab : tabs.m_tabs) {
        tab.label = "Tab";
        tab.image = 0;
        tab.icon = icon.m_icon;
        tab.back = kOwnBack;
        tab.text = kOwnText;
    }
    CWtkBaseTabWnd noTabs;
    for (Look look : {Classic, XP}) {
        for (Style style : {Style3d, Flat}) {
            for (int iTab : {-7, -1, 4, 1000}) {
                for (CWtkBaseTabWnd* window : {static_cast<CWtkBaseTabWnd*>(&tabs), &noTabs}) {
                    SCOPED_TRACE(std::string(NameOf(look)) + (style == Flat ? " flat" : " 3D") + " tab " +
                                 std::to_string(iTab));
                    tabs.m_bFlat = style == Flat;
                    TabCanvas canvas(font);
                    Manager(look).DrawTab(&canvas.dc, CRect(20, 10, 100, 40), iTab, FALSE, window);
                    for (COLORREF color : {kImage, kIcon, kOwnBack, kOwnText})
                        EXPECT_TRUE(AreaOf(canvas, color).IsRectEmpty()) << std::hex << color;
                    EXPECT_TRUE(AreaOf(canvas, canvas.dc.GetTextColor(), CRect(30, 14, 90, 36)).IsRectEmpty());
                }
            }
        }
    }
}

}  // namespace

// ---- The picture ----------------------------------------------------------------------------

namespace {

// Tabs of the 3D style along the top and of a flat style along the bottom,
// in the classic and the Office-XP look, saved for a person to look at;
// every tab shows its label over what the hooks filled.
TEST_F(VisualManagerTabs, TabStripsOfBothStylesAndLooksArePictured)
{
    DibCanvas canvas(300, 4 * 26);
    canvas.Fill(data.m_clrBtnFace);
    CPen pen(PS_SOLID, 1, data.m_clrBtnShadow);
    CPen* oldPen = canvas.dc.SelectObject(&pen);
    CBrush* oldBrush = canvas.dc.SelectObject(&data.m_brBtnFace);
    CFont* oldFont = canvas.dc.SelectObject(&font);
    canvas.dc.SetBkMode(TRANSPARENT);
    tabs.m_tabs = {{"First", 0}, {"Second &Tab"}, {"Third"}};
    tabs.m_nActive = 1;
    const int widths[] = {70, 100, 70};
    int row = 0;
    for (Look look : {Classic, XP}) {
        for (BOOL flat : {FALSE, TRUE}) {
            tabs.m_bFlat = flat;
            tabs.SetLocation(flat ? kBottom : kTop);
            const CRect area(0, row * 26 + 2, 300, row * 26 + 2 + tabs.m_nHeight);
            Manager(look).FillTabArea(&canvas.dc, area, &tabs);
            int left = 4;
            for (int i = 0; i < 3; ++i) {
                canvas.dc.SetTextColor(RGB(0, 0, 0));
                const CRect tab(left, area.top + 1, left + widths[i], area.bottom - 1);
                Manager(look).DrawTab(&canvas.dc, tab, i, i == tabs.m_nActive, &tabs);
                // The label lies right of where an image would be.
                const CRect label(tab.left + (flat ? 12 : kImageSize + 8), tab.top + 2, tab.right - 12,
                                  tab.bottom - 2);
                std::vector<COLORREF> seen;
                for (int y = label.top; y < label.bottom; ++y)
                    for (int x = label.left; x < label.right; ++x)
                        if (std::find(seen.begin(), seen.end(), canvas.At(x, y)) == seen.end())
                            seen.push_back(canvas.At(x, y));
                EXPECT_GE(seen.size(), 2u) << "look " << look << ", flat " << flat << ", tab " << i;
                left += widths[i] + 2;
            }
            ++row;
        }
    }
    canvas.dc.SelectObject(oldFont);
    canvas.dc.SelectObject(oldBrush);
    canvas.dc.SelectObject(oldPen);
    EXPECT_FALSE(SaveScreenshot(canvas.ToImage(), "toolkit_visual_manager_tabs").empty());
}

}  // namespace
