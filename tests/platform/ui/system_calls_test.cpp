// The seam through which product code makes the system calls that tests
// count or stop.
#include <gtest/gtest.h>

#include <typeinfo>

#include "platform/ui/system_calls.h"
#include "system_calls_recorder.h"

namespace {

TEST(SystemCalls, TheSystemAnswersUnlessATableTakesItsPlaceForItsLife)
{
    SystemCalls& system = CurrentSystemCalls();
    EXPECT_EQ(typeid(system), typeid(SystemCalls));
    // The system's own answers: Wine's search adds an extension only when given.
    char found[MAX_PATH] = "";
    EXPECT_EQ(system.SearchPath(nullptr, "notepad", nullptr, MAX_PATH, found, nullptr), 0u);
    EXPECT_GT(system.SearchPath(nullptr, "notepad.exe", nullptr, MAX_PATH, found, nullptr), 0u);
    {
        RecordingSystemCalls recorder;
        EXPECT_EQ(&CurrentSystemCalls(), &recorder);
        recorder.searchPathAnswer = "C:\\tools\\notepad.exe";
        LPSTR part = nullptr;
        EXPECT_EQ(CurrentSystemCalls().SearchPath(nullptr, "notepad", ".exe", MAX_PATH, found, &part), 20u);
        EXPECT_STREQ(found, "C:\\tools\\notepad.exe");
        EXPECT_STREQ(part, "notepad.exe");
        CurrentSystemCalls().MessageBeep(MB_ICONHAND);
        CurrentSystemCalls().Sleep(2500);
        CurrentSystemCalls().PlaySound("SystemStart", nullptr, SND_ALIAS);
        EXPECT_EQ(CurrentSystemCalls().ShellExecute(nullptr, "open", "qvxrun.exe", "Task", "C:\\", SW_SHOW),
                  reinterpret_cast<HINSTANCE>(42));
        EXPECT_EQ(recorder.Count("MessageBeep"), 1u);
        EXPECT_EQ(recorder.Count("Sleep"), 1u);
        EXPECT_EQ(recorder.log, (std::vector<std::string>{
                                    "SearchPath (null) notepad .exe", "MessageBeep 16", "Sleep 2500",
                                    "PlaySound SystemStart 65536", "ShellExecute open qvxrun.exe Task C:\\ 5"}));
    }
    EXPECT_EQ(&CurrentSystemCalls(), &system);
}

}  // namespace
