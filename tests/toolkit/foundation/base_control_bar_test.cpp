// The base control bar: creation, capabilities, where the bar is (docked,
// floating, tabbed), its visibility while a layout is restored, its four
// ways of showing and hiding, its layout answers, and its state in archives
// and in the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "base_control_bar_support.h"
#include "base_control_bar_test_resource.h"
#include "platform/framework/archive.h"
#include "platform/framework/memfile.h"
#include "platform/ui/dc.h"
#include "registry_fixture.h"
#include "toolkit/extras/base_tab_wnd.h"
#include "toolkit/foundation/base_tabbed_bar.h"
#include "toolkit/foundation/docking_cb_wrapper.h"
#include "toolkit/foundation/dock_manager.h"
#include "toolkit/foundation/registry.h"
#include "toolkit/foundation/registry_holder.h"
#include "toolkit/foundation/visual_manager.h"

namespace {

using namespace basebar_test;

using WtkBaseBar = BaseBarTest;

// A plain child window to hold bars, made in a frame.
class Holder : public CWnd {
public:
    BOOL CreateIn(CWnd* pParent, const CRect& rect)
    {
        return CWnd::CreateEx(0, AfxRegisterWndClass(0), "holder", WS_CHILD | WS_VISIBLE, rect, pParent, 900);
    }
};

// A tab window the test makes as a child.
class TabWindow : public CWtkBaseTabWnd {
public:
    BOOL CreateIn(CWnd* pParent, BOOL bVisible = TRUE)
    {
        return CWnd::CreateEx(0, AfxRegisterWndClass(0), "tabs", WS_CHILD | (bVisible ? WS_VISIBLE : 0),
                              CRect(0, 0, 200, 100), pParent, 101);
    }
};

// A tabbed bar whose tab window the test makes.
class TabbedBar : public Probe<CWtkBaseTabbedBar> {
public:
    BOOL CreateWithTabs(CWnd* pParent, BOOL bVisible)
    {
        if (!Create(pParent, 700, WS_CHILD | (bVisible ? WS_VISIBLE : 0), 0, CRect(0, 0, 200, 120)))
            return FALSE;
        m_pTabWnd = &tabs;
        return tabs.CreateIn(this);
    }
    TabWindow tabs;
};

TEST_F(WtkBaseBar, CapabilityFlagsAnswerTheirOwnQueries)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    for (DWORD caps : {0x0u, 0x1u, 0x2u, 0x4u, 0x8u, 0xFu, 0xAu}) {
        SCOPED_TRACE(caps);
        ProbeBar bar;
        ASSERT_TRUE(bar.Create(frame, 200, WS_CHILD, caps));
        EXPECT_EQ(bar.GetControlBarStyle(), caps);
        EXPECT_EQ(bar.CanFloat(), (caps & 1) != 0);
        EXPECT_EQ(bar.CanBeDetached(), (caps & 1) != 0);
        EXPECT_EQ(bar.CanAutoHide(), (caps & 2) != 0);
        EXPECT_EQ(bar.CanBeResized(), (caps & 4) != 0);
        EXPECT_EQ(bar.CanBeClosed(), (caps & 8) != 0);
    }
}

