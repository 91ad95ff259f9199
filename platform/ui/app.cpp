#include "platform/ui/app.h"

#include <stdlib.h>

#include <string>

#include "platform/ui/command_line_info.h"
#include "platform/ui/framework_ids.h"
#include "platform/ui/system_calls.h"
#include "platform/ui/wait_cursor.h"
#include "platform/ui/wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

// The entry point has to find the program's global application object.
CWinApp* g_application = nullptr;

CString ModulePath()
{
    char buffer[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    return CString(buffer, static_cast<int>(length));
}

CString ExecutableTitle(const CString& path)
{
    std::string name(static_cast<const char*>(path));
    const size_t separator = name.find_last_of("\\/:");
    if (separator != std::string::npos)
        name.erase(0, separator + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    return CString(name.c_str());
}

CString HelpFileOf(const CString& path)
{
    if (path.IsEmpty())
        return CString();
    const int dot = path.ReverseFind('.');
    const int separator = path.ReverseFind('\\');
    return (dot > separator ? path.Left(dot) : path) + ".hlp";
}

CString LoadResourceString(HINSTANCE instance, UINT id)
{
    CString text;
    text.LoadString(instance, id);
    return text;
}

}  // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_hInstance(nullptr),
      m_lpCmdLine(nullptr),
      m_nCmdShow(SW_SHOWNORMAL),
      m_pszAppName(nullptr),
      m_pszExeName(nullptr),
      m_pszHelpFilePath(nullptr),
      m_pszRegistryKey(nullptr),
      m_pszProfileName(nullptr)
{
    const CString path = ModulePath();
    m_strExeName = ExecutableTitle(path);
    m_strAppName = lpszAppName;
    if (m_strAppName.IsEmpty())
        m_strAppName = LoadResourceString(::GetModuleHandleA(nullptr), AFX_IDS_APP_TITLE);
    if (m_strAppName.IsEmpty())
        m_strAppName = m_strExeName;
    m_strHelpFilePath = HelpFileOf(path);
    m_pszAppName = m_strAppName;
    m_pszExeName = m_strExeName;
    m_pszHelpFilePath = m_strHelpFilePath;
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

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    // The C runtime splits the command line by the usual quoting rules.
    if (__argc > 1)
        ParseCommandLineWords(rCmdInfo, __argc - 1, __argv + 1);
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_strProfileName = m_strAppName;
    m_pszRegistryKey = m_strRegistryKey;
    m_pszProfileName = m_strProfileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    SetRegistryKey(LoadResourceString(AfxGetResourceHandle(), nIDRegistryKey));
}

void CWinApp::SetHelpFilePath(LPCSTR lpszPath)
{
    m_strHelpFilePath = lpszPath;
    m_pszHelpFilePath = m_strHelpFilePath;
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWnd* main = AfxGetMainWnd();
    if (main && main->m_hWnd) {
        main->WinHelp(dwData, nCmd);
        return;
    }
    CurrentSystemCalls().WinHelp(nullptr, m_pszHelpFilePath, nCmd, dwData);
}

void CWinApp::DoWaitCursor(int nCode)
{
    ::DoWaitCursor(nCode);
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    HWND top = nullptr;
    CWnd* owner = CWnd::GetSafeOwner(nullptr, &top);
    // A box must come up even while the program is busy.
    const int waiting = WaitCursorDepth();
    const int answer = ::MessageBoxA(owner ? owner->m_hWnd : nullptr, lpszPrompt, m_pszAppName, nType);
    if (waiting > 0)
        DoWaitCursor(0);
    return answer;
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursorA(AfxFindResourceHandle(MAKEINTRESOURCEA(nIDResource), RT_GROUP_CURSOR),
                         MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCSTR lpszCursorName) const
{
    return ::LoadCursorA(nullptr, lpszCursorName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCEA(nIDResource), RT_GROUP_ICON),
                       MAKEINTRESOURCEA(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCSTR lpszIconName) const
{
    return ::LoadIconA(nullptr, lpszIconName);
}

CWinApp* AfxGetApp()
{
    return g_application;
}

LPCSTR AfxGetAppName()
{
    return g_application ? g_application->m_pszAppName : nullptr;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* thread = AfxGetThread();
    return thread ? thread->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (g_application && g_application->m_hInstance)
        return g_application->m_hInstance;
    return ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    HINSTANCE resources = AfxGetResourceHandle();
    if (::FindResourceA(resources, lpszName, lpszType))
        return resources;
    HINSTANCE program = AfxGetInstanceHandle();
    if (program != resources && ::FindResourceA(program, lpszName, lpszType))
        return program;
    return resources;
}

int AfxWinMain(CWinApp& app, HINSTANCE instance)
{
    app.m_hInstance = instance;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    ::GetStartupInfoA(&startup);
    if (startup.dwFlags & STARTF_USESHOWWINDOW)
        app.m_nCmdShow = startup.wShowWindow;
    // The command line after the program's own (possibly quoted) name.
    LPSTR line = ::GetCommandLineA();
    if (*line == '"') {
        ++line;
        while (*line && *line != '"')
            ++line;
        if (*line == '"')
            ++line;
    } else {
        while (*line && *line != ' ' && *line != '\t')
            ++line;
    }
    while (*line == ' ' || *line == '\t')
        ++line;
    app.m_lpCmdLine = line;

    BOOL started = FALSE;
    try {
        started = app.InitInstance();
    } catch (...) {
        ::OutputDebugStringA("InitInstance threw; the program ends\n");
        started = FALSE;
    }
    if (!started)
        return app.ExitInstance();
    return app.Run();
}
