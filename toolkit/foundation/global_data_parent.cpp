#include "toolkit/foundation/global_data.h"

namespace {

using DrawThemeParentBackgroundProc = HRESULT(WINAPI*)(HWND, HDC, const RECT*);

// While it lives, the DC is clipped to a rectangle (when one is given); the
// DC's own clip region comes back afterwards.
class ScopedClip {
public:
    ScopedClip(HDC dc, const RECT* rect) : m_dc(dc)
    {
        if (!rect)
            return;
        m_active = true;
        m_previous = ::CreateRectRgn(0, 0, 0, 0);
        m_hadRegion = m_previous && ::GetClipRgn(dc, m_previous) == 1;
        // Clip regions are in device units.
        RECT device = *rect;
        ::LPtoDP(dc, reinterpret_cast<POINT*>(&device), 2);
        HRGN clip = ::CreateRectRgnIndirect(&device);
        ::SelectClipRgn(dc, clip);
        if (clip)
            ::DeleteObject(clip);
    }
    ~ScopedClip()
    {
        if (m_active)
            ::SelectClipRgn(m_dc, m_hadRegion ? m_previous : nullptr);
        if (m_previous)
            ::DeleteObject(m_previous);
    }
    ScopedClip(const ScopedClip&) = delete;
    ScopedClip& operator=(const ScopedClip&) = delete;

private:
    HDC m_dc;
    bool m_active = false;
    bool m_hadRegion = false;
    HRGN m_previous = nullptr;
};

}  // namespace

BOOL CWtkGlobalData::DrawParentBackground(CWnd* pWnd, CDC* pDC, LPRECT pRect)
{
    if (!pWnd || !pWnd->GetSafeHwnd() || !pDC || !pDC->GetSafeHdc())
        return FALSE;
    HWND window = pWnd->GetSafeHwnd();
    HDC dc = pDC->GetSafeHdc();
    ScopedClip clip(dc, pRect);

    if (!m_hinstUXThemeDLL)
        m_hinstUXThemeDLL = ::LoadLibraryA("UxTheme.dll");
    if (m_hinstUXThemeDLL) {
        auto drawThemed = reinterpret_cast<DrawThemeParentBackgroundProc>(
            reinterpret_cast<void*>(::GetProcAddress(m_hinstUXThemeDLL, "DrawThemeParentBackground")));
        // The rectangle is passed as the clip region only: Wine's theme
        // library places the parent's picture at the rectangle's corner
        // rather than at the child's origin when it is given one.
        if (drawThemed && SUCCEEDED(drawThemed(window, dc, nullptr)))
            return TRUE;
    }

    HWND parent = ::GetParent(window);
    if (!parent)
        return FALSE;
    POINT origin = {0, 0};
    ::MapWindowPoints(window, parent, &origin, 1);
    POINT previousOrigin = {};
    ::OffsetWindowOrgEx(dc, origin.x, origin.y, &previousOrigin);
    const LRESULT painted = ::SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::SetWindowOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
    return painted != 0;
}

CFrameWnd* WtkGetParentFrame(const CWnd* pWnd)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return nullptr;
    for (CWnd* wnd = pWnd->GetParent(); wnd; wnd = wnd->GetParent()) {
        if (CFrameWnd* frame = wnd->AsFrameWnd())
            return frame;
    }
    return nullptr;
}
