// The forced end of one window's session, against probe windows of other
// processes. Only the probes' own windows are sent to, so the test session
// itself goes on.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <thread>

#include "shutdown/process_termination.h"
#include "shutdown/session_ending.h"
#include "shutdown_test_support.h"

namespace {

std::string Line(const char* message, WPARAM wParam, LPARAM flag)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%s %llx %llx", message, static_cast<unsigned long long>(wParam),
                  static_cast<unsigned long long>(static_cast<ULONG_PTR>(flag)));
    return text;
}

class AnsweringWindow : public ::testing::TestWithParam<LPARAM> {};

TEST_P(AnsweringWindow, GetsQuitQueryAndEndSessionWithTheFlagAndKeepsRunning)
{
    const LPARAM flag = GetParam();
    SessionProbe probe("answer");
    ASSERT_TRUE(probe.Ready());

    EXPECT_TRUE(EndWindowSession(probe.Window(), flag));
    EXPECT_EQ(probe.Messages(), (std::vector<std::string>{Line("QUIT", 0, flag),
                                                          Line("QUERYENDSESSION", 0, flag),
                                                          Line("ENDSESSION", TRUE, flag)}));

    // The window was asked, not ended: it still closes by itself.
    EXPECT_FALSE(probe.Process().Wait(0));
    ::PostMessageA(probe.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(probe.Process().Wait(10000));
    EXPECT_EQ(probe.Process().ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Flags, AnsweringWindow, ::testing::Values(LPARAM{0}, static_cast<LPARAM>(ENDSESSION_LOGOFF)),
                         [](const ::testing::TestParamInfo<LPARAM>& info) {
                             return std::string(info.param ? "LogOff" : "ShutDownOrRestart");
                         });

struct SilentCase {
    const char* mode;
    std::vector<std::string> messagesBeforeGivingUp;
};

void PrintTo(const SilentCase& c, std::ostream* out)
{
    *out << c.mode;
}

class SilentWindow : public ::testing::TestWithParam<SilentCase> {};

TEST_P(SilentWindow, ProcessIsEndedWithACodeThatDoesNotReadStillActive)
{
    SessionProbe probe(GetParam().mode);
    ASSERT_TRUE(probe.Ready());

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(EndWindowSession(probe.Window(), ENDSESSION_LOGOFF));
    const auto elapsed = std::chrono::steady_clock::now() - start;

    ASSERT_TRUE(probe.Process().Wait(5000));
    EXPECT_EQ(probe.Process().ExitCode(), kEndedProcessExitCode);
    EXPECT_NE(probe.Process().ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(probe.Messages(), GetParam().messagesBeforeGivingUp);
    // Three sends at most, each cut off after its time-out.
    EXPECT_LT(elapsed, std::chrono::milliseconds(3 * kEndSessionSendTimeoutMs + 1000));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SilentWindow,
    ::testing::Values(SilentCase{"hung", {}},
                      SilentCase{"slow", {Line("QUIT", 0, ENDSESSION_LOGOFF),
                                          Line("QUERYENDSESSION", 0, ENDSESSION_LOGOFF)}}),
    [](const ::testing::TestParamInfo<SilentCase>& info) { return std::string(info.param.mode); });

TEST(SessionEnding, NeverEndsTheHelpersOwnProcess)
{
    // A window of this process whose thread stops answering.
    HWND window = nullptr;
    HANDLE created = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread owner([&] {
        window = ::CreateWindowA("STATIC", "silent", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
        ::SetEvent(created);
        ::WaitForSingleObject(release, INFINITE);
        ::DestroyWindow(window);
    });
    ::WaitForSingleObject(created, INFINITE);
    ASSERT_NE(window, nullptr);

    EXPECT_FALSE(EndWindowSession(window, 0));
    EXPECT_FALSE(TerminateProcessById(::GetCurrentProcessId()));

    ::SetEvent(release);
    owner.join();
    ::CloseHandle(created);
    ::CloseHandle(release);
}

TEST(SessionEnding, UnknownProcessCannotBeEnded)
{
    EXPECT_FALSE(TerminateProcessById(0));
    EXPECT_FALSE(TerminateProcessById(0x7ffffff0));
}

}  // namespace
