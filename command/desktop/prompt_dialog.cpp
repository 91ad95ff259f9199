#include "command/desktop/prompt_dialog.h"

#include "command/desktop/desktop_resource.h"

namespace desktop {

CPromptDialog::CPromptDialog(const CString& caption, const CString& prompt)
    : CModalDialog(IDD_PROMPT), m_caption(caption), m_prompt(prompt)
{
}

void CPromptDialog::OnInitDialog()
{
    if (!m_prompt.IsEmpty())
        SetDlgItemTextA(Window(), IDC_PROMPT_TEXT, m_prompt);
    SetDlgItemTextA(Window(), IDC_PROMPT_ANSWER, "");
    if (!m_caption.IsEmpty())
        SetWindowTextA(Window(), m_caption);
    SetForegroundWindow(Window());
}

void CPromptDialog::OnCommand(WORD id)
{
    if (id == IDOK) {
        const HWND field = GetDlgItem(Window(), IDC_PROMPT_ANSWER);
        const int length = GetWindowTextLengthA(field);
        GetWindowTextA(field, m_answer.GetBuffer(length), length + 1);
        m_answer.ReleaseBuffer();
        End(IDOK);
    } else if (id == IDCANCEL) {
        m_answer.Empty();
        End(IDCANCEL);
    }
}

}  // namespace desktop