TEST_F(WtkBaseBar, CreationAddsTheStyleToTheBarStyleAndFindsTheDockSite)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    Holder inner;
    ASSERT_TRUE(inner.CreateIn(frame, CRect(0, 0, 300, 200)));
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "alone", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));

    struct Case {
        const char* name;
        CWnd* parent;
        DWORD style;
        CFrameWnd* dockSite;
        BOOL horizontal;
    };
    const Case cases[] = {
        {"child of the frame", frame, WS_CHILD | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM, frame, TRUE},
        {"inside a window of the frame", &inner, WS_CHILD | CBRS_ALIGN_LEFT, frame, FALSE},
        {"without a frame", &popup, WS_CHILD | CBRS_ALIGN_BOTTOM, nullptr, TRUE},
        {"right side", frame, WS_CHILD | CBRS_ALIGN_RIGHT | CBRS_GRIPPER, frame, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProbeBar bar;
        bar.SetBarStyle(CBRS_TOOLTIPS);
        ASSERT_TRUE(bar.Create(c.parent, 200, c.style));
        EXPECT_EQ(bar.GetBarStyle(), c.style | CBRS_TOOLTIPS);
        EXPECT_EQ(bar.GetCurrentAlignment(), c.style & CBRS_ALIGN_ANY);
        EXPECT_EQ(bar.IsHorizontal(), c.horizontal);
        EXPECT_EQ(bar.GetDockSite(), c.dockSite);
        EXPECT_EQ(bar.GetDlgCtrlID(), 200);

        bar.SetBarAlignment(CBRS_ALIGN_TOP);
        EXPECT_EQ(bar.GetBarStyle(), (c.style & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP | CBRS_TOOLTIPS);
        EXPECT_TRUE(bar.IsHorizontal());
    }
    popup.DestroyWindow();
}

TEST_F(WtkBaseBar, FailedCreationKeepsNothing)
{
    ProbeBar bar;
    bar.SetBarStyle(CBRS_ALIGN_LEFT);
    EXPECT_FALSE(bar.Create(nullptr, 5, WS_CHILD | CBRS_ALIGN_TOP, 0xF, CRect(0, 0, 10, 10), "No Such Class"));
    EXPECT_EQ(bar.GetSafeHwnd(), nullptr);
    EXPECT_EQ(bar.GetBarStyle(), static_cast<DWORD>(CBRS_ALIGN_LEFT));
    EXPECT_EQ(bar.GetControlBarStyle(), 0u);

    ProbeBar fromTemplate;
    fromTemplate.UseTemplate("NO_SUCH_TEMPLATE");
    EXPECT_FALSE(fromTemplate.Create(nullptr, 5, WS_CHILD | CBRS_ALIGN_TOP, 1));
    EXPECT_EQ(fromTemplate.GetSafeHwnd(), nullptr);
    EXPECT_EQ(fromTemplate.GetBarStyle(), 0u);
}

TEST_F(WtkBaseBar, TemplateBarIsAChildWithTheTemplatesControlsFontAndSize)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    ProbeBar bar;
    bar.UseTemplate(MAKEINTRESOURCEA(IDD_BASEBAR_TEMPLATE));
    const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
    ASSERT_TRUE(bar.Create(frame, 0xE805, style, 1));

    const DWORD windowStyle = bar.GetStyle();
    EXPECT_TRUE(windowStyle & WS_CHILD);
    EXPECT_TRUE(windowStyle & WS_VISIBLE);
    EXPECT_FALSE(windowStyle & WS_POPUP);
    EXPECT_FALSE((windowStyle & WS_CAPTION) == WS_CAPTION);
    EXPECT_EQ(bar.GetDlgCtrlID(), 0xE805);
    EXPECT_EQ(bar.GetBarStyle(), style);
    EXPECT_EQ(bar.GetDockSite(), frame);

    // The template's font reached the controls, and its initialisation data
    // filled the combo box.
    HWND combo = ::GetDlgItem(bar.m_hWnd, IDC_BASEBAR_COMBO);
    ASSERT_NE(combo, nullptr);
    EXPECT_NE(::GetDlgItem(bar.m_hWnd, IDC_BASEBAR_BUTTON), nullptr);
    EXPECT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    LOGFONTA font = {};
    ASSERT_NE(::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(combo, WM_GETFONT, 0, 0)), sizeof font, &font), 0);
    EXPECT_STREQ(font.lfFaceName, "MS Shell Dlg");

    CRect window;
    bar.GetWindowRect(&window);
    EXPECT_EQ(bar.TemplateSize(), window.Size());
    EXPECT_GT(window.Width(), 0);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(::GetClassLongPtrA(bar.m_hWnd, GCLP_HBRBACKGROUND)),
              ::GetSysColorBrush(COLOR_BTNFACE));
}

