// CWtkOleIPFrameWnd: the toolkit's frame of an in-place active OLE server;
// its docked bars are laid out by the dock manager it embeds.
#pragma once

#include <windows.h>

#include "platform/ui/ole_frame_wnd.h"
#include "toolkit/foundation/dock_manager.h"

class CWtkBaseControlBar;

// The active in-place frame (null while none is active): the control bars
// send their context menu request there when they have no dock site.
extern CFrameWnd* g_pWtkActiveOleIPFrame;

class CWtkOleIPFrameWnd : public COleIPFrameWnd {
    DECLARE_DYNCREATE(CWtkOleIPFrameWnd)
public:
    CWtkOleIPFrameWnd();
    ~CWtkOleIPFrameWnd() override;

    // The dock manager the frame embeds.
    CWtkDockManager* GetDockManager() { return &m_dockManager; }

    // The bars' requests, forwarded to the dock manager.
    BOOL AddControlBar(CWtkBaseControlBar* pBar, BOOL bTail = TRUE);
    BOOL InsertControlBar(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTarget, BOOL bAfter = TRUE);
    void RemoveControlBarFromDockManager(CWtkBaseControlBar* pBar, BOOL bDestroy = TRUE,
                                         BOOL bAdjustLayout = FALSE, BOOL bAutoHide = FALSE);
    CWtkBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                            const CRuntimeClass* pRTCBarType) const;
    BOOL IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const;
    void DockControlBar(CWtkBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    // Lays the docked bars out again.
    virtual void AdjustDockingLayout(HDWP hdwp = nullptr);

protected:
    CWtkDockManager m_dockManager;
};
