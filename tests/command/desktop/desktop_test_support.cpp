#include "desktop_test_support.h"

#include <tlhelp32.h>

#include <fstream>
#include <sstream>

#include "command/desktop/message_pump.h"

namespace desktop_test {

namespace {

struct DialogSearch {
    const std::string* caption;  // null: any dialog of this process
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM context)
{
    DialogSearch* search = reinterpret_cast<DialogSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner != GetCurrentProcessId() || lstrcmpA(className, "#32770") != 0)
        return TRUE;
    if (search->caption != nullptr) {
        char caption[256] = "";
        GetWindowTextA(window, caption, sizeof caption);
        if (*search->caption != caption)
            return TRUE;
    }
    search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> FindDialogs(const std::string* caption)
{
    DialogSearch search{caption, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window)
{
    char text[1024] = "";
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                            &copied) == 0)
        return std::string();
    return text;
}

}  // namespace

std::string TestDirectory()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory = path;
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

std::string HelperPath(const char* program)
{
    return TestDirectory() + program;
}

void EndHelperProcesses()
{
    EndHelperProcesses(GetCurrentProcessId());
}

void EndHelperProcesses(DWORD parentId)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        const bool helper = lstrcmpiA(entry.szExeFile, kSleeper) == 0 ||
                            lstrcmpiA(entry.szExeFile, kWindowMaker) == 0 ||
                            lstrcmpiA(entry.szExeFile, kKeyRecorder) == 0;
        if (!helper || entry.th32ParentProcessID != parentId)
            continue;
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
        entry.dwSize = sizeof entry;
    }
    CloseHandle(snapshot);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs)
{
    const ULONGLONG end = GetTickCount64() + limitMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        desktop::WaitPumpingMessages(50);
    }
}

HWND WaitForWindow(const char* title, DWORD limitMs)
{
    // Every window of that title is looked at, not only the first: the
    // hidden window of an earlier helper that is still going away may come
    // first.
    HWND window = nullptr;
    WaitUntil(
        [&] {
            window = nullptr;
            while ((window = FindWindowExA(nullptr, window, nullptr, title)) != nullptr) {
                if (IsWindowVisible(window))
                    return true;
            }
            return false;
        },
        limitMs);
    return window;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> WaitForReport(const std::string& path, DWORD limitMs)
{
    std::vector<std::string> lines;
    WaitUntil(
        [&] {
            lines.clear();
            std::istringstream text(ReadWholeFile(path));
            std::string line;
            while (std::getline(text, line))
                lines.push_back(line);
            return !lines.empty() && lines.back() == "END";
        },
        limitMs);
    if (lines.empty() || lines.back() != "END")
        lines.clear();
    return lines;
}

std::string SleeperReportPath(DWORD processId)
{
    return TestDirectory() + "tvx_sleeper_" + std::to_string(processId) + ".report";
}

std::string RecordedText(HWND recorder)
{
    HWND edit = FindWindowExA(recorder, nullptr, "EDIT", nullptr);
    return edit == nullptr ? std::string() : WindowText(edit);
}

HelperProcess::HelperProcess(const char* program, const std::string& arguments)
{
    std::string line = "\"" + HelperPath(program) + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        CloseHandle(started.hThread);
        m_process = started.hProcess;
        m_id = started.dwProcessId;
    } else {
        m_startError = GetLastError();
    }
}

bool HelperProcess::WaitUntilReady(DWORD limitMs) const
{
    return m_process != nullptr && WaitForInputIdle(m_process, limitMs) == 0;
}

HelperProcess::~HelperProcess()
{
    if (m_process == nullptr)
        return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 5000);
    }
    CloseHandle(m_process);
}

DialogDismisser::DialogDismisser(Plan plan) : m_plan(std::move(plan)), m_thread([this] { Run(); }) {}

DialogDismisser::~DialogDismisser()
{
    if (m_thread.joinable())
        m_thread.join();
}

DialogSeen DialogDismisser::Seen()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_seen;
}

void DialogDismisser::Run()
{
    const ULONGLONG end = GetTickCount64() + m_plan.limitMs;
    HWND dialog = nullptr;
    while (GetTickCount64() < end) {
        std::vector<HWND> found = FindDialogs(&m_plan.caption);
        if (!found.empty() && IsWindowVisible(found.front())) {
            dialog = found.front();
            break;
        }
        Sleep(50);
    }
    if (dialog == nullptr) {
        // Whatever dialog is up, it must go, or the test would hang.
        m_seen.timedOut = true;
        for (HWND stray : FindDialogs(nullptr)) {
            m_seen.caption = WindowText(stray);
            PostMessageA(stray, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            PostMessageA(stray, WM_CLOSE, 0, 0);
        }
        return;
    }
    m_seen.found = true;
    m_seen.caption = WindowText(dialog);
    for (int control : m_plan.controls) {
        HWND item = GetDlgItem(dialog, control);
        m_seen.texts[control] = item == nullptr ? std::string("<missing>") : WindowText(item);
    }
    if (m_plan.answerControl != 0) {
        SendMessageTimeoutA(GetDlgItem(dialog, m_plan.answerControl), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(m_plan.answer.c_str()), SMTO_ABORTIFHUNG, 2000, nullptr);
    }
    Sleep(m_plan.pressAfterMs);
    if (m_plan.button != 0)
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(m_plan.button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, m_plan.button)));
    // The dialog has to go by itself or through the button before the limit.
    while (IsWindow(dialog) && GetTickCount64() < end)
        Sleep(50);
    if (IsWindow(dialog)) {
        m_seen.timedOut = true;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
}

void DesktopCommandTest::TearDown()
{
    process.reset();
    EndHelperProcesses();
}

int DesktopCommandTest::Run(Command command, const std::vector<CString>& parameters)
{
    return command(desktop::CommandArguments(parameters), context);
}

}  // namespace desktop_test
