// The dial-up commands on a computer without RASAPI32.DLL (the library is
// disabled for this program through a DLL override).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command/dialup/dialup_commands.h"

namespace {

TEST(DialUpWithoutLibrary, BothCommandsReportItBeforeCheckingTheirParameters)
{
    ASSERT_EQ(nullptr, ::LoadLibraryA("RASAPI32.DLL")) << "the library should be disabled";
    dialup::DialUpCommands commands;
    EXPECT_FALSE(commands.IsAvailable());

    const std::vector<std::vector<CString>> parameterLists = {
        {}, {"Office"}, {"Office", "joe", "pw", "", "3"}, {"Office", "Home"}};
    for (const auto& parameters : parameterLists) {
        CString lastError;
        EXPECT_EQ(0, commands.DialUpConnect(parameters, lastError));
        EXPECT_STREQ("Dial-Up Networking not available", lastError);
        lastError.Empty();
        EXPECT_EQ(0, commands.DialUpDisConnect(parameters, lastError));
        EXPECT_STREQ("Dial-Up Networking not available", lastError);
    }
}

}  // namespace
