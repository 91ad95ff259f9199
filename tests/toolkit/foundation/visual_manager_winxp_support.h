// What the tests of the Windows-XP theme manager share, with and without a
// visual style: every hook it overrides, each with the theme class it needs,
// and the check that a hook draws and answers exactly as the Office-XP
// manager does.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/controls/popup_menu_bar.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/controls/toolbar_button.h"
#include "toolkit/extras/task_group.h"
#include "toolkit/foundation/caption_button.h"
#include "toolkit/foundation/visual_manager_winxp.h"
#include "toolkit/foundation/visual_manager_xp.h"
#include "visual_manager_support.h"

namespace vm_winxp_test {

using Theme = CWtkWinXPVisualManager::ThemeClass;

inline std::string Text(COLORREF color)
{
    return std::to_string(color);
}
inline std::string Text(const CRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// One call of a hook; it answers what the hook returned or changed.
struct HookCase {
    const char* name;
    Theme theme;  // the theme class the hook draws with
    std::function<std::string(CWtkVisualManager&, CDC*)> call;
};

inline CWtkCaptionButton CaptionButton(UINT nHit, BOOL bPushed, BOOL bHot)
{
    CWtkCaptionButton button(nHit);
    button.m_ptOrg = CPoint(6, 4);
    button.m_bPushed = bPushed;
    button.m_bFocused = bHot;
    return button;
}

inline CWtkTaskGroup TaskGroup(BOOL bSpecial, BOOL bCollapsed)
{
    CWtkTaskGroup group;
    group.m_strName = "Tasks";
    group.m_rectGroup = CRect(2, 2, 70, 22);
    group.m_bIsSpecial = bSpecial;
    group.m_bIsCollapsed = bCollapsed;
    return group;
}

// Every hook the theme manager overrides, in the states its themed and
// unthemed branches tell apart.
inline std::vector<HookCase> OverriddenHooks()
{
    using VM = CWtkVisualManager;
    const CRect r(2, 2, 70, 40);
    std::vector<HookCase> cases = {
        {"FillBarBackground popup menu", Theme::ThemeWindow,
         [r](VM& m, CDC* dc) {
             CWtkToolBar::SetMenuImageSize(CSize(16, 16));
             CWtkPopupMenuBar menu;
             m.FillBarBackground(dc, &menu, r, CRect());
             CWtkToolBar::SetMenuImageSize(CSize(-1, -1));
             return std::string();
         }},
        {"FillBarBackground toolbar", Theme::ThemeWindow,
         [r](VM& m, CDC* dc) {
             CWtkToolBar toolbar;
             m.FillBarBackground(dc, &toolbar, r, CRect());
             return std::string();
         }},
        {"DrawDoubleBorder", Theme::ThemeWindow,
         [r](VM& m, CDC* dc) {
             m.DrawDoubleBorder(dc, nullptr, r);
             return std::string();
         }},
        {"DrawBarGripper horizontal", Theme::ThemeRebar,
         [](VM& m, CDC* dc) {
             vm_test::TestBar bar(CBRS_ALIGN_TOP, 1);
             m.DrawBarGripper(dc, CRect(2, 2, 12, 40), TRUE, &bar);
             return std::string();
         }},
        {"DrawBarGripper vertical", Theme::ThemeRebar,
         [](VM& m, CDC* dc) {
             vm_test::TestBar bar(CBRS_ALIGN_LEFT, 1);
             m.DrawBarGripper(dc, CRect(2, 2, 40, 12), FALSE, &bar);
             return std::string();
         }},
        {"DrawSeparator horizontal", Theme::ThemeToolbar,
         [](VM& m, CDC* dc) {
             vm_test::TestBar bar(CBRS_ALIGN_TOP, 1);
             m.DrawSeparator(dc, &bar, CRect(10, 2, 18, 40), TRUE);
             return std::string();
         }},
        {"DrawSeparator vertical", Theme::ThemeToolbar,
         [](VM& m, CDC* dc) {
             vm_test::TestBar bar(CBRS_ALIGN_LEFT, 1);
             m.DrawSeparator(dc, &bar, CRect(2, 10, 40, 18), FALSE);
             return std::string();
         }},
        {"DrawCaptionButton pushed and hot", Theme::ThemeButton,
         [](VM& m, CDC* dc) {
             CWtkCaptionButton button = CaptionButton(20, TRUE, TRUE);
             m.DrawCaptionButton(dc, &button, TRUE, TRUE, FALSE, FALSE);
             return std::string();
         }},
        {"DrawCaptionButton pin", Theme::ThemeButton,
         [](VM& m, CDC* dc) {
             CWtkCaptionButton button = CaptionButton(9, FALSE, FALSE);
             m.DrawCaptionButton(dc, &button, FALSE, TRUE, FALSE, FALSE);
             return std::string();
         }},
        {"DrawMenuSystemButton minimise highlighted", Theme::ThemeWindow,
         [](VM& m, CDC* dc) {
             m.DrawMenuSystemButton(dc, CRect(4, 4, 20, 18), SC_MINIMIZE, 0, TRUE);
             return std::string();
         }},
        {"DrawMenuSystemButton close pressed", Theme::ThemeWindow,
         [](VM& m, CDC* dc) {
             m.DrawMenuSystemButton(dc, CRect(4, 4, 20, 18), SC_CLOSE, TBBS_PRESSED, TRUE);
             return std::string();
         }},
        {"DrawMenuSystemButton restore disabled", Theme::ThemeWindow,
         [](VM& m, CDC* dc) {
             m.DrawMenuSystemButton(dc, CRect(4, 4, 20, 18), SC_RESTORE, TBBS_DISABLED, TRUE);
             return std::string();
         }},
        {"DrawStatusBarPaneBorder", Theme::ThemeStatus,
         [r](VM& m, CDC* dc) {
             m.DrawStatusBarPaneBorder(dc, nullptr, r, 0, 0);
             return std::string();
         }},
        {"DrawStatusBarPaneBorder pop-out", Theme::ThemeStatus,
         [r](VM& m, CDC* dc) {
             m.DrawStatusBarPaneBorder(dc, nullptr, r, 0, SBPS_POPOUT);
             return std::string();
         }},
        {"DrawStatusBarProgress", Theme::ThemeProgress,
         [r](VM& m, CDC* dc) {
             m.DrawStatusBarProgress(dc, nullptr, r, 100, 40, RGB(0, 0, 160), 0xFFFFFFFF, 0, TRUE);
             return std::string();
         }},
        {"DrawStatusBarSizeBox", Theme::ThemeScrollBar,
         [](VM& m, CDC* dc) {
             m.DrawStatusBarSizeBox(dc, nullptr, CRect(40, 10, 70, 40));
             return std::string();
         }},
        {"DrawComboDropButton highlighted", Theme::ThemeComboBox,
         [](VM& m, CDC* dc) {
             m.DrawComboDropButton(dc, CRect(40, 4, 56, 24), FALSE, FALSE, TRUE, nullptr);
             return std::string();
         }},
        {"DrawComboDropButton dropped", Theme::ThemeComboBox,
         [](VM& m, CDC* dc) {
             m.DrawComboDropButton(dc, CRect(40, 4, 56, 24), FALSE, TRUE, TRUE, nullptr);
             return std::string();
         }},
        {"DrawComboDropButton disabled", Theme::ThemeComboBox,
         [](VM& m, CDC* dc) {
             m.DrawComboDropButton(dc, CRect(40, 4, 56, 24), TRUE, FALSE, FALSE, nullptr);
             return std::string();
         }},
        {"DrawComboBorder", Theme::ThemeWindow,
         [r](VM& m, CDC* dc) {
             m.DrawComboBorder(dc, r, FALSE, TRUE, FALSE, nullptr);
             return std::string();
         }},
        {"DrawEditBorder", Theme::ThemeWindow,
         [r](VM& m, CDC* dc) {
             m.DrawEditBorder(dc, r, FALSE, TRUE, nullptr);
             return std::string();
         }},
        {"FillButtonInterior checked", Theme::ThemeToolbar,
         [r](VM& m, CDC* dc) {
             CWtkToolbarButton button(1, TBBS_CHECKED);
             m.FillButtonInterior(dc, &button, r, 1);
             return std::string();
         }},
        {"FillButtonInterior highlighted", Theme::ThemeToolbar,
         [r](VM& m, CDC* dc) {
             CWtkToolbarButton button(1, 0);
             m.FillButtonInterior(dc, &button, r, 2);
             return std::string();
         }},
        {"DrawButtonBorder", Theme::ThemeToolbar,
         [r](VM& m, CDC* dc) {
             CWtkToolbarButton button(1, 0);
             m.DrawButtonBorder(dc, &button, r, 2);
             return std::string();
         }},
        {"HighlightMenuItem", Theme::ThemeWindow,
         [r](VM& m, CDC* dc) { return Text(m.HighlightMenuItem(dc, nullptr, r)); }},
        {"FillCommandsListItem", Theme::ThemeWindow,
         [r](VM& m, CDC* dc) {
             CWtkToolBar::SetMenuImageSize(CSize(16, 16));
             const std::string text = Text(m.FillCommandsListItem(dc, r, FALSE));
             CWtkToolBar::SetMenuImageSize(CSize(-1, -1));
             return text;
         }},
        {"FillCommandsListItem selected", Theme::ThemeWindow,
         [r](VM& m, CDC* dc) { return Text(m.FillCommandsListItem(dc, r, TRUE)); }},
        {"GetButtonExtraBorder", Theme::ThemeWindow,
         [](VM& m, CDC*) {
             const CSize size = m.GetButtonExtraBorder();
             return std::to_string(size.cx) + "," + std::to_string(size.cy);
         }},
        {"DrawHeaderItemBorder pressed", Theme::ThemeHeader,
         [r](VM& m, CDC* dc) {
             CRect rect = r;
             m.DrawHeaderItemBorder(nullptr, dc, rect, TRUE);
             return Text(rect);
         }},
        {"DrawHeaderItemBorder", Theme::ThemeHeader,
         [r](VM& m, CDC* dc) {
             CRect rect = r;
             m.DrawHeaderItemBorder(nullptr, dc, rect, FALSE, TRUE);
             return Text(rect);
         }},
        {"DrawHeaderSortArrow", Theme::ThemeHeader,
         [](VM& m, CDC* dc) {
             m.DrawHeaderSortArrow(dc, CRect(40, 4, 60, 20), TRUE);
             return std::string();
         }},
        {"FillTaskPaneBackground", Theme::ThemeExplorerBar,
         [r](VM& m, CDC* dc) {
             m.FillTaskPaneBackground(dc, r);
             return std::string();
         }},
        {"DrawTaskGroupCaption", Theme::ThemeExplorerBar,
         [](VM& m, CDC* dc) {
             CWtkTaskGroup group = TaskGroup(TRUE, FALSE);
             m.DrawTaskGroupCaption(dc, &group, TRUE, FALSE, TRUE);
             return std::string();
         }},
        {"FillTaskGroupBackground", Theme::ThemeExplorerBar,
         [r](VM& m, CDC* dc) {
             m.FillTaskGroupBackground(dc, r, FALSE);
             return std::string();
         }},
    };
    return cases;
}

// The Office-XP manager with the task pane spacing the theme manager sets
// back to the classic one (the only drawing data in which the two differ).
class OfficeXPReference : public CWtkVisualManagerXP {
public:
    OfficeXPReference() : CWtkVisualManagerXP(TRUE)
    {
        SetClassicGroupMetrics();
    }
};

// Whether the hook draws the same pixels and answers the same with both
// managers.
inline ::testing::AssertionResult DrawsAlike(const HookCase& hook, CWtkVisualManager& manager,
                                             CWtkVisualManager& reference)
{
    DibCanvas canvas(80, 48);
    DibCanvas expected(80, 48);
    if (!canvas.IsValid() || !expected.IsValid())
        return ::testing::AssertionFailure() << "no canvas";
    canvas.Fill(vm_test::kBackground);
    expected.Fill(vm_test::kBackground);
    const std::string answer = hook.call(manager, &canvas.dc);
    const std::string expectedAnswer = hook.call(reference, &expected.dc);
    if (answer != expectedAnswer)
        return ::testing::AssertionFailure() << hook.name << " answers " << answer << ", not " << expectedAnswer;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.At(x, y) != expected.At(x, y))
                return ::testing::AssertionFailure() << hook.name << ": " << x << "," << y << " is " << std::hex
                                                     << canvas.At(x, y) << ", not " << expected.At(x, y);
    if (vm_test::ChangedArea(expected).IsRectEmpty() && expectedAnswer.empty())
        return ::testing::AssertionFailure() << hook.name << " draws nothing in the Office-XP look";
    return ::testing::AssertionSuccess();
}

}  // namespace vm_winxp_test
