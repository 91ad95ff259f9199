// Test helper: a window whose edit control has the keyboard focus, so that
// typed keys end up as its text.
//   tvx_key_recorder --title TEXT [--log FILE] [--save FILE] [--lifetime MS]
// Every key going down or up in the edit control is appended to the log as
// "D|U <virtual key, two hex digits> <S or -><C or -><A or ->", the letters
// telling whether Shift, Ctrl and Alt were down at that moment. With --save
// the text is written to the file when the window is asked to close.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT_PTR kLifetimeTimer = 1;
HWND g_edit = nullptr;
WNDPROC g_editProc = nullptr;
std::wstring g_log;
std::wstring g_save;

void SaveText()
{
    if (g_save.empty() || g_edit == nullptr)
        return;
    char text[4096] = "";
    const int length = GetWindowTextA(g_edit, text, sizeof text);
    if (FILE* file = _wfopen(g_save.c_str(), L"wb")) {
        std::fwrite(text, 1, static_cast<size_t>(length), file);
        std::fclose(file);
    }
}

char Down(int key, char letter)
{
    return GetKeyState(key) < 0 ? letter : '-';
}

void LogKey(WPARAM key, bool down)
{
    if (g_log.empty())
        return;
    if (FILE* file = _wfopen(g_log.c_str(), L"ab")) {
        std::fprintf(file, "%c %02X %c%c%c\n", down ? 'D' : 'U', static_cast<unsigned>(key & 0xFF),
                     Down(VK_SHIFT, 'S'), Down(VK_CONTROL, 'C'), Down(VK_MENU, 'A'));
        std::fclose(file);
    }
}

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        LogKey(wParam, true);
    else if (message == WM_KEYUP || message == WM_SYSKEYUP)
        LogKey(wParam, false);
    return CallWindowProcW(g_editProc, window, message, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        if (g_edit != nullptr)
            MoveWindow(g_edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
    case WM_ACTIVATE:
        if (g_edit != nullptr && (message == WM_SETFOCUS || LOWORD(wParam) != WA_INACTIVE))
            SetFocus(g_edit);
        return 0;
    case WM_CLOSE:
        SaveText();
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
    std::wstring title = L"Tarvex Key Recorder";
    UINT lifetime = 60000;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--title" && i + 1 < argc)
            title = argv[++i];
        else if (argument == L"--log" && i + 1 < argc)
            g_log = argv[++i];
        else if (argument == L"--save" && i + 1 < argc)
            g_save = argv[++i];
        else if (argument == L"--lifetime" && i + 1 < argc)
            lifetime = static_cast<UINT>(_wtoi(argv[++i]));
    }
    LocalFree(argv);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"TvxKeyRecorder";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"TvxKeyRecorder", title.c_str(), WS_OVERLAPPEDWINDOW, 80, 80, 400, 240, nullptr,
                                nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    g_edit = CreateWindowW(L"EDIT", L"",
                           WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 0,
                           0, 400, 240, window, nullptr, instance, nullptr);
    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(g_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    SetTimer(window, kLifetimeTimer, lifetime, nullptr);
    // Showing the window activates it, and activation puts the focus on the
    // edit control; the tests choose the foreground window themselves.
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
