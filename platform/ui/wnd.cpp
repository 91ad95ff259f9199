// CWnd: handle maps, attaching and subclassing, creation and destruction.
#include "platform/ui/wnd.h"

#include <cstring>

#include "platform/ui/app.h"
#include "platform/ui/ui_thread_state.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

LRESULT CALLBACK FrameworkWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FrameworkDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

// Windows the system creates on its own while a program window is being
// created (input-method windows), which must not take the program's object.
bool IsSystemHelperWindow(HWND hWnd)
{
    char className[32] = "";
    ::GetClassNameA(hWnd, className, sizeof(className));
    return lstrcmpiA(className, "IME") == 0 || lstrcmpiA(className, "MSCTFIME UI") == 0;
}

}  // namespace

// The thread's creation hook: the first window created while CreateEx (or a
// dialog or property-sheet creation) waits for it becomes the object's
// window, before the window's first message.
LRESULT CALLBACK FrameworkCreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    UiThreadState& state = ThisUiThread();
    if (code == HCBT_CREATEWND && state.creating) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        char className[16] = "";
        ::GetClassNameA(hWnd, className, sizeof(className));
        const bool wanted = !IsSystemHelperWindow(hWnd) &&
                            (!state.creatingDialogOnly || lstrcmpA(className, "#32770") == 0);
        if (wanted) {
            CWnd* wnd = state.creating;
            state.creating = nullptr;
            state.creatingDialogOnly = false;
            wnd->AttachPermanent(hWnd);
            try {
                wnd->PreSubclassWindow();
            } catch (...) {
                ::OutputDebugStringA("PreSubclassWindow threw; the exception was dropped\n");
            }
            wnd->Subclass();
        }
    }
    return ::CallNextHookEx(state.creationHook, code, wParam, lParam);
}

void ArmCreation(CWnd* wnd, bool dialogOnly)
{
    UiThreadState& state = ThisUiThread();
    if (!state.creationHook)
        state.creationHook = ::SetWindowsHookExA(WH_CBT, FrameworkCreationHook, nullptr, ::GetCurrentThreadId());
    state.creating = wnd;
    state.creatingDialogOnly = dialogOnly;
}

CreationScope::CreationScope(CWnd* wnd)
    : m_state(ThisUiThread()), m_previous(m_state.creating), m_previousDialogOnly(m_state.creatingDialogOnly)
{
    ArmCreation(wnd, false);
}

CreationScope::~CreationScope()
{
    m_state.creating = m_previous;
    m_state.creatingDialogOnly = m_previousDialogOnly;
}

CWnd::CWnd()
    : m_hWnd(nullptr),
      m_hWndOwner(nullptr),
      m_nFlags(0),
      m_pfnSuper(nullptr),
      m_nModalResult(0),
      m_inCreation(false),
      m_endedInCreation(false)
{
}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        // The derived parts are gone: the window's last messages reach only
        // this level, and it must not delete the object again.
        HWND hWnd = m_hWnd;
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
        if (m_hWnd == hWnd) {
            UiThreadState& state = ThisUiThread();
            state.permanentWindows.erase(hWnd);
            m_hWnd = nullptr;
        }
    }
}

// ---------------------------------------------------------------------------
// Handle maps
// ---------------------------------------------------------------------------

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    UiThreadState& state = ThisUiThread();
    auto found = state.permanentWindows.find(hWnd);
    return found == state.permanentWindows.end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hWnd))
        return permanent;
    UiThreadState& state = ThisUiThread();
    auto& temporary = state.temporaryWindows[hWnd];
    if (!temporary) {
        temporary.reset(new CWnd);
        temporary->m_hWnd = hWnd;
    }
    return temporary.get();
}

void CWnd::DeleteTempMap()
{
    UiThreadState& state = ThisUiThread();
    // A temporary object never owns its window: let go of it before deleting.
    auto temporary = std::move(state.temporaryWindows);
    state.temporaryWindows.clear();
    for (auto& entry : temporary)
        entry.second->m_hWnd = nullptr;
}

void CWnd::AttachPermanent(HWND hWnd)
{
    m_hWnd = hWnd;
    UiThreadState& state = ThisUiThread();
    state.permanentWindows[hWnd] = this;
    // A temporary object made earlier for this handle would now lie.
    auto temporary = state.temporaryWindows.find(hWnd);
    if (temporary != state.temporaryWindows.end()) {
        temporary->second->m_hWnd = nullptr;
        state.temporaryWindows.erase(temporary);
    }
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (m_hWnd || !hWndNew || !::IsWindow(hWndNew) || FromHandlePermanent(hWndNew))
        return FALSE;
    AttachPermanent(hWndNew);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return nullptr;
    if (m_pfnSuper) {
        // A window whose procedure still leads to this object would call a
        // dead object: give it back its own procedure.
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == FrameworkWindowProc)
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    UiThreadState& state = ThisUiThread();
    auto found = state.permanentWindows.find(hWnd);
    if (found != state.permanentWindows.end() && found->second == this)
        state.permanentWindows.erase(found);
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::Subclass()
{
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameworkWindowProc)));
    if (previous != FrameworkWindowProc)
        m_pfnSuper = previous;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    try {
        PreSubclassWindow();
    } catch (...) {
        Detach();
        return FALSE;
    }
    Subclass();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent || !pParent->m_hWnd)
        return FALSE;
    HWND control = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    return Detach();
}

