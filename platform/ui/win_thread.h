// CWinThread: a user-interface thread's message loop. Run hands every
// message to PreTranslateMessage, whose base offers it to the message's
// window and each of its parents up to the main window; what nobody takes is
// translated and dispatched. Between messages OnIdle updates the command
// states of the main window's bars and frees temporary objects.
#pragma once

#include <windows.h>

#include "platform/ui/cmd_target.h"

class CWnd;

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;

    virtual BOOL InitInstance();
    // Runs the message loop until WM_QUIT, whose code becomes the exit code
    // (see ExitInstance), then answers ExitInstance.
    virtual int Run();
    virtual int ExitInstance();

    // TRUE when the message was handled and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Takes one message and handles it; FALSE on WM_QUIT (then m_msgCur).
    virtual BOOL PumpMessage();
    // Called while the queue is empty, lCount counting from 0 since the last
    // message: 0 sends WM_IDLEUPDATECMDUI to the main window and every
    // window under it that has an object; 1 frees the temporary window and
    // menu objects. TRUE asks for another call.
    virtual BOOL OnIdle(LONG lCount);
    // Whether a message restarts the idle work: mouse moves that did not
    // move, paints and caret blinks do not.
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd();

    CWnd* m_pMainWnd;  // not owned
    MSG m_msgCur;

protected:
    // The code ExitInstance returns; 0 unless set.
    void SetExitCode(int code) { m_exitCode = code; }
    int GetExitCode() const { return m_exitCode; }

private:
    int m_exitCode;
    POINT m_lastMousePoint;
    UINT m_lastMouseMessage;
};

// The thread object whose loop runs on this thread; the application object
// on a thread without one.
CWinThread* AfxGetThread();
// One message of this thread through its thread object's pre-translation
// (or the plain window walk without one). FALSE on WM_QUIT; its code in
// *quitCode when given.
BOOL AfxPumpMessage(int* quitCode = nullptr);
