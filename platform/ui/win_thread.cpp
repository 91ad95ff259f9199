#include "platform/ui/win_thread.h"

#include "platform/ui/app.h"
#include "platform/ui/dc.h"
#include "platform/ui/gdi_object.h"
#include "platform/ui/image_list.h"
#include "platform/ui/menu.h"
#include "platform/ui/ui_thread_state.h"
#include "platform/ui/wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

// Binds the running loop to its thread for the loop's duration.
class RunningThread {
public:
    explicit RunningThread(CWinThread* thread) : m_state(ThisUiThread()), m_previous(m_state.thread)
    {
        m_state.thread = thread;
    }
    ~RunningThread() { m_state.thread = m_previous; }
    RunningThread(const RunningThread&) = delete;
    RunningThread& operator=(const RunningThread&) = delete;

private:
    UiThreadState& m_state;
    CWinThread* m_previous;
};

}  // namespace

CWinThread::CWinThread()
    : m_pMainWnd(nullptr), m_msgCur(), m_exitCode(0), m_lastMousePoint{-1, -1}, m_lastMouseMessage(0)
{
}

CWinThread::~CWinThread()
{
    UiThreadState& state = ThisUiThread();
    if (state.thread == this)
        state.thread = nullptr;
}

BOOL CWinThread::InitInstance()
{
    return TRUE;
}

int CWinThread::ExitInstance()
{
    return m_exitCode;
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

int CWinThread::Run()
{
    RunningThread running(this);
    BOOL idle = TRUE;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            BOOL more = FALSE;
            try {
                more = OnIdle(idleCount++);
            } catch (...) {
                ::OutputDebugStringA("OnIdle threw; idle work stops until the next message\n");
            }
            if (!more)
                idle = FALSE;
        }
        do {
            if (!PumpMessage()) {
                m_exitCode = static_cast<int>(m_msgCur.wParam);
                return ExitInstance();
            }
            if (IsIdleMessage(&m_msgCur)) {
                idle = TRUE;
                idleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    const BOOL got = ::GetMessageA(&m_msgCur, nullptr, 0, 0);
    if (got == 0)
        return FALSE;
    if (got == -1)
        return TRUE;
    // WM_KICKIDLE is the modal loops' own message: never dispatched.
    if (m_msgCur.message == WM_KICKIDLE)
        return TRUE;
    BOOL taken = FALSE;
    try {
        taken = PreTranslateMessage(&m_msgCur);
    } catch (...) {
        ::OutputDebugStringA("PreTranslateMessage threw; the message is dispatched\n");
    }
    if (!taken) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd)
        return FALSE;
    CWnd* main = GetMainWnd();
    HWND mainWindow = main ? main->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(mainWindow, pMsg))
        return TRUE;
    // A window outside the main window's family (a modeless box owned by
    // nobody) still lets the main window see its keys.
    if (mainWindow && ::IsWindow(mainWindow)) {
        HWND up = pMsg->hwnd;
        while (up && up != mainWindow)
            up = ::GetParent(up);
        if (!up)
            return main->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* main = GetMainWnd();
        if (main && main->m_hWnd && ::IsWindowVisible(main->m_hWnd)) {
            main->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    if (lCount == 1) {
        CWnd::DeleteTempMap();
        CMenu::DeleteTempMap();
        CDC::DeleteTempMap();
        CGdiObject::DeleteTempMap();
        CImageList::DeleteTempMap();
    }
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        const bool same = pMsg->message == m_lastMouseMessage && pMsg->pt.x == m_lastMousePoint.x &&
                          pMsg->pt.y == m_lastMousePoint.y;
        m_lastMousePoint = pMsg->pt;
        m_lastMouseMessage = pMsg->message;
        return !same;
    }
    // 0x0118: the system's caret-blink timer.
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

CWinThread* AfxGetThread()
{
    UiThreadState& state = ThisUiThread();
    return state.thread ? state.thread : AfxGetApp();
}

BOOL AfxPumpMessage(int* quitCode)
{
    if (CWinThread* thread = AfxGetThread()) {
        if (thread->PumpMessage())
            return TRUE;
        if (quitCode)
            *quitCode = static_cast<int>(thread->m_msgCur.wParam);
        return FALSE;
    }
    MSG message;
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
        if (quitCode)
            *quitCode = static_cast<int>(message.wParam);
        return FALSE;
    }
    if (got == -1 || message.message == WM_KICKIDLE)
        return TRUE;
    if (!message.hwnd || !CWnd::WalkPreTranslateTree(nullptr, &message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return TRUE;
}
