#include "toolkit/foundation/visual_manager_winxp.h"

#include <vssym32.h>

#include "platform/ui/app.h"
#include "toolkit/controls/button.h"
#include "toolkit/foundation/global_data.h"

IMPLEMENT_DYNCREATE(CWtkWinXPVisualManager, CWtkVisualManagerXP)

namespace {

template <class TProc>
TProc EntryPoint(HMODULE hModule, LPCSTR lpszName)
{
    return reinterpret_cast<TProc>(reinterpret_cast<void*>(::GetProcAddress(hModule, lpszName)));
}

}  // namespace

void CWtkWinXPVisualManager::ThemeHandle::Reset(HTHEME hTheme, WtkThemeEntryPoints::CloseThemeDataProc pfnClose)
{
    if (m_hTheme && m_pfnClose)
        m_pfnClose(m_hTheme);
    m_hTheme = hTheme;
    m_pfnClose = pfnClose;
}

CWtkWinXPVisualManager::CWtkWinXPVisualManager(BOOL bIsTemporary) : CWtkVisualManagerXP(bIsTemporary)
{
    m_library.reset(::LoadLibraryA("UxTheme.dll"));
    if (m_library) {
        HMODULE library = m_library.get();
        m_api.pfnOpenThemeData = EntryPoint<WtkThemeEntryPoints::OpenThemeDataProc>(library, "OpenThemeData");
        m_api.pfnCloseThemeData = EntryPoint<WtkThemeEntryPoints::CloseThemeDataProc>(library, "CloseThemeData");
        m_api.pfnDrawThemeBackground =
            EntryPoint<WtkThemeEntryPoints::DrawThemeBackgroundProc>(library, "DrawThemeBackground");
        OnUpdateSystemColors();
    }

    // The task panes keep the classic spacing in this look.
    SetClassicGroupMetrics();
}

CWtkWinXPVisualManager::~CWtkWinXPVisualManager()
{
    CloseThemes();
}

LPCWSTR CWtkWinXPVisualManager::ThemeClassName(ThemeClass nClass)
{
    static const LPCWSTR names[ThemeClassCount] = {L"TOOLBAR",  L"REBAR",    L"BUTTON", L"STATUS",    L"WINDOW",
                                                   L"COMBOBOX", L"PROGRESS", L"HEADER", L"SCROLLBAR", L"EXPLORERBAR"};
    return nClass >= 0 && nClass < ThemeClassCount ? names[nClass] : nullptr;
}

void CWtkWinXPVisualManager::CloseThemes()
{
    for (ThemeHandle& theme : m_themes)
        theme.Reset();
}

BOOL CWtkWinXPVisualManager::IsWinXPThemeAvailable()
{
    CWtkVisualManager* current = CWtkVisualManager::GetInstance();
    if (current && current->IsKindOf(RUNTIME_CLASS(CWtkWinXPVisualManager)))
        return static_cast<CWtkWinXPVisualManager*>(current)->GetTheme(ThemeWindow) != nullptr;

    // A temporary manager neither becomes current nor clears the current one.
    CWtkWinXPVisualManager probe(TRUE);
    return probe.GetTheme(ThemeWindow) != nullptr;
}

void CWtkWinXPVisualManager::OnUpdateSystemColors()
{
    CWtkVisualManagerXP::OnUpdateSystemColors();

    // The raised images of the Office-XP look serve while no visual style
    // is active.
    m_bShadowHighlightedImage = TRUE;
    if (!m_library || !m_api.IsComplete())
        return;

    CloseThemes();
    CWnd* main = AfxGetMainWnd();
    const HWND owner = main ? main->GetSafeHwnd() : nullptr;
    static const ThemeClass openOrder[ThemeClassCount] = {ThemeToolbar,   ThemeButton,     ThemeStatus,   ThemeWindow,
                                                          ThemeRebar,     ThemeComboBox,   ThemeProgress, ThemeHeader,
                                                          ThemeScrollBar, ThemeExplorerBar};
    for (ThemeClass nClass : openOrder)
        m_themes[nClass].Reset(m_api.pfnOpenThemeData(owner, ThemeClassName(nClass)), m_api.pfnCloseThemeData);

    if (m_themes[ThemeWindow].Get())
        m_bShadowHighlightedImage = FALSE;
}

void CWtkWinXPVisualManager::DrawThemePart(ThemeClass nClass, CDC* pDC, int nPart, int nState, const CRect& rect) const
{
    if (m_themes[nClass].Get() && m_api.pfnDrawThemeBackground)
        m_api.pfnDrawThemeBackground(m_themes[nClass].Get(), pDC->GetSafeHdc(), nPart, nState, &rect, nullptr);
}

CSize CWtkWinXPVisualManager::GetButtonExtraBorder() const
{
    return GetTheme(ThemeWindow) ? CSize(2, 2) : CSize(0, 0);
}

BOOL CWtkWinXPVisualManager::DrawButtonFace(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed)
{
    if (!GetTheme(ThemeButton)) {
        ::FillRect(pDC->GetSafeHdc(), &rect, WtkGlobalData().m_brBtnFace);
        return TRUE;
    }
    CRect face = rect;
    face.InflateRect(1, 1);
    ::FillRect(pDC->GetSafeHdc(), &face, WtkGlobalData().m_brBtnFace);
    const int state = bIsPressed ? PBS_PRESSED : (bIsHighlighted ? PBS_HOT : PBS_NORMAL);
    DrawThemePart(ThemeButton, pDC, BP_PUSHBUTTON, state, rect);
    return TRUE;
}

BOOL CWtkWinXPVisualManager::IsWinXPLook()
{
    return TRUE;
}

BOOL CWtkWinXPVisualManager::DrawPushButton(CDC* pDC, CRect rect, CWtkButton* pButton, UINT)
{
    if (!GetTheme(ThemeButton) || !pButton)
        return FALSE;

    ::FillRect(pDC->GetSafeHdc(), &rect, WtkGlobalData().m_brBtnFace);
    const HWND hwnd = pButton->GetSafeHwnd();
    int state = PBS_NORMAL;
    if (hwnd && !::IsWindowEnabled(hwnd))
        state = PBS_DISABLED;
    else if ((pButton->IsPushed() && pButton->IsHighlighted()) ||
             (hwnd && ::SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED))
        state = PBS_PRESSED;
    else if (pButton->IsHighlighted())
        state = PBS_HOT;
    DrawThemePart(ThemeButton, pDC, BP_PUSHBUTTON, state, rect);
    return TRUE;
}
