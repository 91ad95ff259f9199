// Where toolkit objects keep their state: the path from the application's
// registry key, profile name and the object's section.
#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/app.h"
#include "toolkit/foundation/reg_path.h"

namespace {

TEST(WtkRegPath, JoinsSoftwareRegistryKeyProfileAndSectionWithOneBackslash)
{
    struct Case {
        const char* app_name;
        const char* registry_key;  // null: SetRegistryKey not called
        const char* section;
        const char* explicit_path;
        const char* expected;
    };
    const Case cases[] = {
        {"App", "K", "WtkWorkspace", nullptr, "SOFTWARE\\K\\App\\WtkWorkspace\\"},
        {"App", "", "WtkWorkspace", nullptr, "SOFTWARE\\App\\WtkWorkspace\\"},
        {"App", "K", "WtkWorkspace", "", "SOFTWARE\\K\\App\\WtkWorkspace\\"},
        // The administrator's key, which ends in a backslash and starts with
        // SOFTWARE itself.
        {"Tarvex Administrator", "SOFTWARE\\Quenfield\\Tarvex\\", "WtkWorkspace", nullptr,
         "SOFTWARE\\SOFTWARE\\Quenfield\\Tarvex\\Tarvex Administrator\\WtkWorkspace\\"},
        {"Tarvex Administrator", "SOFTWARE\\Quenfield\\Tarvex\\", "WtkToolBars", nullptr,
         "SOFTWARE\\SOFTWARE\\Quenfield\\Tarvex\\Tarvex Administrator\\WtkToolBars\\"},
        // Without a registry key the application has no profile name.
        {"App", nullptr, "WtkWorkspace", nullptr, "SOFTWARE\\WtkWorkspace\\"},
        // An explicit path comes back unchanged, whatever it ends with.
        {"App", "K", "WtkWorkspace", "Somewhere\\Else", "Somewhere\\Else"},
        {"App", "K", "WtkWorkspace", "SOFTWARE\\K\\App\\WtkWorkspace\\", "SOFTWARE\\K\\App\\WtkWorkspace\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        CWinApp app(c.app_name);
        if (c.registry_key)
            app.SetRegistryKey(c.registry_key);
        EXPECT_STREQ(WtkGetRegPath(c.section, c.explicit_path), c.expected);
    }
}

TEST(WtkRegPath, WithoutAnApplicationOnlyTheSectionFollowsSoftware)
{
    ASSERT_EQ(AfxGetApp(), nullptr);
    EXPECT_STREQ(WtkGetRegPath("WtkWorkspace"), "SOFTWARE\\WtkWorkspace\\");
}

}  // namespace
