// The Windows-XP theme manager with the prefix's visual style active: the
// themed branches, seen through counting stand-ins for the theme library's
// entry points that pass every call on to the library.
#include <gtest/gtest.h>
#include <vssym32.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ui/app.h"
#include "platform/ui/window_class.h"
#include "toolkit/controls/button.h"
#include "toolkit/foundation/global_data.h"
#include "visual_manager_winxp_support.h"

namespace {

using vm_test::ChangedArea;
using vm_test::HasFrame;
using vm_test::IsFilled;
using vm_test::kBackground;
using vm_winxp_test::Theme;

std::wstring NameOf(Theme theme)
{
    return CWtkWinXPVisualManager::ThemeClassName(theme);
}

// Records what the manager asks of the theme library and passes it on. A
// class may be refused (it opens as null), or stood in for when the style
// has no such class: the manager then gets a handle of the recorder's own,
// whose drawing is only recorded.
class ThemeRecorder {
public:
    struct Call {
        std::wstring theme;
        int part;
        int state;
        CRect rect;
    };

    static ThemeRecorder& Get()
    {
        static ThemeRecorder recorder;
        return recorder;
    }

    // Puts the recording entry points into the manager and reopens its
    // themes through them.
    void Install(CWtkWinXPVisualManager& manager)
    {
        if (manager.GetThemeEntryPoints().pfnOpenThemeData != &Open)
            m_real = manager.GetThemeEntryPoints();
        WtkThemeEntryPoints recording;
        recording.pfnOpenThemeData = &Open;
        recording.pfnCloseThemeData = &Close;
        recording.pfnDrawThemeBackground = &Draw;
        manager.SetThemeEntryPoints(recording);
        manager.OnUpdateSystemColors();
        Clear();
    }
    void Clear()
    {
        opened.clear();
        owners.clear();
        draws.clear();
        closes = 0;
    }
    void Reset()
    {
        Clear();
        refused.clear();
        standIns.clear();
    }

    std::vector<std::wstring> opened;
    std::vector<HWND> owners;
    std::vector<Call> draws;
    int closes = 0;
    std::set<std::wstring> refused;
    std::set<std::wstring> standIns;

private:
    static HTHEME WINAPI Open(HWND hwnd, LPCWSTR pszClassList)
    {
        ThemeRecorder& r = Get();
        r.opened.push_back(pszClassList);
        r.owners.push_back(hwnd);
        if (r.refused.count(pszClassList))
            return nullptr;
        HTHEME theme = r.m_real.pfnOpenThemeData(hwnd, pszClassList);
        if (!theme && r.standIns.count(pszClassList)) {
            // The first tag no open stand-in holds.
            for (char& tag : r.m_standInTags) {
                if (!r.m_standInHandles.count(reinterpret_cast<HTHEME>(&tag))) {
                    theme = reinterpret_cast<HTHEME>(&tag);
                    r.m_standInHandles.insert(theme);
                    break;
                }
            }
        }
        if (theme)
            r.m_classes[theme] = pszClassList;
        return theme;
    }
    static HRESULT WINAPI Close(HTHEME hTheme)
    {
        ThemeRecorder& r = Get();
        ++r.closes;
        if (r.m_standInHandles.erase(hTheme))
            return S_OK;
        return r.m_real.pfnCloseThemeData(hTheme);
    }
    static HRESULT WINAPI Draw(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                               const RECT* pClipRect)
    {
        ThemeRecorder& r = Get();
        r.draws.push_back({r.m_classes[hTheme], iPartId, iStateId, pRect ? CRect(*pRect) : CRect()});
        if (r.m_standInHandles.count(hTheme))
            return S_OK;
        return r.m_real.pfnDrawThemeBackground(hTheme, hdc, iPartId, iStateId, pRect, pClipRect);
    }