TEST_F(WtkBaseBar, DockedUnlessAMiniFrameHoldsExactlyOneBar)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);

    ProbeBar inFrame;
    ASSERT_TRUE(inFrame.Create(frame, 201));
    EXPECT_TRUE(inFrame.IsDocked());
    EXPECT_FALSE(inFrame.IsFloating());
    EXPECT_EQ(inFrame.GetParentMiniFrame(), nullptr);

    struct Case {
        const char* name;
        bool holdsTheBar;
        int multiBars;  // 0: a single-bar mini frame
        BOOL docked;
    };
    const Case cases[] = {
        {"mini frame holding the bar", true, 0, FALSE},
        {"mini frame holding no bar", false, 0, TRUE},
        {"multi-bar frame with two bars", true, 2, TRUE},
        {"multi-bar frame with one bar", true, 1, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProbeBar bar;
        std::unique_ptr<CWtkMiniFrameWnd> miniFrame;
        if (c.multiBars) {
            auto multi = std::make_unique<RecordingMultiMiniFrame>();
            multi->bars = c.multiBars;
            ASSERT_TRUE(multi->CreatePopup(frame));
            miniFrame = std::move(multi);
        } else {
            auto single = std::make_unique<HoldingMiniFrame>(c.holdsTheBar ? &bar : nullptr);
            ASSERT_TRUE(single->CreatePopup(frame));
            miniFrame = std::move(single);
        }
        Holder inner;
        ASSERT_TRUE(inner.CreateIn(miniFrame.get(), CRect(0, 0, 100, 50)));
        ASSERT_TRUE(bar.Create(&inner, 202));
        EXPECT_EQ(bar.GetParentMiniFrame(), miniFrame.get());
        EXPECT_EQ(bar.IsDocked(), c.docked);
        EXPECT_EQ(bar.IsFloating(), !c.docked);
        bar.DestroyWindow();
        miniFrame->DestroyWindow();
    }
}

TEST_F(WtkBaseBar, WhileALayoutIsRestoredBarsAnswerTheVisibilityTheyRead)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    struct Case {
        BOOL windowVisible;
        BOOL recorded;
    };
    for (const Case& c : {Case{FALSE, TRUE}, Case{TRUE, FALSE}, Case{TRUE, TRUE}}) {
        SCOPED_TRACE(c.windowVisible * 2 + c.recorded);
        ProbeBar bar;
        ASSERT_TRUE(bar.Create(frame, 203, WS_CHILD | (c.windowVisible ? WS_VISIBLE : 0)));
        // What a saved layout holds reaches the bar as its archive record.
        CMemFile file;
        {
            CArchive store(&file, CArchive::store);
            store << static_cast<DWORD>(CBRS_ALIGN_TOP) << static_cast<DWORD>(c.recorded);
            store.Close();
        }
        file.Seek(0, CFile::begin);
        CArchive load(&file, CArchive::load);
        bar.Serialize(load);
        EXPECT_EQ(bar.GetRecentVisibleState(), c.recorded);

        CWtkDockManager::s_bRestoringDockState = TRUE;
        EXPECT_EQ(bar.IsBarVisible(), c.recorded);
        EXPECT_TRUE(bar.IsDocked());
        CWtkDockManager::s_bRestoringDockState = FALSE;
        EXPECT_EQ(bar.IsBarVisible(), c.windowVisible);
    }
}

TEST_F(WtkBaseBar, ATabIsVisibleAndDetachableAsItsTabWindowSays)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    struct Case {
        const char* name;
        BOOL tabWindowVisible;
        bool hasTab;
        BOOL tabShown;
        BOOL detachable;
        DWORD caps;
        BOOL visible;
        BOOL canFloat;
    };
    const Case cases[] = {
        {"shown tab", TRUE, true, TRUE, TRUE, 0, TRUE, TRUE},
        {"hidden tab", TRUE, true, FALSE, FALSE, 1, FALSE, FALSE},
        {"hidden tab window", FALSE, true, TRUE, TRUE, 0, FALSE, TRUE},
        {"no tab for the bar", TRUE, false, TRUE, FALSE, 1, FALSE, TRUE},
        {"no tab, cannot float", TRUE, false, TRUE, TRUE, 0, FALSE, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TabWindow tabs;
        ASSERT_TRUE(tabs.CreateIn(frame, c.tabWindowVisible));
        ProbeBar bar;
        // The bar's window is hidden: a tab's visibility is its tab's.
        ASSERT_TRUE(bar.Create(&tabs, 204, WS_CHILD, c.caps));
        if (c.hasTab) {
            tabs.AddTab(&bar, "bar", -1, c.detachable);
            tabs.SetTabShown(0, c.tabShown);
        }
        EXPECT_TRUE(bar.IsTabbed());
        EXPECT_EQ(bar.IsBarVisible(), c.visible);
        EXPECT_EQ(bar.CanFloat(), c.canFloat);
        HWND tabWindow = nullptr;
        EXPECT_EQ(bar.GetParentTabWnd(tabWindow), &tabs);
        EXPECT_EQ(tabWindow, bar.m_hWnd);
        bar.DestroyWindow();
        tabs.DestroyWindow();
    }
}

