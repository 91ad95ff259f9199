// CWtkDockHistoryEntry: one remembered place of a docking bar inside a tree
// of bar containers (the docked one or the floating one). The containers it
// names stay locked while it names them, so that the tree keeps the node the
// bar can return to.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/framework/object.h"
#include "platform/ui/geometry.h"

class CWtkBarContainer;
class CWtkBaseControlBar;

class CWtkDockHistoryEntry : public CObject {
    DECLARE_DYNAMIC(CWtkDockHistoryEntry)
public:
    CWtkDockHistoryEntry();
    // Unlocks the containers it names.
    ~CWtkDockHistoryEntry() override;

    // Records pBar's place in pContainer: the container is locked, the
    // containers recorded before are released; with pTabbedBar (the tabbed
    // bar that holds pBar) the container becomes the recent tab container
    // and the tabbed bar's share is kept, else the recent container and the
    // bar's own share.
    void StoreDockInfo(CWtkBarContainer* pContainer, CWtkBaseControlBar* pBar,
                       CWtkBaseControlBar* pTabbedBar = nullptr);
    // Takes over the other entry's containers (locking them), rectangle,
    // share, side flag and neighbours.
    void CopyFrom(const CWtkDockHistoryEntry& other);
    // Releases both containers and returns to the values of a new entry.
    void Clear();

    CWtkBarContainer* m_pRecentBarContainer = nullptr;
    // The bar's window rectangle when it was recorded.
    CRect m_rectRecentDockedRect;
    // The bar's share of its container, in percent.
    int m_nRecentPercent = 50;
    // The bar was the first part of its container.
    BOOL m_bIsRecentLeftBar = TRUE;
    // The windows of the bars that shared the container.
    std::vector<HWND> m_lstRecentListOfBars;
    CWtkBarContainer* m_pRecentTabContainer = nullptr;

private:
    // Replaces a recorded container, locking the new one before the old one
    // is released (the same container may be recorded again).
    static void Exchange(CWtkBarContainer*& pSlot, CWtkBarContainer* pNew);
};
