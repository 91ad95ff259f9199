#include "parent_message_log.h"

#include <commctrl.h>

namespace {

// Any number: the log's own pointer tells its hooks apart.
const UINT_PTR kSubclassId = 0x574B;

// Registered window messages and clipboard formats share one atom table, so
// the format-name call answers a registered message's name.
std::string RegisteredName(UINT message)
{
    char name[256] = "";
    const int length = ::GetClipboardFormatNameA(message, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

}  // namespace

ParentMessageLog::~ParentMessageLog()
{
    Detach();
}

bool ParentMessageLog::Attach(HWND hWnd)
{
    if (m_hWnd || !::IsWindow(hWnd))
        return false;
    if (!::SetWindowSubclass(hWnd, &ParentMessageLog::Hook, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_hWnd = hWnd;
    return true;
}

void ParentMessageLog::Detach()
{
    if (!m_hWnd)
        return;
    if (::IsWindow(m_hWnd))
        ::RemoveWindowSubclass(m_hWnd, &ParentMessageLog::Hook, kSubclassId);
    m_hWnd = nullptr;
}

size_t ParentMessageLog::Count(const std::string& name) const
{
    size_t count = 0;
    for (const Entry& entry : m_entries) {
        if (entry.name == name)
            ++count;
    }
    return count;
}

LRESULT CALLBACK ParentMessageLog::Hook(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR data)
{
    auto* log = reinterpret_cast<ParentMessageLog*>(data);
    if (message == WM_NCDESTROY) {
        // The window goes: the log lets go of it first.
        log->Detach();
        return ::DefSubclassProc(hWnd, message, wParam, lParam);
    }
    if (message < 0xC000 || message > 0xFFFF)
        return ::DefSubclassProc(hWnd, message, wParam, lParam);
    // Recorded before it is handled: a handler that sends another registered
    // message records that one after this one, as it came.
    const size_t index = log->m_entries.size();
    log->m_entries.push_back(Entry{message, RegisteredName(message), wParam, lParam, 0});
    const LRESULT answer = ::DefSubclassProc(hWnd, message, wParam, lParam);
    log->m_entries[index].answer = answer;
    return answer;
}
