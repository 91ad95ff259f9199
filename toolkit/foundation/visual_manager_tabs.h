// Drawing steps the visual managers' tab hooks share.
#pragma once

#include <windows.h>

#include "platform/framework/string.h"
#include "platform/ui/dc.h"
#include "platform/ui/geometry.h"

class CWtkBaseTabWnd;

namespace wtk_tab_paint {

// The gap between a tab's left edge and its image; the tab windows lay
// their tabs out with the same gap.
constexpr int kImageMargin = 4;

// nFormat, with DT_NOPREFIX when the tab window's option asks that an
// ampersand show as itself.
UINT LabelFormat(const CWtkBaseTabWnd* pTabWnd, UINT nFormat);

// The image (or icon) and the label of a tab of the 3D style, in the DC's
// text colour. A tab too narrow for its image and margin shows neither.
// The icon and the image-list image are drawn iconRaise and imageRaise
// pixels higher than centred.
void DrawImageAndLabel(CDC* pDC, const CRect& rectTab, int iTab, const CString& strLabel,
                       const CWtkBaseTabWnd* pTabWnd, int iconRaise, int imageRaise);

}  // namespace wtk_tab_paint