    static constexpr size_t kTags = 16;
    WtkThemeEntryPoints m_real;
    std::map<HTHEME, std::wstring> m_classes;
    std::set<HTHEME> m_standInHandles;
    char m_standInTags[kTags] = {};
};

// Opens a class through the library itself, to know what the style has.
bool StyleHasClass(Theme theme)
{
    HMODULE library = ::GetModuleHandleA("uxtheme.dll");
    if (!library)
        return false;
    auto open = reinterpret_cast<WtkThemeEntryPoints::OpenThemeDataProc>(
        reinterpret_cast<void*>(::GetProcAddress(library, "OpenThemeData")));
    auto close = reinterpret_cast<WtkThemeEntryPoints::CloseThemeDataProc>(
        reinterpret_cast<void*>(::GetProcAddress(library, "CloseThemeData")));
    HTHEME handle = open(nullptr, CWtkWinXPVisualManager::ThemeClassName(theme));
    if (handle)
        close(handle);
    return handle != nullptr;
}

class WinXPVisualManager : public ::testing::Test {
protected:
    WinXPVisualManager() : canvas(80, 48), manager(TRUE), recorder(ThemeRecorder::Get()) { canvas.Fill(kBackground); }
    void SetUp() override
    {
        ASSERT_TRUE(canvas.IsValid());
        ASSERT_NE(nullptr, manager.GetTheme(Theme::ThemeWindow)) << "a fresh prefix has a visual style";
        // The style has no explorer bar; its parts are still asked for.
        recorder.standIns.insert(NameOf(Theme::ThemeExplorerBar));
        recorder.Install(manager);
    }
    void TearDown() override { recorder.Reset(); }
    CDC* dc() { return &canvas.dc; }

    DibCanvas canvas;
    CWtkWinXPVisualManager manager;
    ThemeRecorder& recorder;
};

// The task pane spacing is the classic one.
class ExposedManager : public CWtkWinXPVisualManager {
public:
    ExposedManager() : CWtkWinXPVisualManager(TRUE) {}
    std::vector<int> GroupPaneMetrics() const
    {
        return {m_nGroupVertOffset,     m_nGroupCaptionHeight,  m_nGroupCaptionHorzOffset, m_nGroupCaptionVertOffset,
                m_nGroupTextHorzOffset, m_nGroupTextVertOffset, m_nTasksHorzOffset,        m_nTasksIconHorzOffset,
                m_nTasksIconVertOffset, m_bActiveCaptions};
    }
};

TEST(WinXPVisualManagerBuilt, OpensTheClassesTheStyleHasAndTakesTheThemedMetrics)
{
    ExposedManager manager;
    ASSERT_TRUE(manager.IsThemeLibraryLoaded());
    EXPECT_TRUE(manager.GetThemeEntryPoints().IsComplete());
    for (int i = 0; i < Theme::ThemeClassCount; ++i) {
        const Theme theme = static_cast<Theme>(i);
        EXPECT_EQ(StyleHasClass(theme), manager.GetTheme(theme) != nullptr)
            << std::string(NameOf(theme).begin(), NameOf(theme).end());
    }
    EXPECT_NE(nullptr, manager.GetTheme(Theme::ThemeWindow));
    EXPECT_FALSE(manager.IsShadowHighlightedImage()) << "the no-themes flag is clear";
    EXPECT_EQ(CSize(2, 2), manager.GetButtonExtraBorder());
    EXPECT_EQ((std::vector<int>{12, 12, 15, 25, 13, 7, 12, 5, 4, 1}), manager.GroupPaneMetrics());

    // The rest of the Office-XP look stays.
    EXPECT_TRUE(manager.IsLook2000());
    EXPECT_EQ(4, manager.GetMenuShadowDepth());
    EXPECT_TRUE(manager.IsMenuFlatLook());
    EXPECT_EQ(3, manager.GetMenuImageMargin());
    EXPECT_FALSE(manager.IsClassicLook(nullptr));
    EXPECT_TRUE(manager.IsWinXPLook());
    EXPECT_TRUE(manager.IsTemporary());
}

TEST_F(WinXPVisualManager, SystemColourChangeReopensEveryClassInOrderForTheThreadsMainWindow)
{
    CWinApp app("WinXP Visual Manager Test");
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), "main", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr));
    int open = 0;
    for (int i = 0; i < Theme::ThemeClassCount; ++i)
        open += manager.GetTheme(static_cast<Theme>(i)) != nullptr;

    const std::vector<std::wstring> order = {L"TOOLBAR",  L"BUTTON",   L"STATUS", L"WINDOW",    L"REBAR",
                                             L"COMBOBOX", L"PROGRESS", L"HEADER", L"SCROLLBAR", L"EXPLORERBAR"};
    for (CWnd* owner : {static_cast<CWnd*>(&main), static_cast<CWnd*>(nullptr)}) {
        app.m_pMainWnd = owner;
        recorder.Clear();
        manager.OnUpdateSystemColors();
        EXPECT_EQ(open, recorder.closes);
        EXPECT_EQ(order, recorder.opened);
        for (HWND hwnd : recorder.owners)
            EXPECT_EQ(owner ? owner->GetSafeHwnd() : nullptr, hwnd);
    }
    app.m_pMainWnd = nullptr;
    main.DestroyWindow();
}

