// The Windows-XP theme manager on a platform without a visual style: the
// theme library kept from loading (as CTest runs it), or loaded with visual
// styles switched off (as the themed tests start it, with
// TVX_THEME_PLATFORM "inactive").
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "toolkit/controls/button.h"
#include "toolkit/foundation/global_data.h"
#include "visual_manager_winxp_support.h"

namespace {

using vm_winxp_test::Theme;

class WinXPVisualManagerUnthemed : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* platform = std::getenv("TVX_THEME_PLATFORM");
        m_platform = platform ? platform : "absent";
        ASSERT_TRUE(m_platform == "absent" || m_platform == "inactive") << m_platform;
    }
    void TearDown() override
    {
        CWtkVisualManager::SetDefaultManager(nullptr);
        CWtkVisualManager::DestroyAutoCreatedInstance();
    }

    std::string m_platform;
};

TEST_F(WinXPVisualManagerUnthemed, NoThemeOpensAndTheOfficeXPMetricsStay)
{
    CWtkWinXPVisualManager manager(TRUE);
    EXPECT_EQ(m_platform == "inactive", manager.IsThemeLibraryLoaded() != FALSE);
    EXPECT_EQ(m_platform == "inactive", manager.GetThemeEntryPoints().IsComplete() != FALSE);
    for (int i = 0; i < Theme::ThemeClassCount; ++i)
        EXPECT_EQ(nullptr, manager.GetTheme(static_cast<Theme>(i))) << i;
    EXPECT_TRUE(manager.IsShadowHighlightedImage()) << "the no-themes flag stays set";
    EXPECT_EQ(CSize(0, 0), manager.GetButtonExtraBorder());
    EXPECT_EQ(3, manager.GetMenuImageMargin());
}

TEST_F(WinXPVisualManagerUnthemed, ThemeIsUnavailableWhateverManagerIsCurrent)
{
    CWtkVisualManager* current = CWtkVisualManager::GetInstance();
    EXPECT_FALSE(CWtkWinXPVisualManager::IsWinXPThemeAvailable());
    EXPECT_EQ(current, CWtkVisualManager::GetInstance());

    CWtkVisualManager::SetDefaultManager(RUNTIME_CLASS(CWtkWinXPVisualManager));
    ASSERT_EQ(RUNTIME_CLASS(CWtkWinXPVisualManager), CWtkVisualManager::GetInstance()->GetRuntimeClass());
    EXPECT_FALSE(CWtkWinXPVisualManager::IsWinXPThemeAvailable());
}

TEST_F(WinXPVisualManagerUnthemed, EveryHookDrawsAndAnswersAsTheOfficeXPManager)
{
    CWtkWinXPVisualManager manager(TRUE);
    vm_winxp_test::OfficeXPReference xp;
    for (const vm_winxp_test::HookCase& hook : vm_winxp_test::OverriddenHooks())
        EXPECT_TRUE(vm_winxp_test::DrawsAlike(hook, manager, xp));
}

TEST_F(WinXPVisualManagerUnthemed, PushButtonsDrawThemselvesAndButtonFacesArePlainFaceFills)
{
    CWtkWinXPVisualManager manager(TRUE);
    DibCanvas canvas(60, 40);
    ASSERT_TRUE(canvas.IsValid());
    canvas.Fill(vm_test::kBackground);
    CWtkButton button;
    const CRect r(4, 4, 44, 24);
    EXPECT_FALSE(manager.DrawPushButton(&canvas.dc, r, &button, 0));
    EXPECT_TRUE(vm_test::ChangedArea(canvas).IsRectEmpty());

    EXPECT_TRUE(manager.DrawButtonFace(&canvas.dc, r, TRUE, FALSE));
    EXPECT_TRUE(vm_test::IsFilled(canvas, r, WtkGlobalData().m_clrBtnFace));
    EXPECT_EQ(r, vm_test::ChangedArea(canvas));
}

}  // namespace
