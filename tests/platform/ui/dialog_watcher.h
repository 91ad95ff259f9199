// DialogWatcher: closes a dialog box that a test makes appear. On a thread
// of its own it waits for a dialog box ("#32770") of the given process with
// the given caption, lets the test inspect it, and then presses a button.
// When no such box appears within the time-out it closes every dialog box
// of that process instead, so that a failing test ends rather than hangs.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class DialogWatcher {
public:
    using Inspect = std::function<void(HWND dialog)>;

    // caption empty: any caption.
    DialogWatcher(DWORD processId, std::string caption, int button = IDOK,
                  Inspect inspect = nullptr, DWORD timeoutMs = 15000);
    ~DialogWatcher();

    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // Waits for the watcher to finish; true when the box appeared and the
    // button was pressed.
    bool Finish();

private:
    void Watch();

    DWORD m_processId;
    std::string m_caption;
    int m_button;
    Inspect m_inspect;
    DWORD m_timeoutMs;
    std::atomic<bool> m_found{false};
    std::thread m_thread;
};

// The top-level dialog box of the process with the caption, or null.
HWND FindDialogOfProcess(DWORD processId, const std::string& caption);

// The texts of a window's static controls, in the order of the controls.
std::vector<std::string> StaticTexts(HWND dialog);

// A window's text, also across processes.
std::string WindowText(HWND window);
