// The "Message Display" dialog of DisplayMessage: a message that closes
// itself after a number of seconds, or stays until OK is pressed.
#pragma once

#include "command/desktop/modal_dialog.h"
#include "platform/framework/string.h"

namespace desktop {

class CMessageDialog : public CModalDialog {
public:
    // seconds of 0 or less: the dialog never closes by itself.
    CMessageDialog(const CString& message, long seconds);

protected:
    void OnInitDialog() override;
    void OnCommand(WORD id) override;
    void OnTimer(UINT_PTR id) override;

private:
    CString m_message;
    long m_seconds;
    UINT_PTR m_timer = 0;
};

}  // namespace desktop
