#include "toolkit/foundation/dock_history_entry.h"

#include "toolkit/foundation/bar_container.h"

IMPLEMENT_DYNAMIC(CWtkDockHistoryEntry, CObject)

CWtkDockHistoryEntry::CWtkDockHistoryEntry() : m_rectRecentDockedRect(0, 0, 30, 30) {}

CWtkDockHistoryEntry::~CWtkDockHistoryEntry()
{
    Clear();
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

void CWtkDockHistoryEntry::StoreDockInfo(CWtkBarContainer*, CWtkBaseControlBar*, CWtkBaseControlBar*) {}

void CWtkDockHistoryEntry::CopyFrom(const CWtkDockHistoryEntry& other)
{
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
}
