// CWtkMiniFrameWnd: the small floating frame that holds a floating bar.
#pragma once

#include "platform/ui/wnd.h"

class CWtkBaseControlBar;
struct CCreateContext;

// Posted to a mini frame that a bar has left: an empty frame then goes.
extern const UINT WTKMSG_CHECKEMPTYMINIFRAME;

class CWtkMiniFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CWtkMiniFrameWnd)
public:
    CWtkMiniFrameWnd();
    ~CWtkMiniFrameWnd() override;

    // A pop-up window of the class "WtkMiniWrame:..." at rect (screen),
    // owned by pParentWnd, which must be a frame window with a dock manager
    // when given. A frame
    // made this way deletes itself with its window.
    virtual BOOL Create(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd = nullptr,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwStyleEx, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    // The bar the frame holds, or null.
    virtual CWtkBaseControlBar* GetFirstBar() const { return m_pBar; }
    // How many bars the frame holds: 1 while it holds its bar, else 0.
    virtual int HasBar() const { return m_pBar ? 1 : 0; }
    // Holds the bar and shows its window text as the frame's.
    virtual void AddControlBar(CWtkBaseControlBar* pBar);
    // Lets the bar go; a frame left empty is destroyed at once (bDestroy) or
    // when the check-empty message it posts itself still finds it empty
    // (then hidden instead with bHideInsteadOfDestroy).
    virtual void RemoveControlBar(CWtkBaseControlBar* pBar, BOOL bDestroy = FALSE,
                                  BOOL bHideInsteadOfDestroy = FALSE);
    // Makes the held bar fill the client area and redraws it at once.
    virtual void AdjustLayout();
    // Starts moving the frame with the mouse; hWndDrag goes when the move
    // ends.
    virtual void BeginMove(HWND hWndDrag);
    virtual int GetCaptionHeight() const { return m_nCaptionHeight; }

    // A move by the mouse is in progress.
    BOOL IsMoving() const { return m_bCapturing; }
    int GetPinState() const { return m_bPinned; }
    void SetPinState(int nPinned) { m_bPinned = nPinned != 0; }
    void SetRecentFloatingRect(const CRect& rect) { m_rectRecentFloatingRect = rect; }
    CRect GetRecentFloatingRect() const { return m_rectRecentFloatingRect; }
    // The cursor (screen) where the bar's drag handed over to the frame.
    void SetCursorPoint(CPoint point) { m_ptCursor = point; }
    CPoint GetCursorPoint() const { return m_ptCursor; }
    HWND GetOwnerFrame() const { return m_hWndOwnerFrame; }

    // Redraws every mini frame window of this thread (invalidate, erase,
    // frame, children, now).
    static void RedrawAll();

protected:
    void PostNcDestroy() override;
    LRESULT OnCheckEmpty(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CWtkBaseControlBar* m_pBar = nullptr;
    int m_nCaptionHeight;
    BOOL m_bCapturing = FALSE;
    BOOL m_bPinned = FALSE;
    BOOL m_bHideInsteadOfDestroy = FALSE;
    HWND m_hWndOwnerFrame = nullptr;
    HWND m_hWndDrag = nullptr;
    CRect m_rectRecentFloatingRect;
    CPoint m_ptCursor;
    // Set by Create: the object goes with its window.
    BOOL m_bAutoDelete = FALSE;
};
