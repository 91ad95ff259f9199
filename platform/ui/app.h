// CWinApp: the program's one application object. The program defines a
// single global instance of a class derived from it; the entry point
// (tvx_ui_main) finds it with AfxGetApp and runs it with AfxWinMain.
#pragma once

#include <windows.h>

#include "platform/framework/string.h"

class CCommandLineInfo;
class CWnd;

class CWinApp {
public:
    // appName: the title of the program's message boxes; the executable's
    // file name without extension when null.
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();

    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The program's start-up: TRUE runs the message loop, FALSE ends the
    // program at once through ExitInstance.
    virtual BOOL InitInstance();
    // Dispatches messages until WM_QUIT, whose code becomes the exit code,
    // then returns ExitInstance's answer.
    virtual int Run();
    // The program's exit code.
    virtual int ExitInstance();

    // Hands the words of the program's command line to info.ParseParam.
    void ParseCommandLine(CCommandLineInfo& info);

    const char* GetAppName() const { return m_strAppName; }

    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd;  // not owned

protected:
    // The code ExitInstance returns; 0 unless set.
    void SetExitCode(int code) { m_exitCode = code; }
    int GetExitCode() const { return m_exitCode; }

private:
    CString m_strAppName;
    int m_exitCode;
};

// The application object of the program, or null when it has none.
CWinApp* AfxGetApp();

// Runs the application object and returns the program's exit code.
int AfxWinMain(CWinApp& app, HINSTANCE instance);