TEST_F(WtkBaseBar, TheTabWindowIsFoundThroughATabbedBarAndAWrapper)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    TabbedBar tabbed;
    ASSERT_TRUE(tabbed.CreateWithTabs(frame, TRUE));

    // A bar whose parent is the tabbed bar itself reaches its tab window.
    ProbeBar direct;
    ASSERT_TRUE(direct.Create(&tabbed, 205));
    HWND tabWindow = nullptr;
    EXPECT_EQ(direct.GetParentTabWnd(tabWindow), &tabbed.tabs);
    EXPECT_EQ(tabWindow, direct.m_hWnd);
    EXPECT_FALSE(direct.IsTabbed());

    // A wrapped bar is a tab through its wrapper's window.
    Probe<CWtkDockingCBWrapper> wrapper;
    ASSERT_TRUE(wrapper.Create(&tabbed.tabs, 206));
    ProbeBar wrapped;
    ASSERT_TRUE(wrapped.Create(&wrapper, 207));
    EXPECT_EQ(wrapped.GetParentTabWnd(tabWindow), &tabbed.tabs);
    EXPECT_EQ(tabWindow, wrapper.m_hWnd);

    ProbeBar loose;
    ASSERT_TRUE(loose.Create(frame, 208));
    tabWindow = reinterpret_cast<HWND>(1);
    EXPECT_EQ(loose.GetParentTabWnd(tabWindow), nullptr);
    EXPECT_EQ(tabWindow, nullptr);
}

TEST_F(WtkBaseBar, AFloatingBarShowsAndHidesWithItsMiniFrame)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    ProbeBar bar;
    HoldingMiniFrame miniFrame(&bar);
    ASSERT_TRUE(miniFrame.CreatePopup(frame));
    ASSERT_TRUE(bar.Create(&miniFrame, 210));
    ASSERT_TRUE(bar.IsFloating());

    bar.ShowControlBar(FALSE, FALSE, FALSE);
    EXPECT_FALSE(bar.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(miniFrame.GetStyle() & WS_VISIBLE);
    bar.ShowControlBar(TRUE, FALSE, FALSE);
    EXPECT_TRUE(bar.GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(miniFrame.GetStyle() & WS_VISIBLE);
    // The frame's layout has nothing to do with a floating bar.
    EXPECT_EQ(frame->layouts, 0);
    miniFrame.DestroyWindow();
}

TEST_F(WtkBaseBar, ADockedBarShowsThroughItsDockBarAndItsRowArrangesAfterwards)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    Probe<CWtkDockBar> dockBar;
    ASSERT_TRUE(dockBar.Create(frame, 0xE81B, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0, CRect(0, 0, 400, 30)));
    RecordingRow row;
    ProbeControlBar bar;
    ASSERT_TRUE(bar.Create(&dockBar, 211));
    bar.PutInRow(&dockBar, &row);

    struct Case {
        BOOL show;
        BOOL delay;
    };
    for (const Case& c : {Case{FALSE, FALSE}, Case{TRUE, TRUE}, Case{FALSE, TRUE}}) {
        row.shows.clear();
        row.arranged.clear();
        row.steps.clear();
        bar.ShowControlBar(c.show, c.delay, TRUE);
        ASSERT_EQ(row.shows.size(), 1u);
        EXPECT_EQ(row.shows[0].bar, &bar);
        EXPECT_EQ(row.shows[0].show, c.show);
        EXPECT_EQ(row.shows[0].delay, c.delay);
        EXPECT_EQ(row.arranged, std::vector<CWtkBaseControlBar*>{nullptr});
        EXPECT_EQ(row.steps, (std::vector<std::string>{"show", "arrange"}));
        EXPECT_EQ((bar.GetStyle() & WS_VISIBLE) != 0, c.show != FALSE);
    }
    EXPECT_EQ(frame->layouts, 0);
}

