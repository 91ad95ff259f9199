// CView: a child window of a frame that shows a document. It is the first
// to receive the frame's commands and hands those it does not handle to its
// document. Its frame sends WM_INITIALUPDATE once the document is attached.
#pragma once

#include <windows.h>

#include "platform/ui/wnd.h"

class CDocument;
struct CCreateContext;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Called once the document is attached; the base calls OnUpdate.
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);

    CDocument* m_pDocument;

    DECLARE_MESSAGE_MAP()

private:
    friend class CDocument;
};

// CCtrlView: a view that is a system control (its class named at
// construction); the control paints itself.
class CCtrlView : public CView {
    DECLARE_DYNAMIC(CCtrlView)
public:
    CCtrlView(LPCSTR lpszClass, DWORD dwStyle);

    void OnDraw(CDC* pDC) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnPaint();

    CString m_strClass;
    DWORD m_dwDefaultStyle;

    DECLARE_MESSAGE_MAP()
};