TEST_F(WinXPVisualManager, WithoutTheWindowThemeTheNoThemesFlagIsSetAndButtonsGetNoExtraBorder)
{
    recorder.refused.insert(L"WINDOW");
    manager.OnUpdateSystemColors();
    EXPECT_TRUE(manager.IsShadowHighlightedImage());
    EXPECT_EQ(CSize(0, 0), manager.GetButtonExtraBorder());
    EXPECT_NE(nullptr, manager.GetTheme(Theme::ThemeToolbar)) << "the other classes still open";

    recorder.refused.clear();
    manager.OnUpdateSystemColors();
    EXPECT_FALSE(manager.IsShadowHighlightedImage());
    EXPECT_EQ(CSize(2, 2), manager.GetButtonExtraBorder());
}

TEST_F(WinXPVisualManager, DestructionClosesEveryOpenTheme)
{
    auto* own = new CWtkWinXPVisualManager(TRUE);
    recorder.Install(*own);
    int open = 0;
    for (int i = 0; i < Theme::ThemeClassCount; ++i)
        open += own->GetTheme(static_cast<Theme>(i)) != nullptr;
    ASSERT_GT(open, 1);
    delete own;
    EXPECT_EQ(open, recorder.closes);
}

// One hook call and the theme parts it must draw, in order.
struct PartCase {
    const char* name;
    std::function<void(CWtkWinXPVisualManager&, CDC*)> call;
    std::vector<ThemeRecorder::Call> parts;  // an empty rectangle is not checked
};

ThemeRecorder::Call Part(Theme theme, int part, int state, CRect rect = CRect())
{
    return {NameOf(theme), part, state, rect};
}

