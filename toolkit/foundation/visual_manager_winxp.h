// CWtkWinXPVisualManager: draws toolkit parts with the platform's visual
// styles when the theme library "UxTheme.dll" is there and a visual style is
// active, and otherwise looks exactly like the Office-XP manager it derives
// from. Every hook tests the theme class it needs and falls back to the
// Office-XP (or classic) drawing when that class is not open.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include <memory>

#include "toolkit/foundation/visual_manager_xp.h"

// The theme library's entry points the manager draws through, taken by name
// from the library it loaded.
struct WtkThemeEntryPoints {
    using OpenThemeDataProc = HTHEME(WINAPI*)(HWND hwnd, LPCWSTR pszClassList);
    using CloseThemeDataProc = HRESULT(WINAPI*)(HTHEME hTheme);
    using DrawThemeBackgroundProc = HRESULT(WINAPI*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                                     const RECT* pRect, const RECT* pClipRect);

    OpenThemeDataProc pfnOpenThemeData = nullptr;
    CloseThemeDataProc pfnCloseThemeData = nullptr;
    DrawThemeBackgroundProc pfnDrawThemeBackground = nullptr;

    BOOL IsComplete() const { return pfnOpenThemeData && pfnCloseThemeData && pfnDrawThemeBackground; }
};

class CWtkWinXPVisualManager : public CWtkVisualManagerXP {
    DECLARE_DYNCREATE(CWtkWinXPVisualManager)
public:
    // The theme classes the manager opens, in the order of its fields.
    enum ThemeClass {
        ThemeToolbar,
        ThemeRebar,
        ThemeButton,
        ThemeStatus,
        ThemeWindow,
        ThemeComboBox,
        ThemeProgress,
        ThemeHeader,
        ThemeScrollBar,
        ThemeExplorerBar,
        ThemeClassCount
    };

    // Loads the theme library and opens the themes; a missing library or
    // entry point leaves every theme closed.
    explicit CWtkWinXPVisualManager(BOOL bIsTemporary = FALSE);
    // Closes every open theme and frees the library.
    ~CWtkWinXPVisualManager() override;

    // Whether a visual style is active: the current manager's WINDOW theme
    // when it is a manager of this class, else that of a temporary one,
    // which leaves the current manager as it is. (The current manager is
    // the one GetInstance answers, created when there is none.)
    static BOOL IsWinXPThemeAvailable();

    // The theme class's own name, as the theme library expects it.
    static LPCWSTR ThemeClassName(ThemeClass nClass);
    // The open theme of a class, null when it is not open.
    HTHEME GetTheme(ThemeClass nClass) const { return m_themes[nClass].Get(); }
    BOOL IsThemeLibraryLoaded() const { return m_library != nullptr; }
    const WtkThemeEntryPoints& GetThemeEntryPoints() const { return m_api; }
    // Draws through other entry points from now on (a test's stand-ins that
    // record the calls); the themes open now stay open until the next
    // OnUpdateSystemColors.
    void SetThemeEntryPoints(const WtkThemeEntryPoints& api) { m_api = api; }

    // The Office-XP palette, then every theme closed and opened again for
    // the thread's main window.
    void OnUpdateSystemColors() override;

    void FillBarBackground(CDC* pDC, CWtkBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                           BOOL bNCArea = FALSE) override;
    void DrawDoubleBorder(CDC* pDC, CWtkPopupMenu* pMenu, CRect rect) override;
    void DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CWtkBaseControlBar* pBar) override;
    void DrawSeparator(CDC* pDC, CWtkBaseControlBar* pBar, CRect rect, BOOL bHorz) override;
    void DrawCaptionButton(CDC* pDC, CWtkCaptionButton* pButton, BOOL bActive, BOOL bHorz, BOOL bMaximized,
                           BOOL bDisabled) override;
    void DrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle, BOOL bHighlight) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CWtkStatusBar* pBar, CRect rectPane, UINT uiID, UINT nStyle) override;
    void DrawStatusBarProgress(CDC* pDC, CWtkStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                               int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                               COLORREF clrProgressText, BOOL bProgressText) override;
    void DrawStatusBarSizeBox(CDC* pDC, CWtkStatusBar* pStatusBar, CRect rectSizeBox) override;
    void DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                             CWtkToolbarButton* pButton) override;
    void DrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted, BOOL bIsDropped,
                         CWtkToolbarButton* pButton) override;
    void DrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted, CWtkToolbarButton* pButton) override;
    void FillButtonInterior(CDC* pDC, CWtkToolbarButton* pButton, CRect rect, int nState) override;
    void DrawButtonBorder(CDC* pDC, CWtkToolbarButton* pButton, CRect rect, int nState) override;
    COLORREF HighlightMenuItem(CDC* pDC, CWtkToolbarMenuButton* pButton, CRect rect) override;
    COLORREF FillCommandsListItem(CDC* pDC, CRect rect, BOOL bIsSelected) override;
    CSize GetButtonExtraBorder() const override;
    void DrawHeaderItemBorder(CWtkHeaderCtrl* pHeader, CDC* pDC, CRect& rect, BOOL bIsPressed,
                              BOOL bIsHighlighted = FALSE) override;
    void DrawHeaderSortArrow(CDC* pDC, CRect rect, BOOL bIsUp) override;
    void FillTaskPaneBackground(CDC* pDC, CRect rect) override;
    void DrawTaskGroupCaption(CDC* pDC, CWtkTaskGroup* pGroup, BOOL bIsHighlighted, BOOL bUnused,
                              BOOL bCanCollapse) override;
    void FillTaskGroupBackground(CDC* pDC, CRect rect, BOOL bSpecial) override;

    // A button face in the platform's look: the rectangle grown by one pixel
    // filled with the face colour, then the themed push button (without the
    // BUTTON theme only the face fill). Answers TRUE.
    virtual BOOL DrawButtonFace(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed);
    // TRUE: this manager stands for the platform's own look.
    virtual BOOL IsWinXPLook();
    // A toolkit push button (owner-drawn, themed drawing switched on) in the
    // platform's look: face fill, then the themed push button for the
    // button's state. Answers FALSE, having drawn nothing, without the
    // BUTTON theme, so that the button draws itself.
    virtual BOOL DrawPushButton(CDC* pDC, CRect rect, CWtkButton* pButton, UINT uiState);

private:
    // One open theme, closed through the library's entry point that was
    // current when it was opened.
    class ThemeHandle {
    public:
        ThemeHandle() = default;
        ~ThemeHandle() { Reset(); }
        ThemeHandle(const ThemeHandle&) = delete;
        ThemeHandle& operator=(const ThemeHandle&) = delete;

        HTHEME Get() const { return m_hTheme; }
        void Reset(HTHEME hTheme = nullptr, WtkThemeEntryPoints::CloseThemeDataProc pfnClose = nullptr);

    private:
        HTHEME m_hTheme = nullptr;
        WtkThemeEntryPoints::CloseThemeDataProc m_pfnClose = nullptr;
    };

    struct LibraryDeleter {
        void operator()(HINSTANCE__* hModule) const { ::FreeLibrary(hModule); }
    };

    // Draws a part of an open theme over the rectangle, unclipped.
    void DrawThemePart(ThemeClass nClass, CDC* pDC, int nPart, int nState, const CRect& rect) const;
    void CloseThemes();

    // Declared before the themes, so that it outlives them.
    std::unique_ptr<HINSTANCE__, LibraryDeleter> m_library;
    WtkThemeEntryPoints m_api;
    ThemeHandle m_themes[ThemeClassCount];
};
