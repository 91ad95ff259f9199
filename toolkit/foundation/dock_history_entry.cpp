#include "toolkit/foundation/dock_history_entry.h"

#include "toolkit/foundation/bar_container.h"
#include "toolkit/foundation/base_control_bar.h"
#include "toolkit/foundation/docking_control_bar.h"

IMPLEMENT_DYNAMIC(CWtkDockHistoryEntry, CObject)

namespace {

int RecordedPercent(const CWtkBaseControlBar* pBar)
{
    if (pBar && pBar->IsKindOf(RUNTIME_CLASS(CWtkDockingControlBar)))
        return static_cast<const CWtkDockingControlBar*>(pBar)->GetLastPercentInContainer();
    return 50;
}

}  // namespace

CWtkDockHistoryEntry::CWtkDockHistoryEntry() : m_rectRecentDockedRect(0, 0, 30, 30) {}

CWtkDockHistoryEntry::~CWtkDockHistoryEntry()
{
    Exchange(m_pRecentBarContainer, nullptr);
    Exchange(m_pRecentTabContainer, nullptr);
}

void CWtkDockHistoryEntry::Exchange(CWtkBarContainer*& pSlot, CWtkBarContainer* pNew)
{
    if (pNew)
        pNew->AddRef();
    CWtkBarContainer* old = pSlot;
    pSlot = pNew;
    if (old)
        old->Release();
}

void CWtkDockHistoryEntry::StoreDockInfo(CWtkBarContainer* pContainer, CWtkBaseControlBar* pBar,
                                         CWtkBaseControlBar* pTabbedBar)
{
    const CWtkBaseControlBar* placed = pTabbedBar ? pTabbedBar : pBar;
    m_bIsRecentLeftBar = pContainer && pContainer->GetLeftBar() == placed;
    // The new container is locked before the old ones are released, so that
    // recording the same container again never lets it go in between.
    CWtkBarContainer* keepBar = pTabbedBar ? nullptr : pContainer;
    CWtkBarContainer* keepTab = pTabbedBar ? pContainer : nullptr;
    Exchange(m_pRecentBarContainer, keepBar);
    Exchange(m_pRecentTabContainer, keepTab);
    if (pBar && pBar->GetSafeHwnd())
        pBar->GetWindowRect(&m_rectRecentDockedRect);
    m_nRecentPercent = RecordedPercent(placed);
}

void CWtkDockHistoryEntry::CopyFrom(const CWtkDockHistoryEntry& other)
{
    if (&other == this)
        return;
    Exchange(m_pRecentBarContainer, other.m_pRecentBarContainer);
    Exchange(m_pRecentTabContainer, other.m_pRecentTabContainer);
    m_rectRecentDockedRect = other.m_rectRecentDockedRect;
    m_nRecentPercent = other.m_nRecentPercent;
    m_bIsRecentLeftBar = other.m_bIsRecentLeftBar;
    m_lstRecentListOfBars = other.m_lstRecentListOfBars;
}

void CWtkDockHistoryEntry::Clear()
{
    Exchange(m_pRecentBarContainer, nullptr);
    Exchange(m_pRecentTabContainer, nullptr);
    m_rectRecentDockedRect.SetRect(0, 0, 30, 30);
    m_nRecentPercent = 50;
    m_bIsRecentLeftBar = TRUE;
    m_lstRecentListOfBars.clear();
}