std::vector<PartCase> ThemedPartCases()
{
    using M = CWtkWinXPVisualManager;
    const CRect r(2, 2, 40, 24);
    std::vector<PartCase> cases;

    // Toolbar buttons: the later rules win.
    struct Interior {
        UINT style;
        int state;
        int part;
    };
    for (const Interior& c : {Interior{0, 0, TS_NORMAL}, Interior{0, 1, TS_NORMAL}, Interior{0, 2, TS_HOT},
                              Interior{TBBS_PRESSED, 0, TS_PRESSED}, Interior{TBBS_PRESSED, 2, TS_PRESSED},
                              Interior{TBBS_CHECKED, 1, TS_CHECKED}, Interior{TBBS_CHECKED, 2, TS_HOTCHECKED},
                              Interior{TBBS_CHECKED | TBBS_PRESSED, 2, TS_HOTCHECKED},
                              Interior{TBBS_CHECKED | TBBS_DISABLED, 2, TS_DISABLED},
                              Interior{TBBS_PRESSED | TBBS_DISABLED, 0, TS_DISABLED}}) {
        cases.push_back({"FillButtonInterior",
                         [c, r](M& m, CDC* dc) {
                             CWtkToolbarButton button(1, c.style);
                             m.FillButtonInterior(dc, &button, r, c.state);
                         },
                         {Part(Theme::ThemeToolbar, TP_BUTTON, c.part, r)}});
    }
    cases.push_back({"DrawButtonBorder",
                     [r](M& m, CDC* dc) {
                         CWtkToolbarButton button(1, TBBS_CHECKED);
                         m.DrawButtonBorder(dc, &button, r, 1);
                     },
                     {}});

    // The MDI child's buttons on a menu bar.
    struct System {
        UINT command, style;
        BOOL highlight;
        int part, state;
    };
    for (const System& c :
         {System{SC_MINIMIZE, 0, FALSE, 16, 1}, System{SC_CLOSE, 0, TRUE, 20, 2},
          System{SC_RESTORE, TBBS_PRESSED, TRUE, 21, 3}, System{SC_CLOSE, TBBS_PRESSED, FALSE, 20, 1},
          System{SC_MINIMIZE, TBBS_DISABLED | TBBS_PRESSED, TRUE, 16, 4}, System{SC_MAXIMIZE, 0, TRUE, 0, 0}}) {
        std::vector<ThemeRecorder::Call> parts;
        if (c.part)
            parts.push_back(Part(Theme::ThemeWindow, c.part, c.state, CRect(4, 4, 20, 18)));
        cases.push_back(
            {"DrawMenuSystemButton",
             [c](M& m, CDC* dc) { m.DrawMenuSystemButton(dc, CRect(4, 4, 20, 18), c.command, c.style, c.highlight); },
             parts});
    }

    for (BOOL horz : {TRUE, FALSE}) {
        cases.push_back({"DrawSeparator",
                         [horz, r](M& m, CDC* dc) {
                             vm_test::TestBar bar(horz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT, 1);
                             m.DrawSeparator(dc, &bar, r, horz);
                         },
                         {Part(Theme::ThemeToolbar, horz ? TP_SEPARATOR : TP_SEPARATORVERT, 0, r)}});
        cases.push_back({"DrawBarGripper",
                         [horz, r](M& m, CDC* dc) {
                             vm_test::TestBar bar(horz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT, 1);
                             m.DrawBarGripper(dc, r, horz, &bar);
                         },
                         {Part(Theme::ThemeRebar, horz ? RP_GRIPPER : RP_GRIPPERVERT, 0, r)}});
    }

    struct Caption {
        BOOL pushed, hot, disabled;
        int state;
    };
    for (const Caption& c : {Caption{FALSE, FALSE, FALSE, PBS_NORMAL}, Caption{FALSE, TRUE, FALSE, PBS_HOT},
                             Caption{TRUE, FALSE, FALSE, PBS_HOT}, Caption{TRUE, TRUE, FALSE, PBS_PRESSED},
                             Caption{TRUE, TRUE, TRUE, PBS_DISABLED}}) {
        const CWtkCaptionButton button = vm_winxp_test::CaptionButton(20, c.pushed, c.hot);
        cases.push_back({"DrawCaptionButton",
                         [c, button](M& m, CDC* dc) {
                             CWtkCaptionButton drawn = button;
                             m.DrawCaptionButton(dc, &drawn, TRUE, TRUE, FALSE, c.disabled);
                         },
                         {Part(Theme::ThemeButton, BP_PUSHBUTTON, c.state, button.GetRect())}});
    }

    cases.push_back({"DrawStatusBarPaneBorder",
                     [r](M& m, CDC* dc) { m.DrawStatusBarPaneBorder(dc, nullptr, r, 0, SBPS_POPOUT); },
                     {Part(Theme::ThemeStatus, SP_PANE, 0, r)}});
    cases.push_back({"DrawStatusBarPaneBorder without borders",
                     [r](M& m, CDC* dc) { m.DrawStatusBarPaneBorder(dc, nullptr, r, 0, SBPS_NOBORDERS); },
                     {}});
    // 38 pixels at 25 of 100: the chunk is 9 pixels wide.
    cases.push_back(
        {"DrawStatusBarProgress",
         [r](M& m, CDC* dc) { m.DrawStatusBarProgress(dc, nullptr, r, 100, 25, 0, 0xFFFFFFFF, 0, FALSE); },
         {Part(Theme::ThemeProgress, PP_BAR, 0, r), Part(Theme::ThemeProgress, PP_CHUNK, 0, CRect(2, 2, 11, 24))}});
    cases.push_back({"DrawStatusBarProgress at the start",
                     [r](M& m, CDC* dc) { m.DrawStatusBarProgress(dc, nullptr, r, 100, 0, 0, 0xFFFFFFFF, 0, TRUE); },
                     {Part(Theme::ThemeProgress, PP_BAR, 0, r)}});
    cases.push_back({"DrawStatusBarProgress of an empty range",
                     [r](M& m, CDC* dc) { m.DrawStatusBarProgress(dc, nullptr, r, 0, 0, 0, 0xFFFFFFFF, 0, TRUE); },
                     {}});
    cases.push_back({"DrawStatusBarSizeBox",
                     [r](M& m, CDC* dc) { m.DrawStatusBarSizeBox(dc, nullptr, r); },
                     {Part(Theme::ThemeScrollBar, SBP_SIZEBOX, SZB_RIGHTALIGN, r)}});

    struct Combo {
        BOOL disabled, dropped, hot;
        int state;
    };
    for (const Combo& c : {Combo{FALSE, FALSE, FALSE, CBXS_NORMAL}, Combo{FALSE, FALSE, TRUE, CBXS_HOT},
                           Combo{FALSE, TRUE, TRUE, CBXS_PRESSED}, Combo{TRUE, TRUE, TRUE, CBXS_DISABLED}}) {
        cases.push_back({"DrawComboDropButton",
                         [c, r](M& m, CDC* dc) { m.DrawComboDropButton(dc, r, c.disabled, c.dropped, c.hot, nullptr); },
                         {Part(Theme::ThemeComboBox, CP_DROPDOWNBUTTON, c.state, r)}});
    }
    cases.push_back(
        {"DrawComboBorder", [r](M& m, CDC* dc) { m.DrawComboBorder(dc, r, FALSE, TRUE, TRUE, nullptr); }, {}});
    cases.push_back({"DrawEditBorder", [r](M& m, CDC* dc) { m.DrawEditBorder(dc, r, FALSE, TRUE, nullptr); }, {}});

    struct Header {
        BOOL pressed, hot;
        int state;
    };
    for (const Header& c :
         {Header{FALSE, FALSE, HIS_NORMAL}, Header{FALSE, TRUE, HIS_HOT}, Header{TRUE, TRUE, HIS_PRESSED}}) {
        cases.push_back({"DrawHeaderItemBorder",
                         [c, r](M& m, CDC* dc) {
                             CRect rect = r;
                             m.DrawHeaderItemBorder(nullptr, dc, rect, c.pressed, c.hot);
                         },
                         {Part(Theme::ThemeHeader, HP_HEADERITEM, c.state, r)}});
    }

    struct Face {
        BOOL hot, pressed;
        int state;
    };
    for (const Face& c : {Face{FALSE, FALSE, PBS_NORMAL}, Face{TRUE, FALSE, PBS_HOT}, Face{TRUE, TRUE, PBS_PRESSED}}) {
        cases.push_back({"DrawButtonFace",
                         [c, r](M& m, CDC* dc) { m.DrawButtonFace(dc, r, c.hot, c.pressed); },
                         {Part(Theme::ThemeButton, BP_PUSHBUTTON, c.state, r)}});
    }

    cases.push_back({"FillTaskPaneBackground",
                     [r](M& m, CDC* dc) { m.FillTaskPaneBackground(dc, r); },
                     {Part(Theme::ThemeExplorerBar, EBP_HEADERBACKGROUND, 0, r)}});
    for (BOOL special : {FALSE, TRUE}) {
        cases.push_back(
            {"FillTaskGroupBackground",
             [special, r](M& m, CDC* dc) { m.FillTaskGroupBackground(dc, r, special); },
             {Part(Theme::ThemeExplorerBar, special ? EBP_SPECIALGROUPBACKGROUND : EBP_NORMALGROUPBACKGROUND, 0, r)}});
    }
    // The group's caption is (2, 2, 70, 22): its button is the square at
    // the right end.
    struct Group {
        BOOL special, collapsed, hot, canCollapse;
        int button, state;
    };
    const CRect caption(2, 2, 70, 22);
    const CRect button(50, 2, 70, 22);
    for (const Group& c :
         {Group{FALSE, FALSE, FALSE, TRUE, EBP_NORMALGROUPCOLLAPSE, 1},
          Group{FALSE, TRUE, TRUE, TRUE, EBP_NORMALGROUPEXPAND, 2},
          Group{TRUE, TRUE, FALSE, TRUE, EBP_SPECIALGROUPEXPAND, 1},
          Group{TRUE, FALSE, TRUE, TRUE, EBP_SPECIALGROUPCOLLAPSE, 2}, Group{FALSE, FALSE, TRUE, FALSE, 0, 0}}) {
        std::vector<ThemeRecorder::Call> parts = {Part(Theme::ThemeExplorerBar, EBP_NORMALGROUPHEAD, 0, caption)};
        if (c.button)
            parts.push_back(Part(Theme::ThemeExplorerBar, c.button, c.state, button));
        cases.push_back({"DrawTaskGroupCaption",
                         [c](M& m, CDC* dc) {
                             CWtkTaskGroup group = vm_winxp_test::TaskGroup(c.special, c.collapsed);
                             m.DrawTaskGroupCaption(dc, &group, c.hot, FALSE, c.canCollapse);
                         },
                         parts});
    }
    return cases;
}

