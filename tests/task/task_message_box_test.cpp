// The self-closing message box of task runs: answered by a user, or closed
// with the given answer when nobody answers in time.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "task/timed_message_box.h"

namespace {

// Clicks a button of the box of that caption once it shows.
void ClickWhenShown(const wchar_t* caption, int button, std::atomic<bool>& stop)
{
    while (!stop) {
        if (HWND box = FindWindowW(L"#32770", caption)) {
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            return;
        }
        Sleep(20);
    }
}

}  // namespace

TEST(TimedMessageBoxTest, UnansweredBoxClosesWithTheGivenAnswer)
{
    const struct {
        UINT type;
        int unanswered;
    } cases[] = {{MB_OK | MB_ICONINFORMATION, IDOK}, {MB_OKCANCEL | MB_ICONQUESTION, IDCANCEL}};
    for (const auto& c : cases) {
        const ULONGLONG before = GetTickCount64();
        EXPECT_EQ(ShowTimedMessageBox(nullptr, L"Nobody is there", L"Timed box test", c.type, 300, c.unanswered),
                  c.unanswered);
        const ULONGLONG took = GetTickCount64() - before;
        EXPECT_GE(took, 250u);
        EXPECT_LT(took, 5000u);
        EXPECT_EQ(FindWindowW(L"#32770", L"Timed box test"), nullptr) << "the box is gone";
    }
}

TEST(TimedMessageBoxTest, AnswerOfAUserComesBack)
{
    std::atomic<bool> stop{false};
    std::thread user(ClickWhenShown, L"Timed box user", IDOK, std::ref(stop));
    EXPECT_EQ(ShowTimedMessageBox(nullptr, L"Run it?", L"Timed box user", MB_OKCANCEL, 30000, IDCANCEL), IDOK);
    stop = true;
    user.join();
}

TEST(TimedMessageBoxTest, OtherThreadsBoxOfTheSameCaptionIsLeftAlone)
{
    // Two boxes of one caption on two threads: the short one closes only its
    // own box, the other stays until its user answers.
    std::atomic<int> longAnswer{0};
    std::thread longBox([&] {
        longAnswer = ShowTimedMessageBox(nullptr, L"Long", L"Timed box pair", MB_OKCANCEL, 30000, IDCANCEL);
    });
    Sleep(500);
    EXPECT_EQ(ShowTimedMessageBox(nullptr, L"Short", L"Timed box pair", MB_OKCANCEL, 300, IDCANCEL), IDCANCEL);
    Sleep(700);
    EXPECT_EQ(longAnswer.load(), 0) << "the long box is still open";
    std::atomic<bool> stop{false};
    ClickWhenShown(L"Timed box pair", IDOK, stop);
    longBox.join();
    EXPECT_EQ(longAnswer.load(), IDOK);
}
