// Test helper: one top-level window.
//   tvx_window_maker --title TEXT [--ignore-close] [--hang-on-close]
//                    [--lifetime MS] [--close-marker FILE]
// --ignore-close keeps the window open on a close message; --hang-on-close
// stops answering for 20 s when asked to close. The close marker file is
// written when the window is asked to close, so a test can tell that a
// program was asked before it was ended. The program ends when its
// window is destroyed, and by itself after the lifetime (default 60000 ms).
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

bool g_ignoreClose = false;
bool g_hangOnClose = false;
std::wstring g_closeMarker;
constexpr UINT_PTR kLifetimeTimer = 1;
constexpr DWORD kHangMs = 20000;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        if (!g_closeMarker.empty())
            CloseHandle(CreateFileW(g_closeMarker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (g_ignoreClose)
            return 0;
        if (g_hangOnClose)
            Sleep(kHangMs);
        DestroyWindow(window);
        return 0;
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring title = L"Tarvex Window Maker";
    UINT lifetime = 60000;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--title" && i + 1 < argc)
            title = argv[++i];
        else if (argument == L"--ignore-close")
            g_ignoreClose = true;
        else if (argument == L"--hang-on-close")
            g_hangOnClose = true;
        else if (argument == L"--close-marker" && i + 1 < argc)
            g_closeMarker = argv[++i];
        else if (argument == L"--lifetime" && i + 1 < argc)
            lifetime = static_cast<UINT>(_wtoi(argv[++i]));
    }
    LocalFree(argv);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"TvxWindowMaker";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"TvxWindowMaker", title.c_str(), WS_OVERLAPPEDWINDOW, 50, 50, 320, 200, nullptr,
                                nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    SetTimer(window, kLifetimeTimer, lifetime, nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
