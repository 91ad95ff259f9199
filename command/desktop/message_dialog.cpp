#include "command/desktop/message_dialog.h"

#include "command/desktop/desktop_resource.h"

namespace desktop {

namespace {

constexpr UINT_PTR kCloseTimer = 1;
// The longest time a timer takes; a longer stay would wrap around.
constexpr long long kLongestTimerMs = USER_TIMER_MAXIMUM;

}  // namespace

CMessageDialog::CMessageDialog(const CString& message, long seconds)
    : CModalDialog(IDD_MESSAGE_DISPLAY), m_message(message), m_seconds(seconds)
{
}

void CMessageDialog::OnInitDialog()
{
    SetDlgItemTextA(Window(), IDC_MESSAGE_TEXT, m_message);
    if (m_seconds > 0) {
        long long milliseconds = static_cast<long long>(m_seconds) * 1000;
        if (milliseconds > kLongestTimerMs)
            milliseconds = kLongestTimerMs;
        m_timer = SetTimer(Window(), kCloseTimer, static_cast<UINT>(milliseconds), nullptr);
    }
}

void CMessageDialog::OnCommand(WORD id)
{
    if (id != IDOK && id != IDCANCEL)
        return;
    if (m_timer != 0) {
        KillTimer(Window(), m_timer);
        m_timer = 0;
    }
    End(id);
}

void CMessageDialog::OnTimer(UINT_PTR id)
{
    if (id == kCloseTimer)
        OnCommand(IDOK);
}

}  // namespace desktop
