#include "platform/ui/gdi_object.h"

#include <memory>

#include "platform/ui/bitmap.h"
#include "platform/ui/brush.h"
#include "platform/ui/font.h"
#include "platform/ui/handle_map.h"
#include "platform/ui/palette.h"
#include "platform/ui/pen.h"
#include "platform/ui/rgn.h"
#include "platform/ui/ui_thread_state.h"

namespace {

using GdiObjectMap = PermanentHandleMap<HGDIOBJ, CGdiObject>;

const CRuntimeClass* ClassOfHandle(HGDIOBJ hObject)
{
    switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return RUNTIME_CLASS(CPen);
    case OBJ_BRUSH:
        return RUNTIME_CLASS(CBrush);
    case OBJ_FONT:
        return RUNTIME_CLASS(CFont);
    case OBJ_BITMAP:
        return RUNTIME_CLASS(CBitmap);
    case OBJ_REGION:
        return RUNTIME_CLASS(CRgn);
    case OBJ_PAL:
        return RUNTIME_CLASS(CPalette);
    default:
        return RUNTIME_CLASS(CGdiObject);
    }
}

}  // namespace

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

CGdiObject::CGdiObject() : m_hObject(nullptr) {}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return FromHandleOfClass(hObject, nullptr);
}

CGdiObject* CGdiObject::FromHandleOfClass(HGDIOBJ hObject, const CRuntimeClass* wanted)
{
    if (!hObject)
        return nullptr;
    if (CGdiObject* owner = GdiObjectMap::Instance().Find(hObject))
        return wanted == nullptr || owner->IsKindOf(wanted) ? owner : nullptr;
    const CRuntimeClass* runtime_class = wanted ? wanted : ClassOfHandle(hObject);
    UiThreadState& state = ThisUiThread();
    auto& temporary = state.temporaryGdiObjects[hObject];
    if (temporary && !temporary->IsKindOf(runtime_class)) {
        // The handle was freed and reused for an object of another kind
        // since: the old object may still be held until idle.
        temporary->m_hObject = nullptr;
        state.retiredGdiObjects.push_back(std::move(temporary));
    }
    if (!temporary) {
        temporary.reset(static_cast<CGdiObject*>(runtime_class->CreateObject()));
        temporary->m_hObject = hObject;
    }
    return temporary.get();
}

void CGdiObject::DeleteTempMap()
{
    UiThreadState& state = ThisUiThread();
    auto temporary = std::move(state.temporaryGdiObjects);
    auto retired = std::move(state.retiredGdiObjects);
    state.temporaryGdiObjects.clear();
    state.retiredGdiObjects.clear();
    // A temporary object never owns its handle: let go of it before deleting.
    for (auto& entry : temporary)
        entry.second->m_hObject = nullptr;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (m_hObject || !hObject || ::GetObjectType(hObject) == 0)
        return FALSE;
    if (!GdiObjectMap::Instance().Add(hObject, this))
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

BOOL CGdiObject::AttachCreated(HGDIOBJ hObject)
{
    if (!hObject)
        return FALSE;
    if (!Attach(hObject)) {
        ::DeleteObject(hObject);
        return FALSE;
    }
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject)
        GdiObjectMap::Instance().Remove(hObject, this);
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    HGDIOBJ hObject = Detach();
    return ::DeleteObject(hObject);
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObjectA(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return m_hObject ? static_cast<UINT>(::GetObjectType(m_hObject)) : 0;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    if (m_hObject)
        return FALSE;
    // Stock objects belong to the system and have no single owner: any
    // number of objects may hold one, and deleting it does nothing.
    m_hObject = ::GetStockObject(nIndex);
    return m_hObject != nullptr;
}

BOOL CGdiObject::UnrealizeObject()
{
    return ::UnrealizeObject(m_hObject);
}
