#include "toolkit/foundation/bar_container_manager.h"

#include <algorithm>

#include "platform/ui/framework_ids.h"
#include "toolkit/foundation/slider.h"

BOOL CWtkBarContainerManager::CalcRects(CRect& rectOriginal, CRect& rectInserted, CRect& rectSlider,
                                        DWORD& dwSliderStyle, DWORD dwAlignment, int nMinWidth, int nMinHeight)
{
    const DWORD side = dwAlignment & CBRS_ALIGN_ANY;
    if (side != CBRS_ALIGN_LEFT && side != CBRS_ALIGN_TOP && side != CBRS_ALIGN_RIGHT && side != CBRS_ALIGN_BOTTOM)
        return FALSE;

    if (rectInserted.Width() < nMinWidth)
        rectInserted.right = rectInserted.left + nMinWidth;
    if (rectInserted.Height() < nMinHeight)
        rectInserted.bottom = rectInserted.top + nMinHeight;

    const int w = CWtkSlider::m_nDefaultWidth;
    const CRect& t = rectOriginal;
    if (side == CBRS_ALIGN_TOP || side == CBRS_ALIGN_BOTTOM) {
        const int size = std::min(static_cast<int>(rectInserted.Height()), t.Height() / 2);
        dwSliderStyle = 1;
        if (side == CBRS_ALIGN_BOTTOM) {
            rectInserted.SetRect(t.left, t.bottom - size, t.right, t.bottom);
            rectSlider.SetRect(t.left, rectInserted.top - w, t.right, rectInserted.top);
            rectOriginal.bottom = rectSlider.top;
        } else {
            rectInserted.SetRect(t.left, t.top, t.right, t.top + size);
            rectSlider.SetRect(t.left, rectInserted.bottom, t.right, rectInserted.bottom + w);
            rectOriginal.top = rectSlider.bottom;
        }
    } else {
        const int size = std::min(static_cast<int>(rectInserted.Width()), t.Width() / 2);
        dwSliderStyle = 2;
        if (side == CBRS_ALIGN_RIGHT) {
            rectInserted.SetRect(t.right - size, t.top, t.right, t.bottom);
            rectSlider.SetRect(rectInserted.left - w, t.top, rectInserted.left, t.bottom);
            rectOriginal.right = rectSlider.left;
        } else {
            rectInserted.SetRect(t.left, t.top, t.left + size, t.bottom);
            rectSlider.SetRect(rectInserted.right, t.top, rectInserted.right + w, t.bottom);
            rectOriginal.left = rectSlider.right;
        }
    }
    return TRUE;
}
