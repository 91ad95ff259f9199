// COleDropTarget: a window's side of drag and drop. Registered for a window,
// it receives the drags that pass over it and hands each step to its virtual
// functions, with the data and the point in the window's client coordinates.
#pragma once

#include <ole2.h>

#include "platform/com/object.h"
#include "platform/ui/cmd_target.h"
#include "platform/ui/geometry.h"
#include "platform/ui/ole_data_object.h"
#include "platform/ui/ole_drop_effect.h"

class CWnd;
class OleDropTargetSite;

class COleDropTarget : public CCmdTarget {
public:
    COleDropTarget();
    // Revokes the registration.
    ~COleDropTarget() override;
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // Makes this the window's drop target (RegisterDragDrop). FALSE when OLE
    // is not initialised on the thread, the window already has a drop target
    // or this object is registered already.
    BOOL Register(CWnd* pWnd);
    // Ends the registration; drags no longer reach this object.
    void Revoke();

    // The steps of a drag over the window. Enter and over answer the effect
    // the drop would have (DROPEFFECT_NONE: refused); the answer is limited
    // to the effects the source allows. The defaults refuse.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // The drop: OnDropEx first, with the effect OnDragOver answers at the
    // drop point and the effects the source allows; when it answers
    // (DROPEFFECT)-1 (the default), OnDrop decides with that effect, which
    // then stands when it answers TRUE.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // Asked before each OnDragOver; an answer with DROPEFFECT_SCROLL is the
    // step's answer instead. The default does not scroll.
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

private:
    friend class OleDropTargetSite;
    DWORD DragEnter(IDataObject* data, DWORD keyState, POINTL screen, DWORD allowed);
    DWORD DragOver(DWORD keyState, POINTL screen, DWORD allowed);
    void DragLeave();
    DWORD Drop(IDataObject* data, DWORD keyState, POINTL screen, DWORD allowed);
    CPoint ClientPoint(POINTL screen) const;

    HWND m_hWnd;
    // What OLE holds while the window is registered.
    tvx::com::ComPtr<tvx::com::ComObject<OleDropTargetSite>> m_site;
    // The data of the drag now over the window.
    COleDataObject m_dataObject;
};