TEST_F(WinXPVisualManager, ThemedHooksDrawThePartAndStateOfTheirClass)
{
    const std::vector<PartCase> cases = ThemedPartCases();
    for (size_t i = 0; i < cases.size(); ++i) {
        const PartCase& c = cases[i];
        SCOPED_TRACE(std::string(c.name) + " case " + std::to_string(i));
        recorder.Clear();
        c.call(manager, dc());
        ASSERT_EQ(c.parts.size(), recorder.draws.size());
        for (size_t k = 0; k < c.parts.size(); ++k) {
            const ThemeRecorder::Call& expected = c.parts[k];
            const ThemeRecorder::Call& drawn = recorder.draws[k];
            EXPECT_TRUE(expected.theme == drawn.theme) << k;
            EXPECT_EQ(expected.part, drawn.part) << k;
            EXPECT_EQ(expected.state, drawn.state) << k;
            if (!expected.rect.IsRectEmpty()) {
                EXPECT_EQ(expected.rect, drawn.rect) << k;
            }
        }
    }
}

TEST_F(WinXPVisualManager, EachHookFallsBackToTheOfficeXPLookWithoutItsThemeClass)
{
    vm_winxp_test::OfficeXPReference xp;
    for (const vm_winxp_test::HookCase& hook : vm_winxp_test::OverriddenHooks()) {
        recorder.refused = {NameOf(hook.theme)};
        manager.OnUpdateSystemColors();
        ASSERT_EQ(nullptr, manager.GetTheme(hook.theme));
        recorder.Clear();
        EXPECT_TRUE(vm_winxp_test::DrawsAlike(hook, manager, xp));
        EXPECT_TRUE(recorder.draws.empty()) << hook.name;
    }
}

