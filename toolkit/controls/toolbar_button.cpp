#include "toolkit/controls/toolbar_button.h"

IMPLEMENT_DYNCREATE(CWtkToolbarButton, CObject)

BOOL CWtkToolbarButton::s_bRecordImages = TRUE;

BOOL CWtkToolbarButton::CanBeCustomized() const
{
    const UINT id = m_nID;
    return !((id >= 0xE110 && id <= 0xE11F) || (id >= 0xF000 && id <= 0xF1EF) || id >= 0xFF00 ||
             (id >= 0xE210 && id <= 0xE21F));
}
