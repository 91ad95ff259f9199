#include <gtest/gtest.h>

#include "toolkit/foundation/cleanup.h"
#include "toolkit/foundation/global_data.h"

namespace {

TEST(WtkCleanUp, ReleasesTheDisplayDataFontsLightBrushAndThemeLibrary)
{
    CWtkGlobalData& data = WtkGlobalData();
    data.m_hinstUXThemeDLL = ::LoadLibraryA("UxTheme.dll");
    ASSERT_NE(nullptr, data.m_hinstUXThemeDLL);
    const HGDIOBJ regular = data.m_fontRegular.GetSafeHandle();
    const HGDIOBJ light = data.m_brLight.GetSafeHandle();
    ASSERT_NE(nullptr, regular);
    ASSERT_NE(nullptr, light);
    ASSERT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(regular));

    WtkCleanUp();

    for (CFont* font : {&data.m_fontRegular, &data.m_fontStatus, &data.m_fontBold, &data.m_fontUnderline,
                        &data.m_fontVert, &data.m_fontVertReversed, &data.m_fontMarlett})
        EXPECT_EQ(nullptr, font->GetSafeHandle());
    EXPECT_EQ(nullptr, data.m_brLight.GetSafeHandle());
    EXPECT_EQ(nullptr, data.m_hinstUXThemeDLL);
    EXPECT_EQ(0u, ::GetObjectType(regular));
    EXPECT_EQ(0u, ::GetObjectType(light));
    // The system's own brushes stay.
    EXPECT_EQ(::GetSysColorBrush(COLOR_BTNFACE), data.m_brBtnFace.GetSafeHandle());
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(data.m_brBtnFace.GetSafeHandle()));

    // The data can be brought back (as after a later settings change).
    data.UpdateSysColors();
    data.UpdateFonts();
    EXPECT_NE(nullptr, data.m_fontRegular.GetSafeHandle());
    EXPECT_NE(nullptr, data.m_brLight.GetSafeHandle());
}

}  // namespace