TEST_F(WinXPVisualManager, WithTheWindowThemeMenusAndFramesTakeTheSystemColours)
{
    const CRect r(2, 2, 40, 24);
    const CWtkGlobalData& data = WtkGlobalData();
    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);

    CWtkPopupMenuBar popup;
    manager.FillBarBackground(dc(), &popup, r, CRect());
    EXPECT_TRUE(IsFilled(canvas, r, menu));
    EXPECT_EQ(r, ChangedArea(canvas));

    for (BOOL selected : {FALSE, TRUE}) {
        canvas.Fill(kBackground);
        EXPECT_EQ(::GetSysColor(COLOR_MENUTEXT), manager.FillCommandsListItem(dc(), r, selected));
        EXPECT_TRUE(IsFilled(canvas, r, menu));
    }

    canvas.Fill(kBackground);
    EXPECT_EQ(data.m_clrTextHilite, manager.HighlightMenuItem(dc(), nullptr, r));
    EXPECT_TRUE(IsFilled(canvas, r, highlight));

    canvas.Fill(kBackground);
    manager.DrawComboBorder(dc(), r, FALSE, FALSE, FALSE, nullptr);
    manager.DrawEditBorder(dc(), r, FALSE, FALSE, nullptr);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty()) << "nothing unless highlighted";
    for (BOOL highlighted : {TRUE, FALSE}) {
        canvas.Fill(kBackground);
        manager.DrawComboBorder(dc(), r, FALSE, highlighted, !highlighted, nullptr);
        CRect inset = r;
        inset.DeflateRect(1, 1);
        EXPECT_TRUE(HasFrame(canvas, inset, highlight, highlight));
        EXPECT_EQ(inset, ChangedArea(canvas));
    }
    canvas.Fill(kBackground);
    manager.DrawEditBorder(dc(), r, FALSE, TRUE, nullptr);
    EXPECT_TRUE(HasFrame(canvas, r, highlight, highlight));
    EXPECT_EQ(r, ChangedArea(canvas));

    // The popup menu's frame is the classic one.
    CWtkVisualManager classic(TRUE);
    const vm_winxp_test::HookCase doubleBorder = {"DrawDoubleBorder", Theme::ThemeWindow,
                                                  [r](CWtkVisualManager& m, CDC* dc) {
                                                      m.DrawDoubleBorder(dc, nullptr, r);
                                                      return std::string();
                                                  }};
    EXPECT_TRUE(vm_winxp_test::DrawsAlike(doubleBorder, manager, classic));
}

TEST_F(WinXPVisualManager, ThemedHeaderSortArrowIsATriangleFilledInTheShadowColour)
{
    const COLORREF shadow = WtkGlobalData().m_clrBtnShadow;
    for (BOOL up : {TRUE, FALSE}) {
        canvas.Fill(kBackground);
        manager.DrawHeaderSortArrow(dc(), CRect(10, 10, 30, 30), up);
        const CRect area = ChangedArea(canvas);
        EXPECT_EQ(CRect(17, 18, 24, 23), area);
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                EXPECT_TRUE(canvas.At(x, y) == kBackground || canvas.At(x, y) == shadow) << x << "," << y;
        // Filled: the middle of the base row is as solid as the apex.
        const int baseY = up ? area.bottom - 1 : area.top;
        const int apexY = up ? area.top : area.bottom - 1;
        EXPECT_TRUE(IsFilled(canvas, CRect(area.left, baseY, area.right, baseY + 1), shadow));
        EXPECT_EQ(shadow, canvas.At(20, apexY));
        EXPECT_EQ(shadow, canvas.At(20, (area.top + area.bottom) / 2));
    }
}

TEST_F(WinXPVisualManager, ThemedButtonFaceFillsTheFaceOnePixelBeyondTheButton)
{
    const CRect r(10, 10, 40, 30);
    EXPECT_TRUE(manager.DrawButtonFace(dc(), r, FALSE, FALSE));
    CRect ring = r;
    ring.InflateRect(1, 1);
    const COLORREF face = WtkGlobalData().m_clrBtnFace;
    EXPECT_TRUE(HasFrame(canvas, ring, face, face));
    EXPECT_EQ(ring, ChangedArea(canvas));

    recorder.refused = {L"BUTTON"};
    manager.OnUpdateSystemColors();
    canvas.Fill(kBackground);
    EXPECT_TRUE(manager.DrawButtonFace(dc(), r, TRUE, TRUE));
    EXPECT_TRUE(IsFilled(canvas, r, face));
    EXPECT_EQ(r, ChangedArea(canvas));
}

