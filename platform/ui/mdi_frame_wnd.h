// CMDIFrameWnd: the main frame of a program that shows several documents at
// once. Its client area is the system's MDI client window (m_hWndMDIClient,
// the pane AFX_IDW_PANE_FIRST between the bars), in which each document
// window is a CMDIChildWnd. The system keeps the list of document windows at
// the end of the frame's Window menu (commands from AFX_IDM_FIRST_MDICHILD
// up); choosing one activates that window. Commands reach the active child
// (its view, document and template, then the child frame) before the frame
// and the application; the menu shown is the active child's.
#pragma once

#include <windows.h>

#include "platform/ui/frame_wnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    // The system's MDI client window, made with the frame.
    HWND m_hWndMDIClient;

    // ---- Document windows ---------------------------------------------------------
    // The active document window (null when there is none); *pbMaximized
    // tells whether it is maximised.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDIPrev();
    // MDITILE_SKIPDISABLED and the like for cascade; MDITILE_HORIZONTAL or
    // MDITILE_VERTICAL for tile.
    void MDICascade(int nType = 0);
    void MDITile(int nType = MDITILE_HORIZONTAL);
    void MDIIconArrange();
    // Shows hMenuFrame as the frame's menu with the document list kept in
    // hMenuWindow; answers the menu shown before.
    HMENU MDISetMenu(HMENU hMenuFrame, HMENU hMenuWindow);

    // The popup of the menu bar that holds the window commands (ids
    // ID_WINDOW_NEW up to but not including ID_WINDOW_NEW + 16); null when
    // no popup has one.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    // The active document window, else the frame itself.
    CFrameWnd* GetActiveFrame() override;
    CDocument* GetActiveDocument() override;
    // With an active child its menu (the child decides), else hMenuAlt or
    // the frame's own menu, the document list following the Window popup.
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    // "Document - Title" while a document window is active and not
    // maximised; while one is maximised the system adds "[Document]".
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    // Makes the MDI client with the Window popup of the frame's menu.
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    BOOL CreateClient(LPCREATESTRUCT lpcs, HMENU hWindowMenu);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    BOOL OnMDIWindowCmd(UINT nID);
    void OnWindowNew();

    DECLARE_MESSAGE_MAP()

private:
    friend class CMDIChildWnd;
    // Set while a command is offered to the active child, so that the child
    // leaves the application to this frame.
    BOOL m_bRoutingToChild;
};
