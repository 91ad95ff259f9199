// CWtkDockHistory: where a bar was last docked and last floating, so that it
// can be put back there. Every control bar embeds one; a docking bar also
// keeps its places in trees of bar containers (the docked entry behind a
// default slider, the floating entry in a mini frame).
#pragma once

#include <windows.h>

#include <vector>

#include "platform/framework/object.h"
#include "platform/ui/framework_ids.h"
#include "platform/ui/geometry.h"
#include "toolkit/foundation/dock_history_entry.h"

class CWtkBarContainer;
class CWtkBaseControlBar;
class CWtkDockBar;
class CWtkDockBarRow;
class CWtkSlider;

class CWtkDockHistory : public CObject {
    DECLARE_DYNAMIC(CWtkDockHistory)
public:
    explicit CWtkDockHistory(CWtkBaseControlBar* pBar = nullptr);
    ~CWtkDockHistory() override;

    // The bar whose places are kept.
    void SetBar(CWtkBaseControlBar* pBar) { m_pBar = pBar; }
    CWtkBaseControlBar* GetBar() const { return m_pBar; }

    // Records where the bar is now: floating in a mini frame (the floating
    // entry, the frame's rectangle, and the frame the bar leaves is told to
    // check whether it became empty), or docked behind a default slider (the
    // docked entry, the slider and its side); else the floating entry is
    // cleared.
    void StoreDockInfo(CWtkBarContainer* pRecentContainer, CWtkBaseControlBar* pTabbedBar = nullptr);
    // Takes over the docked part (side, slider, docked entry) or the
    // floating part (rectangles, mini frame, floating entry) of another
    // history.
    void CopyFrom(const CWtkDockHistory& other, BOOL bDocked);

    // bForSlider selects the docked entry, else the floating one.
    CWtkBarContainer* GetRecentContainer(BOOL bForSlider) const;
    CWtkBarContainer* GetRecentTabContainer(BOOL bForSlider) const;
    CRect& GetRecentDockedRect(BOOL bForSlider);
    int GetRecentDockedPercent(BOOL bForSlider) const;
    BOOL IsRecentLeftBar(BOOL bForSlider) const;
    std::vector<HWND>& GetRecentListOfBars(BOOL bForSlider);
    // The default slider the bar was last docked behind; null when its
    // window is gone.
    CWtkSlider* GetRecentDefaultSlider() const;

    CWtkDockHistoryEntry& Entry(BOOL bForSlider) { return bForSlider ? m_recentSliderInfo : m_recentMiniFrameInfo; }
    const CWtkDockHistoryEntry& Entry(BOOL bForSlider) const
    {
        return bForSlider ? m_recentSliderInfo : m_recentMiniFrameInfo;
    }

    // Screen rectangle of the bar when it last floated.
    CRect m_rectRecentFloatingRect;
    // The side of the frame the bar was last docked at.
    DWORD m_dwRecentAlignmentToFrame = CBRS_ALIGN_LEFT;
    // A control bar's place in its dock bar: the row's index, the dock bar
    // and the row.
    int m_nRecentRowIndex = 0;
    CWtkDockBar* m_pRecentDockBar = nullptr;
    CWtkDockBarRow* m_pRecentDockBarRow = nullptr;
    // The window of the default slider the bar was last docked behind; -1
    // for none yet.
    HWND m_hRecentDefaultSlider;
    // Copied from that slider when the bar docked behind it.
    int m_nRecentSliderRowValue = 0;
    // The mini frame the bar last floated in.
    HWND m_hRecentMiniFrame = nullptr;
    CWtkDockHistoryEntry m_recentSliderInfo;
    CWtkDockHistoryEntry m_recentMiniFrameInfo;

    // A control bar's recent docked rectangle (client coordinates of its dock
    // bar, or of the dock site), and the rectangle carried beside the recent
    // floating rectangle; both empty until the bar's creation fills them.
    CRect m_rectRecentDockedRect;
    CRect m_rectRecentFloatingCompanion;

private:
    CWtkBaseControlBar* m_pBar = nullptr;
};
