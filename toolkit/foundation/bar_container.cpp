#include "toolkit/foundation/bar_container.h"

IMPLEMENT_DYNAMIC(CWtkBarContainer, CObject)

CWtkBarContainer::CWtkBarContainer(CWtkBarContainerManager* pManager, CWtkDockingControlBar* pLeftBar,
                                   CWtkDockingControlBar* pRightBar)
    : m_pBarLeftTop(pLeftBar), m_pBarRightBottom(pRightBar), m_pContainerManager(pManager)
{
}

CWtkBarContainer::~CWtkBarContainer() = default;

void CWtkBarContainer::Release()
{
    --m_dwRefCount;
}
