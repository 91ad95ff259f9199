// CWtkBarContainer: one node of the tree that lays out docking bars sharing
// a docked area or a multi-bar mini frame. A node splits its area between a
// first and a second part (each a bar or a sub-container).
#pragma once

#include <windows.h>

#include "platform/framework/object.h"

class CWtkBarContainerManager;
class CWtkDockingControlBar;

class CWtkBarContainer : public CObject {
    DECLARE_DYNAMIC(CWtkBarContainer)
public:
    explicit CWtkBarContainer(CWtkBarContainerManager* pManager = nullptr,
                              CWtkDockingControlBar* pLeftBar = nullptr,
                              CWtkDockingControlBar* pRightBar = nullptr);
    ~CWtkBarContainer() override;

    // Locks the node: a locked node stays in the tree when it becomes empty,
    // so that a bar that remembers it can return to it.
    void AddRef() { ++m_dwRefCount; }
    // Unlocks it; once no lock is left the tree drops the nodes that became
    // empty.
    void Release();
    int GetRefCount() const { return m_dwRefCount; }

    CWtkDockingControlBar* GetLeftBar() const { return m_pBarLeftTop; }
    CWtkDockingControlBar* GetRightBar() const { return m_pBarRightBottom; }
    CWtkBarContainerManager* GetManager() const { return m_pContainerManager; }

protected:
    CWtkDockingControlBar* m_pBarLeftTop;
    CWtkDockingControlBar* m_pBarRightBottom;
    CWtkBarContainerManager* m_pContainerManager;
    int m_dwRefCount = 0;
};