TEST_F(WtkBaseBar, ABarInTheFrameLaysTheFrameOutUnlessDelayed)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    ProbeBar bar;
    ASSERT_TRUE(bar.Create(frame, 212));
    struct Case {
        BOOL show;
        BOOL delay;
        int layouts;
    };
    for (const Case& c : {Case{FALSE, FALSE, 1}, Case{TRUE, TRUE, 0}, Case{TRUE, FALSE, 1}, Case{FALSE, TRUE, 0}}) {
        frame->layouts = 0;
        bar.ShowControlBar(c.show, c.delay, FALSE);
        EXPECT_EQ((bar.GetStyle() & WS_VISIBLE) != 0, c.show != FALSE);
        EXPECT_EQ(frame->layouts, c.layouts);
    }
}

TEST_F(WtkBaseBar, ATabShowsAndHidesInItsTabWindow)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    TabWindow tabs;
    ASSERT_TRUE(tabs.CreateIn(frame));
    ProbeBar first;
    ProbeBar second;
    ASSERT_TRUE(first.Create(&tabs, 213));
    ASSERT_TRUE(second.Create(&tabs, 214));
    tabs.AddTab(&first, "first");
    tabs.AddTab(&second, "second");

    second.ShowControlBar(FALSE, FALSE, FALSE);
    EXPECT_TRUE(tabs.IsTabShown(0));
    EXPECT_FALSE(tabs.IsTabShown(1));
    EXPECT_FALSE(second.IsBarVisible());
    // The tab goes, the window stays as it was.
    EXPECT_TRUE(second.GetStyle() & WS_VISIBLE);
    second.ShowControlBar(TRUE, TRUE, FALSE);
    EXPECT_TRUE(tabs.IsTabShown(1));
    EXPECT_TRUE(second.IsBarVisible());
    EXPECT_EQ(frame->layouts, 0);
}

TEST_F(WtkBaseBar, ATabbedBarHidesWithItsLastShownTab)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    struct Step {
        int tab;
        BOOL show;
        bool shown[2];
        bool tabbedVisible;
    };
    struct Case {
        const char* name;
        BOOL tabbedVisible;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"visible tabbed bar",
         TRUE,
         {{0, FALSE, {false, true}, true}, {1, FALSE, {false, false}, false}, {1, TRUE, {false, true}, false}}},
        {"hidden tabbed bar with two tabs shown", FALSE, {{0, TRUE, {true, true}, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TabbedBar tabbed;
        ASSERT_TRUE(tabbed.CreateWithTabs(frame, c.tabbedVisible));
        ProbeBar bars[2];
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(bars[i].Create(&tabbed.tabs, 220 + i));
            tabbed.tabs.AddTab(&bars[i], "tab");
        }
        for (const Step& step : c.steps) {
            bars[step.tab].ShowControlBar(step.show, FALSE, FALSE);
            EXPECT_EQ(tabbed.tabs.IsTabShown(0) != FALSE, step.shown[0]);
            EXPECT_EQ(tabbed.tabs.IsTabShown(1) != FALSE, step.shown[1]);
            EXPECT_EQ((tabbed.GetStyle() & WS_VISIBLE) != 0, step.tabbedVisible);
        }
        for (ProbeBar& bar : bars)
            bar.DestroyWindow();
        tabbed.DestroyWindow();
    }
}

