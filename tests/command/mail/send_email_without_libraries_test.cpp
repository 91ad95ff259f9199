// SendEMail where neither mail library can be found: the command fails with
// a reason instead of calling through a missing library.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "command/mail/send_email.h"

namespace {

TEST(SendEMailWithoutLibraries, FailsNamingTheMissingLibrary)
{
    ASSERT_EQ(nullptr, ::GetModuleHandleA("CSMSGL32.dll"));
    std::vector<CString> parameters = {"127.0.0.1", "s@example.com", "t@example.com", "Subject",
                                       "Body"};
    CString lastError;
    EXPECT_EQ(0, mail::SendEMail(parameters, lastError));
    EXPECT_STREQ("SendMail Failed: CSMSGL32.dll could not be loaded", lastError);
}

}  // namespace
