// CUsageDialog: the helper's usage dialog, shown when the command line names
// no known action.
#pragma once

#include <windows.h>

#include "platform/ui/dialog.h"
#include "shutdown/resource.h"

class CUsageDialog : public CDialog {
public:
    enum { IDD = IDD_USAGE };

    explicit CUsageDialog(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    BOOL OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Draws the icon in the middle of the client area while minimised.
    void PaintIconic();

    HICON m_hIcon;  // a shared resource icon: never destroyed
};
