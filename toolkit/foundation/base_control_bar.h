// CWtkBaseControlBar: the root of every toolkit bar, a child window that
// knows its bar style, its docking sides and its capabilities.
#pragma once

#include "platform/ui/wnd.h"

class CWtkMiniFrameWnd;

class CWtkBaseControlBar : public CWnd {
    DECLARE_DYNAMIC(CWtkBaseControlBar)
public:
    CWtkBaseControlBar();
    ~CWtkBaseControlBar() override;

    // TRUE when the bar sits in no mini frame.
    virtual BOOL IsDocked() const;
    virtual BOOL IsFloating() const { return !IsDocked(); }
    // TRUE when the bar's parent window is a tab window.
    virtual BOOL IsTabbed() const;
    // TRUE when the current alignment is top or bottom.
    virtual BOOL IsHorizontal() const { return (GetCurrentAlignment() & 0xA000) != 0; }
    virtual DWORD GetCurrentAlignment() const { return m_dwStyle & 0xF000; }
    virtual DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    virtual DWORD GetControlBarStyle() const { return m_dwControlBarStyle; }
    // Whether the bar may be dragged off to float: capability flag 1.
    virtual BOOL CanFloat() const { return (m_dwControlBarStyle & 1) != 0; }
    // The first mini frame among the bar's ancestors, or null.
    virtual CWtkMiniFrameWnd* GetParentMiniFrame(BOOL bNoAssert = FALSE) const;

protected:
    DWORD m_dwEnabledAlignment = 0;
    DWORD m_dwStyle = 0;
    DWORD m_dwControlBarStyle = 0;
};
