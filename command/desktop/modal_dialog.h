// A modal dialog from a dialog template of this component's resources.
#pragma once

#include <windows.h>

namespace desktop {

class CModalDialog {
public:
    explicit CModalDialog(int templateId) : m_templateId(templateId) {}
    virtual ~CModalDialog() = default;
    CModalDialog(const CModalDialog&) = delete;
    CModalDialog& operator=(const CModalDialog&) = delete;

    // Shows the dialog and returns once it is closed: the identifier of the
    // button that closed it, or -1 when it could not be created (no
    // template, no desktop to show it on).
    INT_PTR DoModal(HWND owner);

protected:
    virtual void OnInitDialog() {}
    // OK and Cancel close the dialog with their identifier.
    virtual void OnCommand(WORD id);
    virtual void OnTimer(UINT_PTR id) {}

    HWND Window() const { return m_window; }
    void End(INT_PTR result) { EndDialog(m_window, result); }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int m_templateId;
    HWND m_window = nullptr;
};

// The module whose resources hold the dialogs: the one this code is linked
// into (the component, or a test program).
HINSTANCE ResourceModule();

}  // namespace desktop
