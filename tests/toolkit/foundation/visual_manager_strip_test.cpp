#include <gtest/gtest.h>

#include "toolkit/controls/toolbar_button.h"
#include "toolkit/extras/task_group.h"
#include "toolkit/foundation/caption_button.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/visual_manager_winxp.h"
#include "toolkit/foundation/visual_manager_xp.h"
#include "visual_manager_support.h"

namespace {

// The main hooks of a look side by side, saved for a person to look at.
void DrawStrip(CWtkVisualManager& manager, const char* name)
{
    DibCanvas canvas(520, 120);
    ASSERT_TRUE(canvas.IsValid());
    canvas.Fill(RGB(255, 255, 255));
    CDC* dc = &canvas.dc;

    // A docked toolbar: background, border, gripper, separator, buttons.
    vm_test::TestBar bar(CBRS_ALIGN_TOP | CBRS_BORDER_ANY, 1);
    CRect rectBar(4, 4, 200, 34);
    manager.FillBarBackground(dc, &bar, rectBar, CRect());
    manager.DrawBarBorder(dc, &bar, rectBar);
    manager.DrawBarGripper(dc, CRect(rectBar.left, rectBar.top, rectBar.left + 10, rectBar.bottom), TRUE, &bar);
    CWtkToolbarButton normal(1, 0);
    CWtkToolbarButton checked(2, TBBS_CHECKED);
    manager.FillButtonInterior(dc, &normal, CRect(16, 7, 39, 29), 2);
    manager.DrawButtonBorder(dc, &normal, CRect(16, 7, 39, 29), 2);
    manager.FillButtonInterior(dc, &checked, CRect(40, 7, 63, 29), 1);
    manager.DrawButtonBorder(dc, &checked, CRect(40, 7, 63, 29), 1);
    manager.DrawSeparator(dc, &bar, CRect(64, 7, 72, 29), TRUE);
    manager.DrawComboBorder(dc, CRect(76, 8, 150, 28), FALSE, TRUE, FALSE, nullptr);
    manager.DrawComboDropButton(dc, CRect(134, 9, 149, 27), FALSE, FALSE, TRUE, nullptr);
    manager.DrawEditBorder(dc, CRect(154, 8, 194, 28), FALSE, TRUE, nullptr);

    // The 2000 gripper on a vertical bar.
    vm_test::TestBar vertical(CBRS_ALIGN_LEFT | CBRS_BORDER_ANY, 1);
    CRect rectVertical(4, 40, 34, 116);
    manager.FillBarBackground(dc, &vertical, rectVertical, CRect());
    manager.DrawBarBorder(dc, &vertical, rectVertical);
    manager.SetLook2000(TRUE);
    manager.DrawBarGripper(dc, CRect(rectVertical.left, rectVertical.top, rectVertical.right, rectVertical.top + 10),
                           FALSE, &vertical);
    manager.DrawSeparator(dc, &vertical, CRect(rectVertical.left, 60, rectVertical.right, 68), FALSE);

    // A popup menu frame with a tear-off strip, a highlighted item and
    // rarely used items.
    CRect menu(40, 40, 160, 116);
    manager.FillBarBackground(dc, &bar, menu, CRect());
    manager.DrawDoubleBorder(dc, nullptr, menu);
    manager.FillCaptionStrip(dc, CRect(42, 42, 158, 50), FALSE);
    manager.HighlightMenuItem(dc, nullptr, CRect(43, 52, 157, 70));
    manager.HighlightRarelyUsedItems(dc, CRect(43, 72, 157, 112));

    // A mini frame: border, caption, caption button.
    CRect frame(170, 40, 300, 116);
    manager.FillBarBackground(dc, &bar, frame, CRect());
    manager.DrawMiniFrameBorder(dc, nullptr, frame, CRect(3, 3, 3, 3));
    manager.FillBarArea(dc, CRect(173, 43, 297, 61), nullptr, TRUE);
    CWtkCaptionButton close(20);
    close.m_ptOrg = CPoint(281, 45);
    manager.DrawCaptionButton(dc, &close, TRUE, TRUE, FALSE, FALSE);
    manager.DrawCaption(dc, &bar, FALSE, CRect(176, 66, 294, 82), CRect());
    manager.DrawMenuSystemButton(dc, CRect(176, 88, 192, 102), SC_MINIMIZE, 0, FALSE);
    manager.DrawMenuSystemButton(dc, CRect(194, 88, 210, 102), SC_RESTORE, 0, FALSE);
    manager.DrawMenuSystemButton(dc, CRect(212, 88, 228, 102), SC_CLOSE, TBBS_PRESSED, FALSE);

    // A status bar: panes, progress, size box.
    CRect status(210, 4, 516, 30);
    manager.FillBarBackground(dc, &bar, status, CRect());
    manager.DrawStatusBarPaneBorder(dc, nullptr, CRect(214, 8, 300, 26), 0, 0);
    manager.DrawStatusBarPaneBorder(dc, nullptr, CRect(304, 8, 360, 26), 0, SBPS_POPOUT);
    manager.DrawStatusBarProgress(dc, nullptr, CRect(364, 8, 480, 26), 100, 60, RGB(0, 0, 160), RGB(120, 160, 255),
                                  0xFFFFFFFF, TRUE);
    manager.DrawStatusBarSizeBox(dc, nullptr, CRect(484, 8, 514, 28));

    // Double frames, a header item with its sort arrow, a task group.
    manager.FillBarBackground(dc, &bar, CRect(306, 40, 516, 116), CRect());
    CRect dbl(310, 44, 350, 74);
    manager.DrawDoubleFrame(dc, dbl, TRUE, TRUE);
    CRect header(356, 44, 430, 62);
    manager.DrawHeaderItemBorder(nullptr, dc, header, FALSE);
    manager.DrawHeaderSortArrow(dc, CRect(410, 44, 430, 62), TRUE);
    CWtkTaskGroup group;
    group.m_strName = "Group";
    group.m_rectGroup = CRect(356, 70, 512, 90);
    manager.DrawTaskGroupCaption(dc, &group, TRUE, FALSE, TRUE);
    manager.DrawPenShape(dc, CRect(356, 94, 512, 112), TRUE, TRUE);

    EXPECT_FALSE(SaveScreenshot(canvas.ToImage(), name).empty());
}

TEST(VisualManagerStrip, ClassicLookIsSavedAsAPicture)
{
    CWtkVisualManager manager(TRUE);
    DrawStrip(manager, "toolkit_visual_manager_classic");
}

TEST(VisualManagerStrip, OfficeXPLookIsSavedAsAPicture)
{
    CWtkVisualManagerXP manager(TRUE);
    DrawStrip(manager, "toolkit_visual_manager_xp");
}

TEST(VisualManagerStrip, WindowsXPThemeLookIsSavedAsAPicture)
{
    CWtkWinXPVisualManager manager(TRUE);
    ASSERT_NE(nullptr, manager.GetTheme(CWtkWinXPVisualManager::ThemeWindow)) << "a fresh prefix has a visual style";
    DrawStrip(manager, "toolkit_visual_manager_winxp");
}

}  // namespace
