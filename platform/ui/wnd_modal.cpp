// CWnd: the modal loop that dialog boxes and property sheets run. It is the
// thread's own loop, so the application's pre-translation sees every
// message, and the window gets WM_KICKIDLE while there is nothing to do.
#include "platform/ui/wnd.h"

#include "platform/ui/win_thread.h"

int CWnd::RunModalLoop(DWORD dwFlags)
{
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    HWND self = m_hWnd;
    HWND owner = ::GetParent(self);
    bool showOnIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    BOOL idle = TRUE;
    LONG idleCount = 0;
    MSG peeked;
    for (;;) {
        while (idle && !::PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showOnIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showOnIdle = false;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && owner && idleCount == 0)
                ::SendMessageA(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(self));
            if ((dwFlags & MLF_NOKICKIDLE) || !::SendMessageA(self, WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = FALSE;
            if (!ContinueModal())
                goto done;
        }
        do {
            int quitCode = 0;
            if (!AfxPumpMessage(&quitCode)) {
                // The outer loop must still see the request to quit.
                ::PostQuitMessage(quitCode);
                m_nModalResult = -1;
                goto done;
            }
            if (!ContinueModal())
                goto done;
            CWinThread* thread = AfxGetThread();
            if (!thread || thread->IsIdleMessage(&thread->m_msgCur)) {
                idle = TRUE;
                idleCount = 0;
            }
        } while (::PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE));
    }
done:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    // A window destroyed under the loop ends it.
    return (m_nFlags & WF_CONTINUEMODAL) && m_hWnd && ::IsWindow(m_hWnd);
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wake the loop if it waits for a message.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}
