#include "platform/ui/window_class.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <string>

#include "platform/ui/app.h"
#include "platform/ui/resource_exception.h"

namespace {

std::mutex g_lock;
std::set<std::string> g_names;

}  // namespace

BOOL AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    WNDCLASSA existing = {};
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    if (::RegisterClassA(lpWndClass))
        return TRUE;
    // Another thread may have registered it in between.
    return ::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing);
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    HINSTANCE instance = AfxGetInstanceHandle();
    char name[128];
    std::snprintf(name, sizeof(name), "Tvx:%p:%x:%p:%p:%p", static_cast<void*>(instance), nClassStyle,
                  static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    std::lock_guard<std::mutex> guard(g_lock);
    auto found = g_names.find(name);
    if (found != g_names.end())
        return found->c_str();
    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
    return g_names.insert(name).first->c_str();
}
