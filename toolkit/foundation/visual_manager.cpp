#include "toolkit/foundation/visual_manager.h"

#include "platform/ui/app.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/foundation/mini_frame_wnd.h"

IMPLEMENT_DYNCREATE(CWtkVisualManager, CObject)

CWtkVisualManager* CWtkVisualManager::s_pInstance = nullptr;
const CRuntimeClass* CWtkVisualManager::s_pRTIDefault = nullptr;

namespace {

constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
constexpr UINT kRedrawLook2000 = RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME;

void RedrawMainWindow(UINT flags)
{
    CWnd* main = AfxGetMainWnd();
    if (main && ::IsWindow(main->GetSafeHwnd()))
        ::RedrawWindow(main->GetSafeHwnd(), nullptr, nullptr, flags);
}

}  // namespace

CWtkVisualManager::CWtkVisualManager(BOOL bIsTemporary) : m_bIsTemporary(bIsTemporary)
{
    SetClassicGroupMetrics();
    if (!m_bIsTemporary && !s_pInstance)
        s_pInstance = this;
}

void CWtkVisualManager::SetClassicGroupMetrics()
{
    m_nGroupVertOffset = 12;
    m_nGroupCaptionHeight = 12;
    m_nGroupCaptionHorzOffset = 15;
    m_nGroupCaptionVertOffset = 25;
    m_nGroupTextHorzOffset = 13;
    m_nGroupTextVertOffset = 7;
    m_nTasksHorzOffset = 12;
    m_nTasksIconHorzOffset = 5;
    m_nTasksIconVertOffset = 4;
    m_bActiveCaptions = TRUE;
}

CWtkVisualManager::~CWtkVisualManager()
{
    // Another manager may have become current since (SetDefaultManager drops
    // one it did not create without deleting it): that one stays.
    if (!m_bIsTemporary && s_pInstance == this)
        s_pInstance = nullptr;
}

CWtkVisualManager* CWtkVisualManager::GetInstance()
{
    if (s_pInstance)
        return s_pInstance;

    CWtkVisualManager* manager = nullptr;
    if (s_pRTIDefault)
        manager = static_cast<CWtkVisualManager*>(s_pRTIDefault->CreateObject());
    if (!manager)
        manager = new CWtkVisualManager;
    // A manager built as temporary by its own constructor still serves.
    if (!s_pInstance)
        s_pInstance = manager;
    s_pInstance->m_bAutoDelete = TRUE;
    return s_pInstance;
}

void CWtkVisualManager::SetDefaultManager(const CRuntimeClass* pRTI)
{
    if (pRTI && !pRTI->IsDerivedFrom(RUNTIME_CLASS(CWtkVisualManager)))
        return;

    s_pRTIDefault = pRTI;
    if (CWtkVisualManager* old = s_pInstance) {
        s_pInstance = nullptr;
        // A manager the program built itself is the program's to delete.
        if (old->m_bAutoDelete)
            delete old;
    }
    RedrawAll();
}

void CWtkVisualManager::DestroyAutoCreatedInstance()
{
    if (s_pInstance && s_pInstance->m_bAutoDelete)
        delete s_pInstance;
}

void CWtkVisualManager::RedrawAll()
{
    RedrawMainWindow(kRedrawAll);

    CObList& toolbars = CWtkToolBar::AllToolbars();
    for (POSITION pos = toolbars.GetHeadPosition(); pos;) {
        CWtkToolBar* toolbar = static_cast<CWtkToolBar*>(toolbars.GetNext(pos));
        if (toolbar && ::IsWindow(toolbar->GetSafeHwnd()))
            ::RedrawWindow(toolbar->GetSafeHwnd(), nullptr, nullptr, kRedrawAll);
    }

    CWtkMiniFrameWnd::RedrawAll();
}

void CWtkVisualManager::SetLook2000(BOOL bLook2000)
{
    m_bLook2000 = bLook2000;
    RedrawMainWindow(kRedrawLook2000);
    RedrawAll();
}

void CWtkVisualManager::OnUpdateSystemColors()
{
}

CSize CWtkVisualManager::GetButtonExtraBorder() const
{
    return CSize(0, 0);
}

int CWtkVisualManager::GetMenuImageMargin() const
{
    return 2;
}

BOOL CWtkVisualManager::IsClassicLook(CWtkToolbarButton*)
{
    return TRUE;
}
