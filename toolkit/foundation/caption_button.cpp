#include "toolkit/foundation/caption_button.h"

#include "toolkit/controls/menu_images.h"
#include "toolkit/foundation/visual_manager.h"

CSize CWtkCaptionButton::GetSize() const
{
    if (m_bHidden)
        return CSize(0, 0);
    const CSize glyph = CWtkMenuImages::Size();
    const CSize extra = CWtkVisualManager::GetInstance()->GetButtonExtraBorder();
    return CSize(glyph.cx + 4 + extra.cx, glyph.cy + 4 + extra.cy);
}