// A toolkit button whose pushed and hot flags a test sets.
class TestButton : public CWtkButton {
public:
    void Set(BOOL bPushed, BOOL bHot)
    {
        m_bPushed = bPushed;
        m_bHighlighted = bHot;
    }
};

TEST_F(WinXPVisualManager, PushButtonIsDrawnThroughTheButtonThemeInItsWindowsState)
{
    TestButton button;
    ASSERT_TRUE(button.CreateEx(0, "BUTTON", "b", WS_POPUP | BS_CHECKBOX, 0, 0, 40, 20, nullptr, nullptr));
    const CRect r(4, 4, 44, 24);
    struct Case {
        BOOL pushed, hot, checked, enabled;
        int state;
    };
    for (const Case& c : {Case{FALSE, FALSE, FALSE, TRUE, PBS_NORMAL}, Case{FALSE, TRUE, FALSE, TRUE, PBS_HOT},
                          Case{TRUE, FALSE, FALSE, TRUE, PBS_NORMAL}, Case{TRUE, TRUE, FALSE, TRUE, PBS_PRESSED},
                          Case{FALSE, FALSE, TRUE, TRUE, PBS_PRESSED}, Case{TRUE, TRUE, TRUE, FALSE, PBS_DISABLED}}) {
        button.Set(c.pushed, c.hot);
        button.SetCheck(c.checked ? BST_CHECKED : BST_UNCHECKED);
        button.EnableWindow(c.enabled);
        recorder.Clear();
        EXPECT_TRUE(manager.DrawPushButton(dc(), r, &button, 0));
        ASSERT_EQ(1u, recorder.draws.size());
        EXPECT_TRUE(recorder.draws[0].theme == L"BUTTON");
        EXPECT_EQ(BP_PUSHBUTTON, recorder.draws[0].part);
        EXPECT_EQ(c.state, recorder.draws[0].state) << c.pushed << c.hot << c.checked << c.enabled;
        EXPECT_EQ(r, recorder.draws[0].rect);
    }

    // Without the BUTTON theme the button draws itself.
    recorder.refused = {L"BUTTON"};
    manager.OnUpdateSystemColors();
    canvas.Fill(kBackground);
    recorder.Clear();
    EXPECT_FALSE(manager.DrawPushButton(dc(), r, &button, 0));
    EXPECT_TRUE(recorder.draws.empty());
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
    button.DestroyWindow();
}

// Every case starts and ends with no current manager and the base class
// selected.
class WinXPThemeAvailability : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override
    {
        Reset();
        ThemeRecorder::Get().Reset();
    }
    static void Reset()
    {
        CWtkVisualManager::SetDefaultManager(nullptr);
        CWtkVisualManager::DestroyAutoCreatedInstance();
    }
};

TEST_F(WinXPThemeAvailability, AnotherCurrentManagerIsAskedAboutByATemporaryOneAndStaysCurrent)
{
    CWtkVisualManager::SetDefaultManager(RUNTIME_CLASS(CWtkVisualManagerXP));
    CWtkVisualManager* current = CWtkVisualManager::GetInstance();
    EXPECT_TRUE(CWtkWinXPVisualManager::IsWinXPThemeAvailable());
    EXPECT_EQ(current, CWtkVisualManager::GetInstance());
    EXPECT_EQ(RUNTIME_CLASS(CWtkVisualManagerXP), current->GetRuntimeClass());
    EXPECT_TRUE(current->IsAutoDelete());
}

TEST_F(WinXPThemeAvailability, CurrentThemeManagerIsCreatedByClassAndAnswersFromItsOwnWindowTheme)
{
    CWtkVisualManager::SetDefaultManager(RUNTIME_CLASS(CWtkWinXPVisualManager));
    CWtkVisualManager* current = CWtkVisualManager::GetInstance();
    ASSERT_EQ(RUNTIME_CLASS(CWtkWinXPVisualManager), current->GetRuntimeClass());
    EXPECT_TRUE(current->IsAutoDelete());
    auto* themed = static_cast<CWtkWinXPVisualManager*>(current);
    EXPECT_TRUE(CWtkWinXPVisualManager::IsWinXPThemeAvailable());

    // Its own WINDOW theme closed, it answers FALSE although the style is
    // active.
    ThemeRecorder::Get().refused = {L"WINDOW"};
    ThemeRecorder::Get().Install(*themed);
    EXPECT_FALSE(CWtkWinXPVisualManager::IsWinXPThemeAvailable());
    EXPECT_EQ(current, CWtkVisualManager::GetInstance());
}

