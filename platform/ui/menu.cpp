#include "platform/ui/menu.h"

#include "platform/ui/app.h"
#include "platform/ui/ui_thread_state.h"
#include "platform/ui/wnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::CMenu() : m_hMenu(nullptr) {}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    UiThreadState& state = ThisUiThread();
    auto found = state.permanentMenus.find(hMenu);
    return found == state.permanentMenus.end() ? nullptr : found->second;
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    if (CMenu* permanent = FromHandlePermanent(hMenu))
        return permanent;
    UiThreadState& state = ThisUiThread();
    auto& temporary = state.temporaryMenus[hMenu];
    if (!temporary) {
        temporary.reset(new CMenu);
        temporary->m_hMenu = hMenu;
    }
    return temporary.get();
}

void CMenu::DeleteTempMap()
{
    UiThreadState& state = ThisUiThread();
    for (auto& entry : state.temporaryMenus)
        entry.second->m_hMenu = nullptr;
    state.temporaryMenus.clear();
}

void CMenu::AttachPermanent(HMENU hMenu)
{
    m_hMenu = hMenu;
    ThisUiThread().permanentMenus[hMenu] = this;
}

void CMenu::DetachPermanent()
{
    if (!m_hMenu)
        return;
    UiThreadState& state = ThisUiThread();
    auto found = state.permanentMenus.find(m_hMenu);
    if (found != state.permanentMenus.end() && found->second == this)
        state.permanentMenus.erase(found);
    m_hMenu = nullptr;
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (m_hMenu || !hMenu || !::IsMenu(hMenu))
        return FALSE;
    AttachPermanent(hMenu);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU menu = m_hMenu;
    DetachPermanent();
    return menu;
}

BOOL CMenu::CreateMenu()
{
    if (m_hMenu)
        return FALSE;
    HMENU menu = ::CreateMenu();
    if (!menu)
        return FALSE;
    AttachPermanent(menu);
    return TRUE;
}

BOOL CMenu::CreatePopupMenu()
{
    if (m_hMenu)
        return FALSE;
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return FALSE;
    AttachPermanent(menu);
    return TRUE;
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName)
{
    if (m_hMenu)
        return FALSE;
    HMENU menu = ::LoadMenuA(AfxFindResourceHandle(lpszResourceName, RT_MENU), lpszResourceName);
    if (!menu)
        return FALSE;
    AttachPermanent(menu);
    return TRUE;
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    if (m_hMenu)
        return FALSE;
    HMENU menu = ::LoadMenuIndirectA(lpMenuTemplate);
    if (!menu)
        return FALSE;
    AttachPermanent(menu);
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    HMENU menu = m_hMenu;
    DetachPermanent();
    return ::DestroyMenu(menu);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

DWORD CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}

UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos)
{
    return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags);
}

int CMenu::GetMenuItemCount() const
{
    return ::GetMenuItemCount(m_hMenu);
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    return ::GetMenuItemID(m_hMenu, nPos);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int length = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (length <= 0) {
        rString.Empty();
        return 0;
    }
    const int copied = ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBuffer(length), length + 1, nFlags);
    rString.ReleaseBuffer(copied);
    return copied;
}

BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFOA lpMenuItemInfo, BOOL fByPos)
{
    return ::GetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFOA lpMenuItemInfo, BOOL fByPos)
{
    return ::SetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
