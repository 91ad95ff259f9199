#include "toolkit/foundation/bar_window_class.h"

#include <cstdio>

#include "platform/ui/app.h"
#include "platform/ui/resource_exception.h"
#include "platform/ui/window_class.h"

LPCSTR WtkRegisterBarWindowClass(LPCSTR lpszPrefix, char* pszName, std::size_t cchName)
{
    HINSTANCE instance = AfxGetInstanceHandle();
    HCURSOR cursor = ::LoadCursorA(nullptr, IDC_ARROW);
    HBRUSH brush = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    std::snprintf(pszName, cchName, "%s:%x:%x:%x:%x", lpszPrefix,
                  static_cast<unsigned>(reinterpret_cast<UINT_PTR>(instance)), static_cast<unsigned>(CS_DBLCLKS),
                  static_cast<unsigned>(reinterpret_cast<UINT_PTR>(cursor)),
                  static_cast<unsigned>(reinterpret_cast<UINT_PTR>(brush)));
    WNDCLASSA wc = {};
    if (::GetClassInfoA(instance, pszName, &wc))
        return pszName;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = brush;
    wc.lpszClassName = pszName;
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
    return pszName;
}