// ThemeActive under the theme manager's key, set for a moment and put back
// as it was on every way out.
class ScopedThemeActive {
public:
    explicit ScopedThemeActive(const char* value)
    {
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key,
                              nullptr) != ERROR_SUCCESS) {
            m_key = nullptr;
            return;
        }
        char saved[16] = {};
        DWORD size = sizeof(saved) - 1;
        DWORD type = 0;
        m_hadValue =
            ::RegQueryValueExA(m_key, kValue, nullptr, &type, reinterpret_cast<BYTE*>(saved), &size) == ERROR_SUCCESS &&
            type == REG_SZ;
        m_saved = saved;
        m_set = Write(value);
    }
    ~ScopedThemeActive()
    {
        if (!m_key)
            return;
        if (m_hadValue)
            Write(m_saved.c_str());
        else
            ::RegDeleteValueA(m_key, kValue);
        ::RegCloseKey(m_key);
    }
    ScopedThemeActive(const ScopedThemeActive&) = delete;
    ScopedThemeActive& operator=(const ScopedThemeActive&) = delete;
    bool IsSet() const { return m_set; }

private:
    static constexpr const char* kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";
    static constexpr const char* kValue = "ThemeActive";
    bool Write(const char* value)
    {
        return ::RegSetValueExA(m_key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                static_cast<DWORD>(strlen(value) + 1)) == ERROR_SUCCESS;
    }
    HKEY m_key = nullptr;
    bool m_hadValue = false;
    std::string m_saved;
    bool m_set = false;
};

// Closes a handle on every way out.
struct ScopedHandle {
    HANDLE handle = nullptr;
    ~ScopedHandle()
    {
        if (handle)
            ::CloseHandle(handle);
    }
};

// Runs the program beside this one that expects no visual style, with the
// description of the platform it is to find; answers its exit code and
// output.
int RunUnthemedProgram(const char* platform, std::string& output)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command = path;
    command = command.substr(0, command.find_last_of('\\') + 1) + "toolkit_visual_manager_winxp_unthemed_test.exe";
    command = "\"" + command + "\"";

    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    ScopedHandle readEnd, writeEnd, process, thread;
    if (!::CreatePipe(&readEnd.handle, &writeEnd.handle, &inherit, 0))
        return -1;
    ::SetHandleInformation(readEnd.handle, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.handle;
    startup.hStdError = writeEnd.handle;
    PROCESS_INFORMATION info = {};
    ::SetEnvironmentVariableA("TVX_THEME_PLATFORM", platform);
    const BOOL started = ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                          nullptr, &startup, &info);
    ::SetEnvironmentVariableA("TVX_THEME_PLATFORM", nullptr);
    ::CloseHandle(writeEnd.handle);
    writeEnd.handle = nullptr;
    if (!started)
        return -1;
    process.handle = info.hProcess;
    thread.handle = info.hThread;

    char buffer[1024];
    DWORD read = 0;
    while (::ReadFile(readEnd.handle, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        output.append(buffer, read);
    if (::WaitForSingleObject(process.handle, 60000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.handle, 99);
        return -2;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.handle, &code);
    return static_cast<int>(code);
}

std::string ThemeActiveValue()
{
    char value[16] = {};
    DWORD size = sizeof(value);
    if (::RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", "ThemeActive",
                       RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "(none)";
    return value;
}

TEST(WinXPVisualManagerStyleOff, ProgramStartedWithThemeActiveOffDrawsEveryHookAsTheOfficeXPManager)
{
    const std::string before = ThemeActiveValue();
    std::string output;
    int code;
    {
        // The theme library reads the setting when a program loads it.
        ScopedThemeActive off("0");
        ASSERT_TRUE(off.IsSet());
        EXPECT_EQ("0", ThemeActiveValue());
        code = RunUnthemedProgram("inactive", output);
    }
    EXPECT_EQ(before, ThemeActiveValue()) << "the setting is put back";
    EXPECT_EQ(0, code) << output;
    EXPECT_NE(std::string::npos, output.find("[  PASSED  ]")) << output;
    EXPECT_EQ(std::string::npos, output.find("[  FAILED  ]")) << output;
    EXPECT_EQ(std::string::npos, output.find("[  SKIPPED ]")) << output;
}

}  // namespace
