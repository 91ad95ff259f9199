#include "platform/ui/color_dialog.h"

IMPLEMENT_DYNAMIC(CColorDialog, CDialog)

namespace {

COLORREF g_customColors[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
};

}  // namespace

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : m_cc()
{
    m_pParentWnd = pParentWnd;
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = g_customColors;
    m_cc.Flags = dwFlags;
    m_cc.rgbResult = clrInit;
    if (clrInit != 0)
        m_cc.Flags |= CC_RGBINIT;
}

CColorDialog::~CColorDialog() = default;

void CColorDialog::SetCurrentColor(COLORREF clr)
{
    m_cc.rgbResult = clr;
    m_cc.Flags |= CC_RGBINIT;
}

COLORREF* CColorDialog::GetSavedCustomColors()
{
    return g_customColors;
}

INT_PTR CColorDialog::DoModal()
{
    CWnd* owner = GetSafeOwner(m_pParentWnd);
    m_cc.hwndOwner = owner ? owner->m_hWnd : nullptr;
    if (::ChooseColorA(&m_cc))
        return IDOK;
    return ::CommDlgExtendedError() == 0 ? IDCANCEL : -1;
}