TEST_F(WtkBaseBar, LayoutAnswersAndDockModes)
{
    ProbeBar bar;
    struct Case {
        BOOL stretch;
        BOOL horizontal;
        CSize size;
    };
    for (const Case& c : {Case{TRUE, TRUE, CSize(32767, 0)}, Case{TRUE, FALSE, CSize(0, 32767)},
                          Case{FALSE, TRUE, CSize(0, 0)}, Case{FALSE, FALSE, CSize(0, 0)}})
        EXPECT_EQ(bar.CalcFixedLayout(c.stretch, c.horizontal), c.size) << c.stretch << c.horizontal;

    EXPECT_EQ(bar.GetDockMode(), 2);
    CWtkBaseControlBar::s_nDefaultDockMode = 1;
    EXPECT_EQ(bar.GetDockMode(), 1);
    bar.SetOwnDockMode(2);
    EXPECT_EQ(bar.GetDockMode(), 2);

    bar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_BOTTOM);
    EXPECT_EQ(bar.GetEnabledAlignment(), static_cast<DWORD>(CBRS_ALIGN_LEFT | CBRS_ALIGN_BOTTOM));
    EXPECT_FALSE(bar.CanBeDocked(nullptr));
    EXPECT_FALSE(bar.DockControlBar(nullptr, nullptr, 1));
    EXPECT_FALSE(bar.FloatControlBar(CRect(0, 0, 10, 10), 1, TRUE));
}

TEST_F(WtkBaseBar, TheArchiveRecordIsTheAlignmentAndTheVisibility)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    struct Case {
        DWORD style;
        DWORD alignment;
        DWORD visible;
    };
    for (const Case& c : {Case{WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM, CBRS_ALIGN_TOP, 1},
                          Case{WS_CHILD | CBRS_ALIGN_LEFT | CBRS_GRIPPER, CBRS_ALIGN_LEFT, 0}}) {
        ProbeBar stored;
        ASSERT_TRUE(stored.Create(frame, 230, c.style));
        CMemFile file;
        CArchive store(&file, CArchive::store);
        stored.Serialize(store);
        store.Close();
        ASSERT_EQ(file.GetLength(), 8u);
        file.Seek(0, CFile::begin);
        DWORD words[2] = {};
        file.Read(words, sizeof words);
        EXPECT_EQ(words[0], c.alignment);
        EXPECT_EQ(words[1], c.visible);

        // Loading puts the stored alignment in place of the one the bar
        // has, and keeps the rest of its style.
        for (DWORD before : {0ul, static_cast<unsigned long>(CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM)}) {
            SCOPED_TRACE(before);
            ProbeBar loaded;
            loaded.SetBarStyle(CBRS_BORDER_TOP | before);
            file.Seek(0, CFile::begin);
            CArchive load(&file, CArchive::load);
            loaded.Serialize(load);
            EXPECT_EQ(loaded.GetBarStyle(), c.alignment | CBRS_BORDER_TOP);
            EXPECT_EQ(loaded.GetCurrentAlignment(), c.alignment);
            EXPECT_EQ(loaded.GetRecentVisibleState(), static_cast<BOOL>(c.visible));
        }
    }
}

// Records the bar backgrounds it is asked to fill.
class FillRecorder : public CWtkVisualManager {
    DECLARE_DYNCREATE(FillRecorder)
public:
    void FillBarBackground(CDC* pDC, CWtkBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                           BOOL bNCArea) override
    {
        s_fills.push_back({pBar, rectClient, rectClip, bNCArea});
    }
    struct Fill {
        CWtkBaseControlBar* bar;
        CRect client;
        CRect clip;
        BOOL ncArea;
    };
    static std::vector<Fill> s_fills;
};
IMPLEMENT_DYNCREATE(FillRecorder, CWtkVisualManager)
std::vector<FillRecorder::Fill> FillRecorder::s_fills;

