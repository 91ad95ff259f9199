// SendKeys, SendKeysToWindow and SendKeysFromFile, checked by what arrives
// in the key recorder's focused edit control.
#include <fstream>
#include <memory>
#include <ostream>
#include <string>

#include "desktop_test_support.h"

namespace desktop_test {
namespace {

void TapCapsLock()
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = VK_CAPITAL;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

bool IsCapsLockOn()
{
    // The key state this thread sees follows the input it has processed.
    WaitUntil([] { return false; }, 100);
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

class KeyCommands : public DesktopCommandTest {
protected:
    void SetUp() override { context.keyDelay = 5; }

    HWND StartRecorder(const char* title, const std::string& log = std::string())
    {
        std::string arguments = std::string("--title \"") + title + "\"";
        if (!log.empty())
            arguments += " --log \"" + log + "\"";
        m_recorders.emplace_back(new HelperProcess(kKeyRecorder, arguments));
        EXPECT_TRUE(m_recorders.back()->Started()) << "error " << m_recorders.back()->StartError();
        m_recorders.back()->WaitUntilReady(10000);
        HWND window = WaitForWindow(title, 10000);
        if (window != nullptr) {
            SetForegroundWindow(window);
            WaitUntil([&] { return GetForegroundWindow() == window; }, 3000);
        }
        return window;
    }

    // Typing is asynchronous: the text is compared once it has settled.
    static std::string SettledText(HWND recorder, const std::string& expected)
    {
        std::string text;
        WaitUntil(
            [&] {
                text = RecordedText(recorder);
                return text == expected;
            },
            3000);
        return text;
    }

    std::vector<std::unique_ptr<HelperProcess>> m_recorders;
};

TEST_F(KeyCommands, SendKeysTypesTheKeyTextIntoTheFocusedWindow)
{
    HWND recorder = StartRecorder("Tarvex Key Recorder 7Q");
    ASSERT_NE(recorder, nullptr);
    ASSERT_EQ(Run(desktop::SendKeys, {"Hello, +world{+}(1)~{tab 2}{x 3}"}), 1) << lastError;
    EXPECT_EQ(SettledText(recorder, "Hello, World+1\r\n\t\txxx"), "Hello, World+1\r\n\t\txxx");
}

TEST_F(KeyCommands, ModifierIsHeldAroundAGroup)
{
    const std::string log = TestDirectory() + "recorder_7q.log";
    DeleteFileA(log.c_str());
    HWND recorder = StartRecorder("Tarvex Key Log Recorder 7Q", log);
    ASSERT_NE(recorder, nullptr);
    ASSERT_EQ(Run(desktop::SendKeys, {"^(ac)x"}), 1) << lastError;
    SettledText(recorder, "x");
    const std::string events = ReadWholeFile(log);
    DeleteFileA(log.c_str());
    EXPECT_NE(events.find("D 41 -C-"), std::string::npos) << events;
    EXPECT_NE(events.find("D 43 -C-"), std::string::npos) << events;
    EXPECT_NE(events.find("D 58 ---"), std::string::npos) << events;
}

TEST_F(KeyCommands, ActivateSwitchesTheWindowThatReceivesTheKeys)
{
    HWND first = StartRecorder("Tarvex First Recorder 7Q");
    HWND second = StartRecorder("Tarvex Second Recorder 7Q");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(Run(desktop::SendKeys, {"a{activate \"*First Recorder 7Q\"}b"}), 1) << lastError;
    EXPECT_EQ(SettledText(second, "a"), "a");
    EXPECT_EQ(SettledText(first, "b"), "b");
}

TEST_F(KeyCommands, ActivateThatFindsNoWindowStopsTypingAndFails)
{
    HWND recorder = StartRecorder("Tarvex Stop Recorder 7Q");
    ASSERT_NE(recorder, nullptr);
    EXPECT_EQ(Run(desktop::SendKeys, {"ab{activate Tarvex Nowhere 7Q}cd"}), 0);
    EXPECT_STREQ(lastError, "sendkey function activate failed to find window");
    WaitUntil([] { return false; }, 300);
    EXPECT_EQ(RecordedText(recorder), "ab");
}

TEST_F(KeyCommands, UnclosedBraceStopsTypingAndFails)
{
    HWND recorder = StartRecorder("Tarvex Brace Recorder 7Q");
    ASSERT_NE(recorder, nullptr);
    EXPECT_EQ(Run(desktop::SendKeys, {"ab{tab"}), 0);
    EXPECT_STREQ(lastError, "sendkey function found an opening brace without a closing brace");
    WaitUntil([] { return false; }, 300);
    EXPECT_EQ(RecordedText(recorder), "ab");
}

TEST_F(KeyCommands, CapsLockIsOnAgainAfterwardsAndLettersAreNotInverted)
{
    HWND recorder = StartRecorder("Tarvex Caps Recorder 7Q");
    ASSERT_NE(recorder, nullptr);
    TapCapsLock();
    ASSERT_TRUE(IsCapsLockOn());
    const int result = Run(desktop::SendKeys, {"aB"});
    const std::string text = SettledText(recorder, "aB");
    const bool onAfterwards = IsCapsLockOn();
    if (onAfterwards)
        TapCapsLock();
    EXPECT_EQ(result, 1) << lastError;
    EXPECT_EQ(text, "aB");
    EXPECT_TRUE(onAfterwards);
}

TEST_F(KeyCommands, SendKeysToWindowActivatesTheWindowFirst)
{
    HWND target = StartRecorder("Tarvex Target Recorder 7Q");
    HWND other = StartRecorder("Tarvex Bystander Recorder 7Q");
    ASSERT_NE(target, nullptr);
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(Run(desktop::SendKeysToWindow, {"*Target Recorder 7Q", "typed"}), 1) << lastError;
    EXPECT_EQ(SettledText(target, "typed"), "typed");
    EXPECT_EQ(RecordedText(other), "");

    // Without keys it only activates.
    ASSERT_EQ(Run(desktop::SendKeysToWindow, {"*Bystander Recorder 7Q", ""}), 1) << lastError;
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; }, 3000));
}

