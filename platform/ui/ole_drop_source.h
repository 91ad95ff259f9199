// COleDropSource: the source's side of a drag (IDropSource): when the drag
// begins, when it ends, and the cursor shown meanwhile.
#pragma once

#include <ole2.h>

#include "platform/ui/cmd_target.h"
#include "platform/ui/geometry.h"
#include "platform/ui/ole_drop_effect.h"

class CWnd;

class COleDropSource : public CCmdTarget {
public:
    COleDropSource();
    ~COleDropSource() override;
    COleDropSource(const COleDropSource&) = delete;
    COleDropSource& operator=(const COleDropSource&) = delete;

    // Asked while the drag runs: DRAGDROP_S_CANCEL when Escape was pressed,
    // DRAGDROP_S_DROP when the button that began the drag is up, else S_OK.
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    // Asked after each answer of the target: the default cursors.
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
    // Asked before the drag: waits while the button is held and the pointer
    // stays inside the start rectangle; TRUE once the pointer leaves it (at
    // once without a rectangle), FALSE when the button is released or Escape
    // pressed first. pWnd is the window that has the mouse capture or the
    // focus (null when neither is of this thread).
    virtual BOOL OnBeginDrag(CWnd* pWnd);

protected:
    // Screen coordinates; empty when the drag starts at once.
    CRect m_rectStartDrag;
    // MK_LBUTTON or MK_RBUTTON: the button whose release drops.
    DWORD m_dwButtonDrop;

private:
    friend class COleDataSource;
    // The drag of data offered by data, from start to end.
    DROPEFFECT RunDrag(IDataObject* data, DWORD effects, LPCRECT startRect);
};
