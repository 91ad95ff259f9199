// The frames of OLE in-place activation, without the activation itself:
//
// COleIPFrameWnd: the frame an in-place server shows inside its container's
// window. Its own bars sit around its pane, which covers the item's place
// (RepositionFrame); bars it puts into the container's frame windows live in
// the COleCntrFrameWnd objects standing for those windows (m_pMainFrame, the
// container's main frame; m_pDocFrame, its document frame when it has one),
// handed to OnCreateControlBars. Its layout lays the container frames' bars
// out first, then its own bars and pane.
//
// COleDocIPFrameWnd: the in-place frame of a document server.
//
// COleCntrFrameWnd: a container's frame window as the in-place frame sees it.
// The window is the container's: the object stands for it (it does not route
// its messages and does not destroy it). Its layout places only the in-place
// bars along the sides of its client area and records the border they take.
#pragma once

#include <windows.h>

#include "platform/ui/frame_wnd.h"

class COleCntrFrameWnd;

class COleIPFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(COleIPFrameWnd)
public:
    COleIPFrameWnd();
    ~COleIPFrameWnd() override;

    // Stands the container's frame windows (hWndDoc may be null or the same
    // as hWndFrame) for m_pMainFrame and m_pDocFrame and asks for the bars
    // to put into them; FALSE when OnCreateControlBars refused.
    BOOL SetContainerFrames(HWND hWndFrame, HWND hWndDoc);
    // Makes the bars this frame puts into the container's frames; the base
    // makes none.
    virtual BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc);

    // The container frames' bars, then this frame's own bars and its pane.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // Places the frame (rectangles in its parent's client coordinates) so
    // that its pane covers lpPosRect, its own bars around it, and only what
    // lies inside lpClipRect is shown.
    virtual void RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect);

    COleCntrFrameWnd* m_pMainFrame;
    COleCntrFrameWnd* m_pDocFrame;
    CRect m_rectPos;
    CRect m_rectClip;

protected:
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void ReleaseContainerFrames();
};

class COleDocIPFrameWnd : public COleIPFrameWnd {
    DECLARE_DYNCREATE(COleDocIPFrameWnd)
public:
    COleDocIPFrameWnd();
    ~COleDocIPFrameWnd() override;
};

class COleCntrFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(COleCntrFrameWnd)
public:
    explicit COleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame);
    // Destroys the in-place bars it holds and lets go of the container's
    // window.
    ~COleCntrFrameWnd() override;

    // The in-place bars along the sides of the client area; nothing else of
    // the container's window moves.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // What the in-place bars take on each side (left, top, right, bottom).
    const CRect& GetBorderSpace() const { return m_rectBorderSpace; }

    COleIPFrameWnd* m_pInPlaceFrame;

protected:
    // The window is not this object's to delete it with.
    void PostNcDestroy() override;

    CRect m_rectBorderSpace;
};