// ---------------------------------------------------------------------------
// Creation and destruction
// ---------------------------------------------------------------------------

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    BOOL prepared = FALSE;
    try {
        prepared = PreCreateWindow(cs);
    } catch (...) {
        prepared = FALSE;
    }
    if (!prepared) {
        PostNcDestroy();
        return FALSE;
    }

    m_inCreation = true;
    m_endedInCreation = false;
    HWND hWnd;
    {
        CreationScope scope(this);
        hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                                 cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    }
    m_inCreation = false;

    if (hWnd && !m_endedInCreation && m_hWnd == hWnd)
        return TRUE;
    if (hWnd && !m_hWnd && !m_endedInCreation) {
        // The hook did not see the window (a system that creates windows
        // without it): take the window over now, late but working.
        if (SubclassWindow(hWnd))
            return TRUE;
        ::DestroyWindow(hWnd);
    }
    // The creation failed. The system has destroyed the window; an object
    // still holding the handle was not told.
    if (m_hWnd && !::IsWindow(m_hWnd)) {
        m_pfnSuper = nullptr;
        Detach();
    } else if (m_hWnd) {
        HWND leftover = m_hWnd;
        ::DestroyWindow(leftover);
        if (m_hWnd == leftover)
            Detach();
    }
    PostNcDestroy();
    return FALSE;
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (m_hWnd || !lpDialogTemplate)
        return FALSE;
    HWND hWnd;
    m_inCreation = true;
    m_endedInCreation = false;
    {
        CreationScope scope(this);
        hWnd = ::CreateDialogIndirectParamA(hInst ? hInst : AfxGetResourceHandle(), lpDialogTemplate,
                                            pParentWnd ? pParentWnd->m_hWnd : nullptr,
                                            FrameworkDialogProc, 0);
    }
    m_inCreation = false;
    if (hWnd && !m_endedInCreation && m_hWnd == hWnd)
        return TRUE;
    if (m_hWnd) {
        HWND leftover = m_hWnd;
        if (::IsWindow(leftover))
            ::DestroyWindow(leftover);
        if (m_hWnd == leftover)
            Detach();
    }
    if (m_endedInCreation)
        PostNcDestroy();
    return FALSE;
}

BOOL CWnd::CreateDlg(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    HINSTANCE instance = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC resource = ::FindResourceA(instance, lpszTemplateName, RT_DIALOG);
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    const void* dialogTemplate = loaded ? ::LockResource(loaded) : nullptr;
    if (!dialogTemplate)
        return FALSE;
    return CreateDlgIndirect(static_cast<LPCDLGTEMPLATEA>(dialogTemplate), pParentWnd, instance);
}

BOOL CWnd::ExecuteDlgInit(LPCSTR lpszResourceName)
{
    if (!lpszResourceName)
        return TRUE;
    HINSTANCE instance = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEA(240));
    HRSRC resource = ::FindResourceA(instance, lpszResourceName, MAKEINTRESOURCEA(240));
    if (!resource)
        return TRUE;  // a template without initialisation data
    HGLOBAL loaded = ::LoadResource(instance, resource);
    void* data = loaded ? ::LockResource(loaded) : nullptr;
    return data ? ExecuteDlgInit(data) : FALSE;
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    if (!lpResource)
        return TRUE;
    // Records of: control id (16 bits), message (16 bits), length (32 bits),
    // then that many bytes of text; a zero control id ends the list.
    const BYTE* cursor = static_cast<const BYTE*>(lpResource);
    for (;;) {
        WORD control;
        std::memcpy(&control, cursor, sizeof(control));
        if (control == 0)
            return TRUE;
        WORD message;
        DWORD length;
        std::memcpy(&message, cursor + 2, sizeof(message));
        std::memcpy(&length, cursor + 4, sizeof(length));
        const char* text = reinterpret_cast<const char*>(cursor + 8);
        // The records name the 16-bit messages of list and combo boxes.
        UINT message32 = message;
        if (message == 0x0403)
            message32 = CB_ADDSTRING;
        else if (message == 0x0401)
            message32 = LB_ADDSTRING;
        if (message32 == CB_ADDSTRING || message32 == LB_ADDSTRING) {
            const LRESULT added = ::SendDlgItemMessageA(m_hWnd, control, message32, 0,
                                                        reinterpret_cast<LPARAM>(text));
            if (added == CB_ERR || added == CB_ERRSPACE)
                return FALSE;
        }
        cursor += 8 + length;
    }
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND hWnd = m_hWnd;
    const bool permanent = FromHandlePermanent(hWnd) == this;
    const BOOL destroyed = ::DestroyWindow(hWnd);
    // A window that was attached without its messages running through the
    // object never told the object of its end.
    if (destroyed && permanent && FromHandlePermanent(hWnd) == this) {
        Detach();
    } else if (destroyed && !permanent) {
        m_hWnd = nullptr;
    }
    return destroyed;
}

void CWnd::FinishNcDestroy()
{
    ForgetToolsOfWindow(m_hWnd);
    Detach();
    if (m_inCreation) {
        // CreateEx still runs on this object: it calls PostNcDestroy last.
        m_endedInCreation = true;
        return;
    }
    PostNcDestroy();
}
