// ParentMessageLog: records the registered window messages (0xC000-0xFFFF)
// that a window receives, sent or posted, while the log is attached to it.
// Toolkit controls tell their parent through registered messages; a case
// attaches a log to the parent, drives the control and reads back what
// arrived, in order. The window's own handling is unchanged: the log sees
// each message before it and keeps the answer it gave.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ParentMessageLog {
public:
    struct Entry {
        UINT message;
        std::string name;  // the name it was registered under
        WPARAM wParam;
        LPARAM lParam;
        LRESULT answer;    // what the window's own handling answered
    };

    ParentMessageLog() = default;
    ~ParentMessageLog();
    ParentMessageLog(const ParentMessageLog&) = delete;
    ParentMessageLog& operator=(const ParentMessageLog&) = delete;

    // Starts recording what hWnd receives (a window of this thread). FALSE
    // when the log is attached already or the window cannot be hooked.
    bool Attach(HWND hWnd);
    // Stops recording; what was recorded stays.
    void Detach();
    bool IsAttached() const { return m_hWnd != nullptr; }

    const std::vector<Entry>& Entries() const { return m_entries; }
    // How many messages of that registered name arrived.
    size_t Count(const std::string& name) const;
    void Clear() { m_entries.clear(); }

private:
    static LRESULT CALLBACK Hook(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR data);

    HWND m_hWnd = nullptr;
    std::vector<Entry> m_entries;
};
