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
    // Draws the icon in the middle of the client area while minimised.
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    DECLARE_MESSAGE_MAP()

private:
    HICON m_hIcon;  // a shared resource icon: never destroyed
};
