// CDialog: a modal dialog box built from a dialog template of the program's
// own resources. The object is the window for the life of the dialog box.
#pragma once

#include <windows.h>

#include "platform/ui/wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Shows the dialog box and returns when it ends: the value given to
    // EndDialog (IDOK, IDCANCEL), or -1 when the box cannot be created.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    UINT GetTemplateId() const { return m_templateId; }

protected:
    // TRUE lets the system put the focus on the first control.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Every message the dialog box receives from WM_INITDIALOG on. Returns
    // TRUE when handled, with the message's answer in result. The base
    // handles WM_INITDIALOG and the OK and Cancel commands; a derived class
    // handles its own messages and passes the rest to the base.
    virtual BOOL OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    CWnd* m_pParentWnd;
};
