// CWtkGlobalData: what the toolkit's drawing code needs from the system,
// cached once per process (colours and brushes, fonts, metrics, docking
// constants, cursors, the theme library), and the free helpers every
// toolkit window uses beside it.
#pragma once

#include <windows.h>

#include "platform/ui/brush.h"
#include "platform/ui/dc.h"
#include "platform/ui/font.h"
#include "platform/ui/geometry.h"
#include "platform/ui/wnd.h"

class CWtkGlobalData {
public:
    // Reads everything from the system. The process's own object is the one
    // WtkGlobalData() answers; tests may build others.
    CWtkGlobalData();
    virtual ~CWtkGlobalData();
    CWtkGlobalData(const CWtkGlobalData&) = delete;
    CWtkGlobalData& operator=(const CWtkGlobalData&) = delete;

    // Reloads the colours, brushes and the bits per pixel, rebuilds the light
    // and halftone brushes.
    void UpdateSysColors();
    // Rebuilds the seven fonts and the two text heights.
    void UpdateFonts();
    // Paints into a child's DC what its parent shows behind it (only inside
    // pRect when one is given, in the DC's logical co-ordinates). Answers
    // whether the parent painted.
    BOOL DrawParentBackground(CWnd* pWnd, CDC* pDC, LPRECT pRect = nullptr);
    // Deletes the light and halftone brushes and the fonts and frees the
    // theme library (the toolkit's clean-up at exit).
    void CleanUp();

    // The fonts by use: menus and bars draw horizontal text with the regular
    // font and vertical text with the vertical one.
    CFont& MenuFont(BOOL bHorz) { return bHorz ? m_fontRegular : m_fontVert; }
    CFont& BarFont(BOOL bHorz) { return bHorz ? m_fontRegular : m_fontVert; }

    // ---- Colours and brushes ---------------------------------------------------
    // The system's own brushes: never deleted.
    HBRUSH m_hbrBtnHilite = nullptr;
    HBRUSH m_hbrBtnShadow = nullptr;

    COLORREF m_clrBtnFace = 0;
    COLORREF m_clrBtnShadow = 0;
    COLORREF m_clrBtnHilite = 0;
    COLORREF m_clrBtnText = 0;
    COLORREF m_clrWindowFrame = 0;
    COLORREF m_clrBtnDkShadow = 0;
    COLORREF m_clrBtnLight = 0;
    COLORREF m_clrGrayedText = 0;
    COLORREF m_clrHilite = 0;
    COLORREF m_clrTextHilite = 0;
    COLORREF m_clrHotText = RGB(0, 0, 255);
    COLORREF m_clrWindow = 0;
    COLORREF m_clrWindowText = 0;

    // System colour brushes (button face, highlight, 3D dark shadow), which
    // follow the system's colours; the light brush (face halfway to the
    // highlight, dithered on palette screens) and the halftone brush (a
    // checkerboard in the DC's text and background colours) are owned.
    CBrush m_brBtnFace;
    CBrush m_brHilite;
    CBrush m_brLight;
    CBrush m_brDkShadow;
    CBrush m_brHalftone;

    // ---- Cursors: filled on first use by the classes that need them --------------
    HCURSOR m_hcurStretch = nullptr;
    HCURSOR m_hcurStretchVert = nullptr;
    HCURSOR m_hcurHand = nullptr;
    HCURSOR m_hcurSizeAll = nullptr;
    HCURSOR m_hcurMoveTab = nullptr;

    // The shell's small icon size.
    CSize m_sizeSmallIcon;

    // ---- Fonts ---------------------------------------------------------------------
    CFont m_fontRegular;
    CFont m_fontStatus;
    CFont m_fontBold;
    CFont m_fontUnderline;
    CFont m_fontVert;          // text read from top to bottom (escapement 2700)
    CFont m_fontVertReversed;  // text read from bottom to top (escapement 900)
    CFont m_fontMarlett;       // the system's glyphs (check marks, arrows)
    // The stock DEFAULT_GUI_FONT: not owned.
    HFONT m_hfontDefaultGUI = nullptr;

    // Windows NT before version 5.
    BOOL m_bIsOldNT = FALSE;
    int m_nBitsPerPixel = 0;

    // ---- Docking constants -----------------------------------------------------------
    const int m_nDragOutlineWidth = 4;
    const int m_nTabOutlineWidth = 3;
    const int m_nAutoHideBarSpacing = 14;
    const int m_nAutoHideBarMargin = 4;
    const int m_nCoveredClientAreaPercent = 50;

    // Heights of a line of the regular and the vertical font, plus 2.
    int m_nTextHeightHorz = 0;
    int m_nTextHeightVert = 0;

    // "UxTheme.dll", loaded when first needed.
    HMODULE m_hinstUXThemeDLL = nullptr;

protected:
    // What the object asks the system, kept apart so that a test can stand in
    // for a palette screen or a system without a font.
    virtual int ScreenBitsPerPixel() const;
    virtual BOOL IsFontFamilyInstalled(LPCSTR lpszFace) const;

private:
    void UpdateLightBrush();
    void UpdateHalftoneBrush();
    void DeleteFonts();
    void ReleaseSystemBrushes();
    void UpdateSmallIconSize();
};

// The process's display data, built on first use (before any window or the
// application object that asks for it, whatever the order of static
// construction).
CWtkGlobalData& WtkGlobalData();

// The frame window that owns pWnd: its nearest ancestor that is a frame
// window; null when there is none.
CFrameWnd* WtkGetParentFrame(const CWnd* pWnd);