TEST_F(WtkBaseBar, PaintingFillsTheClientAreaThroughTheVisualManager)
{
    CWtkVisualManager::SetDefaultManager(RUNTIME_CLASS(FillRecorder));
    FillRecorder::s_fills.clear();
    {
        CountingFrame* frame = NewFrame("Paint", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        ASSERT_NE(frame, nullptr);
        FrameHolder holder(frame);
        ProbeBar bar;
        ASSERT_TRUE(bar.Create(frame, 231, WS_CHILD | WS_VISIBLE, 0, CRect(10, 10, 130, 40)));
        // The background is DoPaint's: erasing leaves it.
        CDC* dc = bar.GetDC();
        EXPECT_EQ(bar.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc->GetSafeHdc()), 0), TRUE);
        bar.ReleaseDC(dc);
        EXPECT_TRUE(FillRecorder::s_fills.empty());
        FillRecorder::s_fills.clear();
        bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ASSERT_EQ(FillRecorder::s_fills.size(), 1u);
        EXPECT_EQ(FillRecorder::s_fills[0].bar, &bar);
        EXPECT_EQ(FillRecorder::s_fills[0].client, CRect(0, 0, 120, 30));
        EXPECT_EQ(FillRecorder::s_fills[0].clip, CRect(0, 0, 120, 30));
        EXPECT_FALSE(FillRecorder::s_fills[0].ncArea);

        // A hidden bar paints nothing when it is asked to.
        bar.ShowWindow(SW_HIDE);
        FillRecorder::s_fills.clear();
        bar.SendMessage(WM_PAINT);
        EXPECT_TRUE(FillRecorder::s_fills.empty());
    }
    CWtkVisualManager::SetDefaultManager(nullptr);
}

// ---- The registry ----------------------------------------------------------------------

class WtkBaseBarState : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        ResetBarGlobals();
        m_frame = NewFrame();
        ASSERT_NE(m_frame, nullptr);
        m_holder = std::make_unique<FrameHolder>(m_frame);
    }
    void TearDown() override
    {
        m_holder.reset();
        ResetBarGlobals();
        RegistryTest::TearDown();
    }
    // The profile path the toolkit's objects are handed.
    std::string Profile() const { return Path() + "\\"; }

    // "IsVisible" of the key, read through the toolkit's registry access;
    // -1 when the key or the value is missing.
    static int ReadVisible(const std::string& key)
    {
        CWtkRegistrySP holder;
        CWtkRegistry& registry = holder.Create(FALSE, TRUE);
        if (!registry.Open(key.c_str()))
            return -1;
        int value = -1;
        registry.Read("IsVisible", value);
        return value;
    }
    static void WriteVisible(const std::string& key, int value)
    {
        CWtkRegistrySP holder;
        CWtkRegistry& registry = holder.Create(FALSE, FALSE);
        ASSERT_TRUE(registry.CreateKey(key.c_str()));
        ASSERT_TRUE(registry.Write("IsVisible", value));
    }

    CountingFrame* m_frame = nullptr;
    std::unique_ptr<FrameHolder> m_holder;
};

TEST_F(WtkBaseBarState, SaveStateWritesIsVisibleUnderTheBarsKey)
{
    struct Case {
        const char* name;
        BOOL visible;
        int index;
        UINT id;
        const char* key;
    };
    const Case cases[] = {
        {"window id, no index", TRUE, -1, static_cast<UINT>(-1), "WtkBaseControlBar-240"},
        {"window id, index 26", FALSE, 26, static_cast<UINT>(-1), "WtkBaseControlBar-2401a"},
        {"given id, index 0", TRUE, 0, 59392, "WtkBaseControlBar-593920"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProbeBar bar;
        ASSERT_TRUE(bar.Create(m_frame, 240, WS_CHILD | (c.visible ? WS_VISIBLE : 0)));
        EXPECT_TRUE(bar.SaveState(Profile().c_str(), c.index, c.id));
        EXPECT_EQ(ReadVisible(Profile() + c.key), c.visible ? 1 : 0);
        const RawValue raw = ReadRaw(Path(c.key), "IsVisible");
        EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD));
    }
}

