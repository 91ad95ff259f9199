#include "platform/ui/ole_drop_target.h"

#include "platform/ui/ole_init.h"
#include "platform/ui/wnd.h"

// The IDropTarget registered for the window. OLE keeps references to it
// (also during a drag the window's owner may end), so it forwards to the
// drop target only while the registration lasts.
class OleDropTargetSite : public tvx::com::ComClass<OleDropTargetSite>, public IDropTarget {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {Interface<IDropTarget>()};
        return entries;
    }

    void Bind(COleDropTarget* owner) { m_owner = owner; }

    STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override
    {
        if (effect == nullptr)
            return E_INVALIDARG;
        return Step(effect, [&] { return m_owner->DragEnter(data, keyState, point, *effect); });
    }
    STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override
    {
        if (effect == nullptr)
            return E_INVALIDARG;
        return Step(effect, [&] { return m_owner->DragOver(keyState, point, *effect); });
    }
    STDMETHODIMP DragLeave() override
    {
        DWORD ignored = DROPEFFECT_NONE;
        return Step(&ignored, [&] {
            m_owner->DragLeave();
            return DWORD{DROPEFFECT_NONE};
        });
    }
    STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override
    {
        if (effect == nullptr)
            return E_INVALIDARG;
        return Step(effect, [&] { return m_owner->Drop(data, keyState, point, *effect); });
    }

private:
    template <class Call>
    HRESULT Step(DWORD* effect, Call call)
    {
        if (m_owner == nullptr) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        try {
            *effect = call();
        } catch (...) {
            // No exception may cross into OLE's drag loop; the step refuses.
            *effect = DROPEFFECT_NONE;
        }
        return S_OK;
    }

    COleDropTarget* m_owner = nullptr;
};

COleDropTarget::COleDropTarget() : m_hWnd(nullptr) {}

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || m_hWnd != nullptr || !AfxOleIsInitialized())
        return FALSE;
    tvx::com::ComPtr<tvx::com::ComObject<OleDropTargetSite>> site;
    if (FAILED(tvx::com::ComObject<OleDropTargetSite>::Create(site)))
        return FALSE;
    site->Bind(this);
    if (FAILED(::RegisterDragDrop(pWnd->GetSafeHwnd(), site.Get()))) {
        site->Bind(nullptr);
        return FALSE;
    }
    m_hWnd = pWnd->GetSafeHwnd();
    m_site = std::move(site);
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_site)
        m_site->Bind(nullptr);
    if (m_hWnd != nullptr)
        // Fails when the window is gone already; the site then forwards nothing.
        ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
    m_site.Reset();
    m_dataObject.Release();
}

CPoint COleDropTarget::ClientPoint(POINTL screen) const
{
    POINT point = {screen.x, screen.y};
    ::ScreenToClient(m_hWnd, &point);
    return point;
}

DWORD COleDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL screen, DWORD allowed)
{
    m_dataObject.Attach(data, FALSE);
    const DROPEFFECT effect = OnDragEnter(CWnd::FromHandle(m_hWnd), &m_dataObject, keyState, ClientPoint(screen));
    return effect & allowed;
}

DWORD COleDropTarget::DragOver(DWORD keyState, POINTL screen, DWORD allowed)
{
    CWnd* window = CWnd::FromHandle(m_hWnd);
    const CPoint point = ClientPoint(screen);
    const DROPEFFECT scroll = OnDragScroll(window, keyState, point);
    if (scroll & DROPEFFECT_SCROLL)
        return scroll & (allowed | DROPEFFECT_SCROLL);
    return OnDragOver(window, &m_dataObject, keyState, point) & allowed;
}

void COleDropTarget::DragLeave()
{
    OnDragLeave(CWnd::FromHandle(m_hWnd));
    m_dataObject.Release();
}

DWORD COleDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL screen, DWORD allowed)
{
    // Released however the drop ends.
    struct DataRelease {
        COleDataObject& data;
        ~DataRelease() { data.Release(); }
    } release{m_dataObject};
    m_dataObject.Attach(data, FALSE);
    CWnd* window = CWnd::FromHandle(m_hWnd);
    const CPoint point = ClientPoint(screen);
    const DROPEFFECT dropDefault = OnDragOver(window, &m_dataObject, keyState, point) & allowed;
    const DROPEFFECT chosen = OnDropEx(window, &m_dataObject, dropDefault, allowed, point);
    if (chosen != static_cast<DROPEFFECT>(-1))
        return chosen & allowed;
    if (dropDefault == DROPEFFECT_NONE)
        return DROPEFFECT_NONE;
    return OnDrop(window, &m_dataObject, dropDefault, point) ? dropDefault : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*) {}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return static_cast<DROPEFFECT>(-1);
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}
