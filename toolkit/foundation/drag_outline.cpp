#include "toolkit/foundation/drag_outline.h"

#include "toolkit/foundation/global_data.h"

CWtkDragOutline::CWtkDragOutline() : m_nOldThickness(WtkGlobalData().m_nDragOutlineWidth) {}

CWtkDragOutline::~CWtkDragOutline() = default;

void CWtkDragOutline::Init(CWnd* pDraggedWnd)
{
    m_pDraggedWnd = pDraggedWnd;
}

void CWtkDragOutline::MoveDragOutline(BOOL)
{
    m_bMoved = FALSE;
}

void CWtkDragOutline::EndDrawDragOutline(BOOL)
{
    m_rectDrag.SetRectEmpty();
    m_rectExpectedDocked.SetRectEmpty();
    m_bDragStarted = FALSE;
}

void CWtkDragOutline::DrawTabOutline(CWtkBaseControlBar*, BOOL bDrawTab)
{
    m_bFrameTabDrawn = bDrawTab;
}

void CWtkDragOutline::DrawDragRect(LPCRECT, LPCRECT, BOOL, int, int) {}

void CWtkDragOutline::RemoveTabPreDocking(CWtkBaseControlBar*) {}

const CRect& CWtkDragOutline::ShownRect() const
{
    return m_rectExpectedDocked.IsRectEmpty() ? m_rectDrag : m_rectExpectedDocked;
}
