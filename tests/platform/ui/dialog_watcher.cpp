#include "dialog_watcher.h"

#include <chrono>

namespace {

struct DialogSearch {
    DWORD processId;
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK FindDialogProc(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !::IsWindowVisible(window))
        return TRUE;
    char className[32] = "";
    ::GetClassNameA(window, className, sizeof(className));
    if (std::string(className) != "#32770")
        return TRUE;
    if (!search->caption->empty() && WindowText(window) != *search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectStaticProc(HWND window, LPARAM lParam)
{
    char className[32] = "";
    ::GetClassNameA(window, className, sizeof(className));
    if (lstrcmpiA(className, "Static") == 0)
        reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(WindowText(window));
    return TRUE;
}

}  // namespace

HWND FindDialogOfProcess(DWORD processId, const std::string& caption)
{
    DialogSearch search{processId, &caption, nullptr};
    ::EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::string> StaticTexts(HWND dialog)
{
    std::vector<std::string> texts;
    ::EnumChildWindows(dialog, CollectStaticProc, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::string WindowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return std::string();
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                               SMTO_ABORTIFHUNG, 2000, &copied))
        return std::string();
    text.resize(copied);
    return text;
}

DialogWatcher::DialogWatcher(DWORD processId, std::string caption, int button, Inspect inspect,
                             DWORD timeoutMs)
    : m_processId(processId),
      m_caption(std::move(caption)),
      m_button(button),
      m_inspect(std::move(inspect)),
      m_timeoutMs(timeoutMs),
      m_thread(&DialogWatcher::Watch, this)
{
}

DialogWatcher::~DialogWatcher()
{
    Finish();
}

bool DialogWatcher::Finish()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_found;
}

void DialogWatcher::Watch()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        HWND dialog = FindDialogOfProcess(m_processId, m_caption);
        if (dialog) {
            if (m_inspect)
                m_inspect(dialog);
            m_found = true;
            ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(m_button, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog, m_button)));
            return;
        }
        ::Sleep(50);
    }
    // Time is up: whatever box the process shows goes, so the test ends.
    while (HWND stray = FindDialogOfProcess(m_processId, std::string()))
    {
        ::PostMessageA(stray, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ::PostMessageA(stray, WM_CLOSE, 0, 0);
        ::Sleep(200);
        if (FindDialogOfProcess(m_processId, std::string()) == stray)
            break;
    }
}
