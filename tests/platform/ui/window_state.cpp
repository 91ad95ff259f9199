#include "window_state.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

std::string WindowTextOf(HWND window)
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

std::string Escape(const std::string& text)
{
    std::string out;
    for (char ch : text) {
        switch (ch) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '|': out += "\\p"; break;
        default: out += ch; break;
        }
    }
    return out;
}

std::string Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next == 'p' ? '|' : next;
    }
    return out;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t bar = line.find('|', start);
        fields.push_back(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            return fields;
        start = bar + 1;
    }
}

void WriteMenu(std::ostringstream& out, const std::vector<MenuItemState>& items, int depth)
{
    for (const MenuItemState& item : items) {
        out << "M|" << depth << '|' << item.id << '|' << item.state << '|' << Escape(item.text) << '\n';
        WriteMenu(out, item.items, depth + 1);
    }
}

void WriteWindow(std::ostringstream& out, const WindowState& state, int depth)
{
    out << "W|" << depth << '|' << state.handle << '|' << Escape(state.className) << '|' << state.id << '|'
        << state.style << '|' << state.exStyle << '|' << state.rect.left << ',' << state.rect.top << ','
        << state.rect.right << ',' << state.rect.bottom << '|' << (state.visible ? 1 : 0) << '|'
        << (state.enabled ? 1 : 0) << '|' << Escape(state.text) << '\n';
    WriteMenu(out, state.menu, 0);
    for (const WindowState& child : state.children)
        WriteWindow(out, child, depth + 1);
}

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam)
{
    auto* parentAndList = reinterpret_cast<std::pair<HWND, std::vector<HWND>*>*>(lParam);
    // EnumChildWindows walks all descendants: keep the direct children.
    if (::GetParent(child) == parentAndList->first)
        parentAndList->second->push_back(child);
    return TRUE;
}

}  // namespace

const MenuItemState* MenuItemState::FindCommand(UINT commandId) const
{
    if (id == commandId && items.empty())
        return this;
    for (const MenuItemState& item : items) {
        if (const MenuItemState* found = item.FindCommand(commandId))
            return found;
    }
    return nullptr;
}

const WindowState* WindowState::FindById(int controlId) const
{
    for (const WindowState& child : children) {
        if (child.id == controlId)
            return &child;
        if (const WindowState* found = child.FindById(controlId))
            return found;
    }
    return nullptr;
}

const WindowState* WindowState::FindByClass(const std::string& windowClass) const
{
    for (const WindowState& child : children) {
        if (lstrcmpiA(child.className.c_str(), windowClass.c_str()) == 0)
            return &child;
        if (const WindowState* found = child.FindByClass(windowClass))
            return found;
    }
    return nullptr;
}

const MenuItemState* WindowState::FindMenuCommand(UINT commandId) const
{
    for (const MenuItemState& item : menu) {
        if (const MenuItemState* found = item.FindCommand(commandId))
            return found;
    }
    return nullptr;
}

std::vector<MenuItemState> ReadMenuState(HMENU menu)
{
    std::vector<MenuItemState> items;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MenuItemState item;
        char text[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof(text) - 1;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        item.text = text;
        item.state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & 0xFF;
        if (info.hSubMenu) {
            item.id = static_cast<UINT>(-1);
            item.items = ReadMenuState(info.hSubMenu);
        } else {
            item.id = (info.fType & MFT_SEPARATOR) ? 0 : info.wID;
        }
        items.push_back(item);
    }
    return items;
}

WindowState ReadWindowState(HWND window)
{
    WindowState state;
    state.handle = reinterpret_cast<unsigned long long>(window);
    char className[128] = "";
    ::GetClassNameA(window, className, sizeof(className));
    state.className = className;
    state.text = WindowTextOf(window);
    state.style = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE));
    state.exStyle = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_EXSTYLE));
    state.id = (state.style & WS_CHILD) ? ::GetDlgCtrlID(window) : 0;
    ::GetWindowRect(window, &state.rect);
    state.visible = ::IsWindowVisible(window) != FALSE;
    state.enabled = ::IsWindowEnabled(window) != FALSE;
    if (!(state.style & WS_CHILD)) {
        if (HMENU menu = ::GetMenu(window))
            state.menu = ReadMenuState(menu);
    }
    std::vector<HWND> children;
    std::pair<HWND, std::vector<HWND>*> parentAndList(window, &children);
    ::EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&parentAndList));
    for (HWND child : children)
        state.children.push_back(ReadWindowState(child));
    return state;
}

std::string SerializeWindowState(const WindowState& state)
{
    std::ostringstream out;
    WriteWindow(out, state, 0);
    return out.str();
}

bool ParseWindowState(const std::string& text, WindowState& state)
{
    std::istringstream in(text);
    std::string line;
    std::vector<WindowState*> windows;  // by depth
    WindowState* current = nullptr;
    std::vector<std::vector<MenuItemState>*> menus;  // by depth within the current window
    bool any = false;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        const std::vector<std::string> f = Fields(line);
        if (f[0] == "W" && f.size() == 11) {
            const size_t depth = std::strtoul(f[1].c_str(), nullptr, 10);
            WindowState* target;
            if (depth == 0) {
                if (any)
                    return false;
                state = WindowState();
                target = &state;
                any = true;
            } else {
                if (depth > windows.size())
                    return false;
                windows.resize(depth);
                windows.back()->children.emplace_back();
                target = &windows.back()->children.back();
            }
            target->handle = std::strtoull(f[2].c_str(), nullptr, 10);
            target->className = Unescape(f[3]);
            target->id = std::atoi(f[4].c_str());
            target->style = static_cast<DWORD>(std::strtoul(f[5].c_str(), nullptr, 10));
            target->exStyle = static_cast<DWORD>(std::strtoul(f[6].c_str(), nullptr, 10));
            if (std::sscanf(f[7].c_str(), "%ld,%ld,%ld,%ld", &target->rect.left, &target->rect.top,
                            &target->rect.right, &target->rect.bottom) != 4)
                return false;
            target->visible = f[8] == "1";
            target->enabled = f[9] == "1";
            target->text = Unescape(f[10]);
            windows.push_back(target);
            current = target;
            menus.assign(1, &current->menu);
        } else if (f[0] == "M" && f.size() == 5 && current) {
            const size_t depth = std::strtoul(f[1].c_str(), nullptr, 10);
            if (depth >= menus.size())
                return false;
            menus.resize(depth + 1);
            MenuItemState item;
            item.id = static_cast<UINT>(std::strtoul(f[2].c_str(), nullptr, 10));
            item.state = static_cast<UINT>(std::strtoul(f[3].c_str(), nullptr, 10));
            item.text = Unescape(f[4]);
            menus.back()->push_back(item);
            menus.push_back(&menus.back()->back().items);
        } else {
            return false;
        }
    }
    return any;
}
