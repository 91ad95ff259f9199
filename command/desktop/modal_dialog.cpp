#include "command/desktop/modal_dialog.h"

namespace desktop {

INT_PTR CModalDialog::DoModal(HWND owner)
{
    return DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(m_templateId), owner, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

void CModalDialog::OnCommand(WORD id)
{
    if (id == IDOK || id == IDCANCEL)
        End(id);
}

INT_PTR CALLBACK CModalDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CModalDialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CModalDialog*>(lParam);
        dialog->m_window = window;
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->OnInitDialog();
        return TRUE;
    }
    dialog = reinterpret_cast<CModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        dialog->OnCommand(LOWORD(wParam));
        return TRUE;
    case WM_TIMER:
        dialog->OnTimer(wParam);
        return TRUE;
    default:
        return FALSE;
    }
}

HINSTANCE ResourceModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ResourceModule), &module);
    return module;
}

}  // namespace desktop