TEST_F(WtkBaseBarState, SaveStateAnswersFalseWhenTheKeyCannotBeMade)
{
    // No key name may be longer than 255 characters.
    const std::string tooLong = Profile() + std::string(300, 'k') + "\\";
    ProbeBar bar;
    ASSERT_TRUE(bar.Create(m_frame, 244, WS_CHILD | WS_VISIBLE));
    EXPECT_FALSE(bar.SaveState(tooLong.c_str(), -1));
    EXPECT_EQ(ReadVisible(tooLong + "WtkBaseControlBar-244"), -1);
    // The same bar saves where it can.
    EXPECT_TRUE(bar.SaveState(Profile().c_str(), -1));
    EXPECT_EQ(ReadVisible(Profile() + "WtkBaseControlBar-244"), 1);
}

TEST_F(WtkBaseBarState, LoadStateReadsTheRecordedVisibilityOrLeavesTheBarAlone)
{
    WriteVisible(Profile() + "WtkBaseControlBar-241", 1);
    WriteVisible(Profile() + "WtkBaseControlBar-2413", 0);
    ASSERT_EQ(CreateRaw(Path("WtkBaseControlBar-2417")), ERROR_SUCCESS);  // a key without the value

    // One bar loads one key after the other.
    ProbeBar bar;
    ASSERT_TRUE(bar.Create(m_frame, 241, WS_CHILD | WS_VISIBLE));
    EXPECT_FALSE(bar.IsRestoredFromRegistry());
    struct Case {
        const char* name;
        int index;
        BOOL loaded;
        BOOL recorded;
        BOOL restored;
    };
    const Case cases[] = {
        {"missing key first", 5, FALSE, FALSE, FALSE},
        {"hidden", 3, TRUE, FALSE, TRUE},
        {"visible", -1, TRUE, TRUE, TRUE},
        {"key without the value keeps it", 7, TRUE, TRUE, TRUE},
        {"missing key keeps it", 5, FALSE, TRUE, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(bar.LoadState(Profile().c_str(), c.index), c.loaded);
        EXPECT_EQ(bar.IsRestoredFromRegistry(), c.restored);
        EXPECT_EQ(bar.GetRecentVisibleState(), c.recorded);
        // Loading opens keys, it never makes them.
        EXPECT_FALSE(KeyThere(Path("WtkBaseControlBar-2415")));
    }
    // The window itself is left as it was.
    EXPECT_TRUE(bar.GetStyle() & WS_VISIBLE);
}

TEST_F(WtkBaseBarState, SavedVisibilityComesBackAsTheRestoredVisibility)
{
    ProbeBar saved;
    ASSERT_TRUE(saved.Create(m_frame, 242, WS_CHILD));
    ASSERT_TRUE(saved.SaveState(Profile().c_str(), 2));
    saved.ShowWindow(SW_SHOW);
    ASSERT_TRUE(saved.SaveState(Profile().c_str(), 3));

    for (int index : {2, 3}) {
        ProbeBar restored;
        ASSERT_TRUE(restored.Create(m_frame, 242, WS_CHILD | WS_VISIBLE));
        ASSERT_TRUE(restored.LoadState(Profile().c_str(), index));
        CWtkDockManager::s_bRestoringDockState = TRUE;
        EXPECT_EQ(restored.IsBarVisible(), index == 3) << index;
        CWtkDockManager::s_bRestoringDockState = FALSE;
    }
}

TEST_F(WtkBaseBarState, WithoutAProfileTheKeyLiesUnderTheApplicationsSection)
{
    // The registry key names the test's own key below SOFTWARE.
    const std::string software = "Software\\";
    ASSERT_EQ(Path().compare(0, software.size(), software), 0);
    CWinApp app("Base Bar Test");
    app.SetRegistryKey(Path().substr(software.size()).c_str());
    ProbeBar bar;
    ASSERT_TRUE(bar.Create(m_frame, 243, WS_CHILD | WS_VISIBLE));
    ASSERT_TRUE(bar.SaveState());
    EXPECT_EQ(ReadVisible(Path() + "\\Base Bar Test\\WtkBaseControlBars\\WtkBaseControlBar-243"), 1);
    ProbeBar loaded;
    ASSERT_TRUE(loaded.Create(m_frame, 243, WS_CHILD));
    EXPECT_TRUE(loaded.LoadState());
    EXPECT_TRUE(loaded.GetRecentVisibleState());
}

}  // namespace
