// CWinApp: the program's one application object. The program defines a
// single global instance of a class derived from it; the entry point
// (tvx_ui_main) finds it with AfxGetApp and runs it with AfxWinMain.
//
// Its name (m_pszAppName) is the constructor's argument, else the string
// resource AFX_IDS_APP_TITLE of the program, else the executable's file name
// without extension. Profile values live only in the registry, under
// HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>, each
// part joined by one backslash; without SetRegistryKey there is no profile.
#pragma once

#include <windows.h>

#include "platform/framework/resource_handle.h"
#include "platform/framework/string.h"
#include "platform/ui/doc_template_list.h"
#include "platform/ui/win_thread.h"

class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CWnd;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override;

    // Hands the words of the program's command line to rCmdInfo.ParseParam.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);

    // Profile values go to HKCU\Software\<key>\<application name>\...; the
    // profile name becomes the application's name.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);

    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    // A null entry deletes the section, a null value the entry.
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    // *ppData is allocated with new[]; the caller deletes it.
    BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // The key path of a section below HKEY_CURRENT_USER, empty without a
    // registry key.
    CString GetSectionPath(LPCSTR lpszSection) const;

    // Help from the help file for the main window.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    void SetHelpFilePath(LPCSTR lpszPath);
    // The counted wait cursor (see CCmdTarget::BeginWaitCursor).
    virtual void DoWaitCursor(int nCode);
    // The message boxes of AfxMessageBox: owned by the main window (or the
    // box it shows), titled with the application's name.
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCSTR lpszIconName) const;

    const char* GetAppName() const { return m_pszAppName; }

    // ---- Documents ----------------------------------------------------------------
    // The application owns the template from now on.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& rPos) const;
    // FileNew: a new document of the first template (document, frame by
    // LoadFrame, view); FileOpen: the named file; FileNothing: nothing.
    // FALSE when that failed.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    void OnFileNew();
    // Asks every template's modified documents; FALSE when one refused.
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);

    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine;    // the command line after the program's name
    int m_nCmdShow;
    LPCSTR m_pszAppName;
    LPCSTR m_pszExeName;  // the executable's file name without extension
    LPCSTR m_pszHelpFilePath;
    LPCSTR m_pszRegistryKey;   // null without SetRegistryKey
    LPCSTR m_pszProfileName;   // null without SetRegistryKey

private:
    friend int AfxWinMain(CWinApp& app, HINSTANCE instance);

    CString m_strAppName;
    CString m_strExeName;
    CString m_strHelpFilePath;
    CString m_strRegistryKey;
    CString m_strProfileName;
    CDocTemplateList m_docTemplates;
};

// The application object of the program, or null when it has none.
CWinApp* AfxGetApp();
// The application's name; null without an application object.
LPCSTR AfxGetAppName();
// The main window of this thread's thread object (the application's).
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
// The module that holds a resource: the resource handle's, else the program's.
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);

// Runs the application object and returns the program's exit code.
int AfxWinMain(CWinApp& app, HINSTANCE instance);
