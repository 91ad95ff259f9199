// The "Prompt" dialog of InputBox: a prompt and a line for the answer.
#pragma once

#include "command/desktop/modal_dialog.h"
#include "platform/framework/string.h"

namespace desktop {

class CPromptDialog : public CModalDialog {
public:
    // An empty caption or prompt keeps the dialog's own ("Prompt",
    // "Input prompt").
    CPromptDialog(const CString& caption, const CString& prompt);

    // The text in the answer field when OK closed the dialog, else empty.
    const CString& Answer() const { return m_answer; }

protected:
    void OnInitDialog() override;
    void OnCommand(WORD id) override;

private:
    CString m_caption;
    CString m_prompt;
    CString m_answer;
};

}  // namespace desktop
