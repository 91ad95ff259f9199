// CColorDialog: the system's colour dialog. m_cc may be adjusted before
// DoModal; the sixteen custom colours are shared by the whole program.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "platform/ui/dialog.h"

class CColorDialog : public CDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    // clrInit 0 starts without a chosen colour (CC_RGBINIT is set otherwise).
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    ~CColorDialog() override;

    // IDOK with the chosen colour, IDCANCEL, or -1 when the dialog failed.
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The colour the dialog starts with.
    void SetCurrentColor(COLORREF clr);
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLORA m_cc;
};
