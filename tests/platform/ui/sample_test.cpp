// The sample program, driven from this process: its main window with its
// menu states read from inside it, its dialog with data exchange and its
// property sheet, each photographed.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "dialog_watcher.h"
#include "platform/ui/framework_ids.h"
#include "message_pump.h"
#include "sample/sample_resource.h"
#include "screenshot.h"
#include "window_state.h"

#ifndef TVX_UI_SAMPLE_EXE
#error "TVX_UI_SAMPLE_EXE names the sample program"
#endif

namespace {

const char kTitle[] = "Tarvex UI Sample";

class SampleProcess {
public:
    SampleProcess()
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        char line[] = "ui_sample.exe";
        if (::CreateProcessA(TVX_UI_SAMPLE_EXE, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &m_info))
            ::CloseHandle(m_info.hThread);
    }
    ~SampleProcess()
    {
        if (!m_info.hProcess)
            return;
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_info.hProcess, 99);
            ::WaitForSingleObject(m_info.hProcess, 5000);
        }
        ::CloseHandle(m_info.hProcess);
    }
    DWORD Id() const { return m_info.dwProcessId; }
    HANDLE Handle() const { return m_info.hProcess; }

    HWND MainWindow(DWORD timeoutMs = 10000) const
    {
        const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
        while (::GetTickCount64() < deadline) {
            HWND window = nullptr;
            while ((window = ::FindWindowExA(nullptr, window, nullptr, nullptr)) != nullptr) {
                DWORD process = 0;
                ::GetWindowThreadProcessId(window, &process);
                if (process == Id() && ::IsWindowVisible(window) && WindowText(window).rfind(kTitle, 0) == 0)
                    return window;
            }
            ::Sleep(50);
        }
        return nullptr;
    }

private:
    PROCESS_INFORMATION m_info = {};
};

HWND WaitForBox(DWORD process, const std::string& caption, DWORD timeoutMs = 10000)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < deadline) {
        if (HWND box = FindDialogOfProcess(process, caption))
            return box;
        ::Sleep(50);
    }
    return nullptr;
}

bool WaitForTitle(HWND window, const std::string& title, DWORD timeoutMs = 5000)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < deadline) {
        if (WindowText(window) == title)
            return true;
        ::Sleep(50);
    }
    return false;
}

bool WaitGone(HWND window, DWORD timeoutMs = 5000)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (::IsWindow(window) && ::IsWindowVisible(window) && ::GetTickCount64() < deadline)
        ::Sleep(50);
    return !::IsWindow(window) || !::IsWindowVisible(window);
}

std::string Shoot(HWND window, const std::string& name, size_t* distinctColours = nullptr)
{
    ::Sleep(300);  // let the other process finish painting
    const Image shot = CaptureWindow(window);
    if (distinctColours)
        *distinctColours = shot.DistinctColors();
    return SaveScreenshot(shot, name);
}

TEST(Sample, MainWindowDialogAndSheetWorkFromAnotherProcessAndArePhotographed)
{
    SampleProcess sample;
    ASSERT_NE(sample.Handle(), nullptr);
    HWND main = sample.MainWindow();
    ASSERT_NE(main, nullptr);

    // The main window and its menu, read from inside the program.
    WindowState state;
    ASSERT_TRUE(ReadWindowStateOfOtherProcess(main, state));
    EXPECT_EQ(state.text, kTitle);
    EXPECT_TRUE(state.visible);
    EXPECT_TRUE(state.className.rfind("Tvx:", 0) == 0) << state.className;
    ASSERT_EQ(state.menu.size(), 1u);
    EXPECT_EQ(state.menu[0].text, "&Sample");
    const MenuItemState* toggle = state.FindMenuCommand(ID_SAMPLE_TOGGLE);
    const MenuItemState* unhandled = state.FindMenuCommand(ID_SAMPLE_UNHANDLED);
    const MenuItemState* dialogItem = state.FindMenuCommand(ID_SAMPLE_DIALOG);
    ASSERT_TRUE(toggle && unhandled && dialogItem);
    EXPECT_TRUE(toggle->Checked());
    EXPECT_FALSE(unhandled->Enabled());
    EXPECT_TRUE(dialogItem->Enabled());

    // The painting of the message-mapped window: the band in its colour.
    const Image window = CaptureWindow(main);
    EXPECT_FALSE(SaveScreenshot(window, "sample_main_window").empty());
    EXPECT_GT(window.CountColor(RGB(40, 90, 160)), 10000u);

    // A command changes the state; the menu follows at idle time.
    ::PostMessageA(main, WM_COMMAND, ID_SAMPLE_TOGGLE, 0);
    ::Sleep(300);
    ASSERT_TRUE(ReadWindowStateOfOtherProcess(main, state));
    EXPECT_FALSE(state.FindMenuCommand(ID_SAMPLE_TOGGLE)->Checked());
    const Image toggled = CaptureWindow(main);
    EXPECT_FALSE(SaveScreenshot(toggled, "sample_main_window_toggled").empty());
    EXPECT_GT(toggled.CountColor(RGB(160, 90, 40)), 10000u);

    // The dialog: a refused count is prompted for, then a good one taken.
    ::PostMessageA(main, WM_COMMAND, ID_SAMPLE_DIALOG, 0);
    HWND dialog = WaitForBox(sample.Id(), "Sample Dialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(main));
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_SAMPLE_NAME)), "Backup");
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_SAMPLE_COUNT)), "3");
    size_t colours = 0;
    EXPECT_FALSE(Shoot(dialog, "sample_dialog", &colours).empty());
    EXPECT_GT(colours, 3u);
    ::SetWindowTextA(::GetDlgItem(dialog, IDC_SAMPLE_NAME), "Nightly");
    ::SetWindowTextA(::GetDlgItem(dialog, IDC_SAMPLE_COUNT), "12");
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    HWND prompt = WaitForBox(sample.Id(), kTitle);
    ASSERT_NE(prompt, nullptr);
    const std::vector<std::string> texts = StaticTexts(prompt);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Please enter an integer between 1 and 10."), texts.end());
    ::PostMessageA(prompt, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitGone(prompt));
    EXPECT_TRUE(::IsWindowVisible(dialog));
    ::SetWindowTextA(::GetDlgItem(dialog, IDC_SAMPLE_COUNT), "7");
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitForTitle(main, "Tarvex UI Sample - Nightly x7 / Daily"));
    EXPECT_TRUE(::IsWindowEnabled(main));

    // The property sheet: the second page's choice comes back on OK.
    ::PostMessageA(main, WM_COMMAND, ID_SAMPLE_SHEET, 0);
    HWND sheet = WaitForBox(sample.Id(), "Sample Sheet");
    ASSERT_NE(sheet, nullptr);
    ::SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
    HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(page, nullptr);
    ::SendMessageA(::GetDlgItem(page, IDC_SAMPLE_FREQUENCY), CB_SETCURSEL, 2, 0);
    EXPECT_FALSE(Shoot(sheet, "sample_property_sheet", &colours).empty());
    EXPECT_GT(colours, 3u);
    ::PostMessageA(sheet, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitForTitle(main, "Tarvex UI Sample - Nightly x7 / Weekly"));

    // Exit from the menu ends the program normally.
    ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
    ASSERT_EQ(::WaitForSingleObject(sample.Handle(), 10000), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    ::GetExitCodeProcess(sample.Handle(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
