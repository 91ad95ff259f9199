// CToolBar: a control bar that is the system's toolbar control
// (ToolbarWindow32). Its buttons come from an RT_TOOLBAR resource (or
// SetButtons), their images from one bitmap strip (the image well) that the
// bar owns. The control's WM_COMMAND goes to the bar's owner frame, and at
// idle time the frame's update handlers enable and check the buttons. The
// bar's borders and gripper lie in its non-client area; its size is the
// extent of its buttons laid out in a row (top/bottom, floating) or a column
// (left/right).
#pragma once

#include <windows.h>

#include "platform/ui/control_bar.h"

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    // dwCtrlStyle: TBSTYLE_ bits of the control; rcBorders: the bar's
    // m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);

    // Image and button size; the button must be larger than the image.
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    // The RT_TOOLBAR resource (WORD version 1, image width, image height,
    // button count, then one WORD command id per button, 0 for a separator)
    // and the bitmap of the same id. FALSE when either is missing or bad.
    BOOL LoadToolBar(LPCSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCEA(nIDResource)); }
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }
    // Makes hbmImageWell the bar's images, added to the control the first
    // time and replacing the old strip afterwards. The bar owns it from
    // here on, also when this fails.
    BOOL AddReplaceBitmap(HBITMAP hbmImageWell);
    // One button per id, images numbered in order; ID_SEPARATOR (0) makes a
    // separator. A null array makes nIDCount empty buttons.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int GetCount() const;
    // The index of the first button with that command id, or -1.
    int CommandToIndex(UINT nIDFind) const;
    // ID_SEPARATOR for separators and out-of-range indexes.
    UINT GetItemID(int nIndex) const;
    // Client coordinates; empty when the index is out of range.
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    // nStyle: TBBS_ style and state bits; iImage: the image, or a separator's
    // width.
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;
    void SetBarStyle(DWORD dwStyle) override;

    HBITMAP m_hbmImageWell;
    CSize m_sizeButton;
    CSize m_sizeImage;
    // Images in the image well.
    int m_nImageCount;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();

    DECLARE_MESSAGE_MAP()

private:
    // Wraps every button after itself for a column, none for a row.
    void LayoutButtons(BOOL bHorz);
    // The extent of the visible buttons in client coordinates.
    CSize ButtonsExtent() const;
    // What the non-client area adds to the buttons' extent.
    CSize NonClientSize(BOOL bHorz) const;
    BOOL m_bLaidOutHorz;
};
