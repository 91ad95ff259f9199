// CMDIChildWnd: a document window inside an MDI frame's client area. It is
// made through the MDI client (so the system lists it in the frame's Window
// menu), shares its template's menu and accelerators (SetHandles), puts that
// menu on the frame while it is active and takes the document's title
// (with ":n" when the document has several windows).
#pragma once

#include <windows.h>

#include "platform/ui/frame_wnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    // pParentWnd: the MDI frame (null: the main window). The menu name is
    // not used: a document window shows its menu on the frame.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr) override;
    // Icon and title from the resource; menu and accelerators from the
    // context's template. Deletes itself on failure, as frames do.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

    // The MDI frame whose client holds this window.
    CMDIFrameWnd* GetMDIFrame() const;
    // The menu and accelerators this window shows while it is active.
    void SetHandles(HMENU hMenu, HACCEL hAccel);

    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    // Shows the window (maximised when the active one is) and activates it.
    void ActivateFrame(int nCmdShow = -1) override;
    // Through the MDI client, which updates its list and activates the next
    // window. The object is gone afterwards.
    BOOL DestroyWindow() override;

    using CFrameWnd::OnUpdateFrameMenu;
    // Active: the document's menu, else the shared one, else the frame's;
    // deactivated with no other window taking over: the frame's own menu.
    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // The frame translates the keys of its active child.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The view (document, template), this window, then the application
    // (unless the MDI frame asked: it asks the application itself).
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    HMENU m_hMenuShared;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnMDIActivateMessage(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // 1-based number of this window among the document's windows, and how
    // many there are.
    int WindowNumber(int* pCount);
};