// The keys follow an activation of a window of another program at once: the
// first of them must not go out before that program has taken the
// foreground and put its focus back into its edit control.
struct ActivationForm {
    const char* name;
    bool throughSetActiveWindow;  // else SendKeysToWindow
};

void PrintTo(const ActivationForm& form, std::ostream* out)
{
    *out << form.name;
}

class KeysAfterActivation : public KeyCommands, public ::testing::WithParamInterface<ActivationForm> {};

TEST_P(KeysAfterActivation, FirstKeyReachesTheWindowJustActivated)
{
    HWND windows[2] = {StartRecorder("Tarvex Left Recorder 7Q"), StartRecorder("Tarvex Right Recorder 7Q")};
    const char* patterns[2] = {"*Left Recorder 7Q", "*Right Recorder 7Q"};
    ASSERT_NE(windows[0], nullptr);
    ASSERT_NE(windows[1], nullptr);
    std::string expected[2];
    for (int round = 0; round < 8; ++round) {
        const int target = round % 2;
        const std::string keys = std::string(1, static_cast<char>('a' + round)) + "z";
        if (GetParam().throughSetActiveWindow) {
            ASSERT_EQ(Run(desktop::SetActiveWindow, {patterns[target]}), 1) << lastError;
            ASSERT_EQ(Run(desktop::SendKeys, {keys.c_str()}), 1) << lastError;
        } else {
            ASSERT_EQ(Run(desktop::SendKeysToWindow, {patterns[target], keys.c_str()}), 1) << lastError;
        }
        expected[target] += keys;
        ASSERT_EQ(SettledText(windows[target], expected[target]), expected[target]) << "round " << round;
    }
    EXPECT_EQ(RecordedText(windows[0]), expected[0]);
    EXPECT_EQ(RecordedText(windows[1]), expected[1]);
}

INSTANTIATE_TEST_SUITE_P(Forms, KeysAfterActivation,
                         ::testing::Values(ActivationForm{"SendKeysToWindow", false},
                                           ActivationForm{"SetActiveWindowThenSendKeys", true}),
                         [](const ::testing::TestParamInfo<ActivationForm>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(KeyCommands, SendKeysToWindowFailsWithoutAWindow)
{
    EXPECT_EQ(Run(desktop::SendKeysToWindow, {"Tarvex Nowhere 7Q", "x"}), 0);
    EXPECT_STREQ(lastError, "Unable to complete SendKeysToWindow command");
    lastError.Empty();
    EXPECT_EQ(Run(desktop::SendKeysToWindow, {"", "x"}), 0);
    EXPECT_STREQ(lastError, "Unable to complete SendKeysToWindow command");
    EXPECT_EQ(Run(desktop::SendKeysToWindow, {"only one"}), 0);
    EXPECT_STREQ(lastError, "Wrong number of parameters");
    EXPECT_EQ(Run(desktop::SendKeys, {"a", "b"}), 0);
    EXPECT_STREQ(lastError, "Wrong number of parameters");
}

TEST_F(KeyCommands, SendKeysFromFileTypesEveryLine)
{
    const std::string keys = TestDirectory() + "keys_7q.txt";
    {
        std::ofstream file(keys, std::ios::binary);
        file << "first~\r\n+second\r\n";
    }
    HWND recorder = StartRecorder("Tarvex File Recorder 7Q");
    ASSERT_NE(recorder, nullptr);
    const int result = Run(desktop::SendKeysFromFile, {keys.c_str()});
    DeleteFileA(keys.c_str());
    EXPECT_EQ(result, 1) << lastError;
    EXPECT_EQ(SettledText(recorder, "first\r\nSecond"), "first\r\nSecond");
}

TEST_F(KeyCommands, SendKeysFromFileFailsWithoutAReadableFile)
{
    const char* names[] = {"", "C:\\nowhere 7Q\\keys.txt", "C:\\"};
    for (const char* name : names) {
        lastError.Empty();
        EXPECT_EQ(Run(desktop::SendKeysFromFile, {name}), 0) << name;
        EXPECT_STREQ(lastError, "Unable to complete SendKeysFromFile command") << name;
    }
}

}  // namespace
}  // namespace desktop_test
