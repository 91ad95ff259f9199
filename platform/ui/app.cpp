#include "platform/ui/app.h"

#include <stdlib.h>

#include <string>

#include "platform/ui/command_line_info.h"

namespace {

// The entry point has to find the program's global application object.
CWinApp* g_application = nullptr;

CString ExecutableTitle()
{
    char buffer[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    std::string name(buffer, length);
    const size_t separator = name.find_last_of("\\/:");
    if (separator != std::string::npos)
        name.erase(0, separator + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    return CString(name.c_str());
}

}  // namespace

CWinApp::CWinApp(const char* appName)
    : m_hInstance(nullptr), m_pMainWnd(nullptr), m_strAppName(appName), m_exitCode(0)
{
    if (m_strAppName.IsEmpty())
        m_strAppName = ExecutableTitle();
    g_application = this;
}

CWinApp::~CWinApp()
{
    if (g_application == this)
        g_application = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    MSG message;
    BOOL got;
    while ((got = ::GetMessageA(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            break;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    if (got == 0)
        m_exitCode = static_cast<int>(message.wParam);
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return m_exitCode;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    // The C runtime splits the command line by the usual quoting rules.
    if (__argc > 1)
        ParseCommandLineWords(info, __argc - 1, __argv + 1);
}

CWinApp* AfxGetApp()
{
    return g_application;
}

int AfxWinMain(CWinApp& app, HINSTANCE instance)
{
    app.m_hInstance = instance;
    if (!app.InitInstance())
        return app.ExitInstance();
    return app.Run();
}
