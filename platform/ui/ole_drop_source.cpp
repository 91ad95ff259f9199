#include "platform/ui/ole_drop_source.h"

#include "platform/com/object.h"
#include "platform/ui/wnd.h"

namespace {

// The IDropSource OLE calls during one drag. It outlives the drag when OLE
// keeps a reference, so it forwards to the drop source only while the drag
// runs.
class DropSourceSite : public tvx::com::ComClass<DropSourceSite>, public IDropSource {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {Interface<IDropSource>()};
        return entries;
    }

    void Bind(COleDropSource* owner) { m_owner = owner; }

    STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override
    {
        if (m_owner == nullptr)
            return DRAGDROP_S_CANCEL;
        try {
            return m_owner->QueryContinueDrag(escapePressed, keyState);
        } catch (...) {
            // No exception may cross into OLE's loop.
            return DRAGDROP_S_CANCEL;
        }
    }
    STDMETHODIMP GiveFeedback(DWORD effect) override
    {
        if (m_owner == nullptr)
            return DRAGDROP_S_USEDEFAULTCURSORS;
        try {
            return m_owner->GiveFeedback(effect);
        } catch (...) {
            return DRAGDROP_S_USEDEFAULTCURSORS;
        }
    }

private:
    COleDropSource* m_owner = nullptr;
};

// Unbinds the site whichever way the drag ends.
class SiteBinding {
public:
    SiteBinding(DropSourceSite& site, COleDropSource* owner) : m_site(site) { m_site.Bind(owner); }
    ~SiteBinding() { m_site.Bind(nullptr); }
    SiteBinding(const SiteBinding&) = delete;
    SiteBinding& operator=(const SiteBinding&) = delete;

private:
    DropSourceSite& m_site;
};

bool KeyDown(int virtualKey)
{
    return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

// The window of this thread that OnBeginDrag is told about.
CWnd* DragWindow()
{
    HWND window = ::GetCapture();
    if (window == nullptr)
        window = ::GetFocus();
    if (window == nullptr || ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId())
        return nullptr;
    return CWnd::FromHandle(window);
}

}  // namespace

COleDropSource::COleDropSource() : m_rectStartDrag(), m_dwButtonDrop(MK_LBUTTON) {}

COleDropSource::~COleDropSource() = default;

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed)
        return DRAGDROP_S_CANCEL;
    if ((dwKeyState & m_dwButtonDrop) == 0)
        return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

BOOL COleDropSource::OnBeginDrag(CWnd*)
{
    if (m_rectStartDrag.IsRectEmpty())
        return TRUE;
    // The real mouse is polled, as OLE's own drag loop does: the pointer may
    // leave this thread's windows, whose messages would then never come.
    // Input messages of this thread are eaten meanwhile, as the drag would.
    for (;;) {
        // A released button ends the wait first: a pointer that left the
        // rectangle after the release was a click, not a drag.
        if (KeyDown(VK_ESCAPE) || !KeyDown(m_dwButtonDrop == MK_RBUTTON ? VK_RBUTTON : VK_LBUTTON))
            return FALSE;
        POINT cursor;
        if (!::GetCursorPos(&cursor))
            return FALSE;
        if (!m_rectStartDrag.PtInRect(cursor))
            return TRUE;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // The loop that owns the quit message must still see it.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return FALSE;
            }
            const bool input = (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                               (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST);
            if (!input) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

DROPEFFECT COleDropSource::RunDrag(IDataObject* data, DWORD effects, LPCRECT startRect)
{
    m_dwButtonDrop = !KeyDown(VK_LBUTTON) && KeyDown(VK_RBUTTON) ? MK_RBUTTON : MK_LBUTTON;
    if (startRect != nullptr)
        m_rectStartDrag = *startRect;
    else
        m_rectStartDrag.SetRectEmpty();
    if (!OnBeginDrag(DragWindow()))
        return DROPEFFECT_NONE;

    tvx::com::ComPtr<tvx::com::ComObject<DropSourceSite>> site;
    if (FAILED(tvx::com::ComObject<DropSourceSite>::Create(site)))
        return DROPEFFECT_NONE;
    SiteBinding binding(*site.Get(), this);
    DWORD performed = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(data, site.Get(), effects, &performed);
    return hr == DRAGDROP_S_DROP ? performed : DROPEFFECT_NONE;
}
