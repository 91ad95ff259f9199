#include <gtest/gtest.h>

#include "platform/ui/app.h"
#include "platform/ui/window_class.h"
#include "toolkit/controls/toolbar_button.h"
#include "toolkit/foundation/cleanup.h"
#include "toolkit/foundation/global_data.h"
#include "visual_manager_support.h"

namespace {

// A manager class that counts its objects, so that a test sees which ones
// were deleted.
class CountedManager : public CWtkVisualManager {
    DECLARE_DYNCREATE(CountedManager)
public:
    explicit CountedManager(BOOL bTemporary = FALSE) : CWtkVisualManager(bTemporary) { ++s_nAlive; }
    ~CountedManager() override { --s_nAlive; }
    static int s_nAlive;
};
IMPLEMENT_DYNCREATE(CountedManager, CWtkVisualManager)
int CountedManager::s_nAlive = 0;

// Every case starts and ends without a current manager and with the base
// class selected.
class VisualManagerInstance : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset()
    {
        CWtkVisualManager::SetDefaultManager(nullptr);
        CWtkVisualManager::DestroyAutoCreatedInstance();
        ASSERT_EQ(0, CountedManager::s_nAlive);
    }
};

TEST_F(VisualManagerInstance, FirstUseCreatesAManagerOfTheBaseClassMarkedForAutoDeletion)
{
    CWtkVisualManager* manager = CWtkVisualManager::GetInstance();
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(RUNTIME_CLASS(CWtkVisualManager), manager->GetRuntimeClass());
    EXPECT_TRUE(manager->IsAutoDelete());
    EXPECT_FALSE(manager->IsTemporary());
    EXPECT_EQ(manager, CWtkVisualManager::GetInstance());
}

TEST_F(VisualManagerInstance, ConstructorSetsTheDefaultsOfTheClassicLook)
{
    CWtkVisualManager manager(TRUE);
    EXPECT_FALSE(manager.IsLook2000());
    EXPECT_EQ(6, manager.GetMenuShadowDepth());
    EXPECT_FALSE(manager.IsMenuFlatLook());
    EXPECT_FALSE(manager.IsShadowHighlightedImage());
    EXPECT_TRUE(manager.IsFadeInactiveImage());
    EXPECT_FALSE(manager.IsEmbossDisabledImage());
    EXPECT_FALSE(manager.IsAutoDelete());
    EXPECT_EQ(CSize(0, 0), manager.GetButtonExtraBorder());
    EXPECT_EQ(2, manager.GetMenuImageMargin());
    EXPECT_TRUE(manager.IsClassicLook(nullptr));
}

TEST_F(VisualManagerInstance, SelectedClassIsCreatedOnNextUseAndTheAutoCreatedOldOneIsDeleted)
{
    CWtkVisualManager::SetDefaultManager(RUNTIME_CLASS(CountedManager));
    CWtkVisualManager* first = CWtkVisualManager::GetInstance();
    EXPECT_EQ(RUNTIME_CLASS(CountedManager), first->GetRuntimeClass());
    EXPECT_EQ(1, CountedManager::s_nAlive);

    CWtkVisualManager::SetDefaultManager(RUNTIME_CLASS(CWtkVisualManager));
    EXPECT_EQ(0, CountedManager::s_nAlive);
    EXPECT_EQ(RUNTIME_CLASS(CWtkVisualManager), CWtkVisualManager::GetInstance()->GetRuntimeClass());
}

TEST_F(VisualManagerInstance, ClassThatIsNoVisualManagerIsIgnored)
{
    CWtkVisualManager::SetDefaultManager(RUNTIME_CLASS(CountedManager));
    CWtkVisualManager* current = CWtkVisualManager::GetInstance();

    CWtkVisualManager::SetDefaultManager(RUNTIME_CLASS(CWtkToolbarButton));
    EXPECT_EQ(current, CWtkVisualManager::GetInstance());
    EXPECT_EQ(1, CountedManager::s_nAlive);
}

TEST_F(VisualManagerInstance, DeletingTheCurrentManagerLetsTheNextUseCreateOneOfTheSelectedClass)
{
    CWtkVisualManager::SetDefaultManager(RUNTIME_CLASS(CountedManager));
    delete CWtkVisualManager::GetInstance();
    EXPECT_EQ(0, CountedManager::s_nAlive);

    CWtkVisualManager* next = CWtkVisualManager::GetInstance();
    EXPECT_EQ(RUNTIME_CLASS(CountedManager), next->GetRuntimeClass());
    EXPECT_TRUE(next->IsAutoDelete());
}

TEST_F(VisualManagerInstance, TemporaryManagerNeitherReplacesNorClearsTheCurrentOne)
{
    CWtkVisualManager* current = CWtkVisualManager::GetInstance();
    {
        CountedManager temporary(TRUE);
        EXPECT_TRUE(temporary.IsTemporary());
        EXPECT_EQ(current, CWtkVisualManager::GetInstance());
    }
    EXPECT_EQ(current, CWtkVisualManager::GetInstance());
}

TEST_F(VisualManagerInstance, TemporaryManagerBuiltWhenThereIsNoneDoesNotBecomeCurrent)
{
    CountedManager temporary(TRUE);
    CWtkVisualManager* created = CWtkVisualManager::GetInstance();
    EXPECT_NE(&temporary, created);
    EXPECT_TRUE(created->IsAutoDelete());
}

TEST_F(VisualManagerInstance, ManagerBuiltByTheProgramBecomesCurrentAndIsNotAutoDeleted)
{
    CountedManager* own = new CountedManager;
    EXPECT_EQ(own, CWtkVisualManager::GetInstance());
    EXPECT_FALSE(own->IsAutoDelete());

    CWtkVisualManager::DestroyAutoCreatedInstance();
    EXPECT_EQ(1, CountedManager::s_nAlive);
    EXPECT_EQ(own, CWtkVisualManager::GetInstance());

    delete own;
    EXPECT_EQ(0, CountedManager::s_nAlive);
    EXPECT_TRUE(CWtkVisualManager::GetInstance()->IsAutoDelete()) << "the next use creates one";
}

TEST_F(VisualManagerInstance, SelectingAClassDropsButKeepsAManagerTheProgramBuilt)
{
    CountedManager* own = new CountedManager;
    CWtkVisualManager::SetDefaultManager(nullptr);
    EXPECT_EQ(1, CountedManager::s_nAlive);

    CWtkVisualManager* created = CWtkVisualManager::GetInstance();
    EXPECT_NE(own, created);
    // The dropped manager's end leaves the one that replaced it current.
    delete own;
    EXPECT_EQ(created, CWtkVisualManager::GetInstance());
}

TEST_F(VisualManagerInstance, CleanUpDeletesOnlyAnAutoCreatedManagerAndCreatesNone)
{
    CWtkVisualManager::SetDefaultManager(RUNTIME_CLASS(CountedManager));
    WtkCleanUp();
    EXPECT_EQ(0, CountedManager::s_nAlive);

    CWtkVisualManager::GetInstance();
    EXPECT_EQ(1, CountedManager::s_nAlive);
    WtkCleanUp();
    EXPECT_EQ(0, CountedManager::s_nAlive);

    WtkGlobalData().UpdateSysColors();
    WtkGlobalData().UpdateFonts();
}

// A window that counts its paints.
template <class TBase>
class PaintCounter : public TBase {
public:
    using TBase::TBase;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT)
            ++m_nPaints;
        if (message == WM_NCPAINT)
            ++m_nFramePaints;
        return TBase::WindowProc(message, wParam, lParam);
    }
    BOOL CreatePopup(int x)
    {
        // The window layer's own creation, which bars hide behind theirs.
        return this->CWnd::CreateEx(0, AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE)), "vm",
                                    WS_POPUP | WS_VISIBLE | WS_BORDER, x, 0, 40, 30, nullptr, nullptr);
    }
    // Handles what is pending (the display's own expose messages among it),
    // paints, and starts counting afresh.
    void Settle()
    {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
        ::UpdateWindow(this->m_hWnd);
        m_nPaints = 0;
        m_nFramePaints = 0;
    }

    int m_nPaints = 0;
    int m_nFramePaints = 0;
};

class ToolBarWindow : public PaintCounter<CWtkToolBar> {};

TEST_F(VisualManagerInstance, ChangingTheManagerOrTheLookRedrawsTheMainWindowToolbarsAndMiniFrames)
{
    CWinApp app("Visual Manager Test");
    PaintCounter<CWnd> main;
    ToolBarWindow toolbar;
    ToolBarWindow toolbarWithoutWindow;
    PaintCounter<vm_test::TestMiniFrame> miniFrame(nullptr);
    ASSERT_TRUE(main.CreatePopup(0));
    ASSERT_TRUE(toolbar.CreatePopup(50));
    ASSERT_TRUE(miniFrame.CreatePopup(100));
    app.m_pMainWnd = &main;

    main.Settle();
    toolbar.Settle();
    miniFrame.Settle();
    CWtkVisualManager::SetDefaultManager(RUNTIME_CLASS(CountedManager));
    EXPECT_EQ(1, main.m_nPaints);
    EXPECT_EQ(1, toolbar.m_nPaints);
    EXPECT_EQ(1, miniFrame.m_nPaints);
    EXPECT_EQ(1, miniFrame.m_nFramePaints);

    main.Settle();
    toolbar.Settle();
    miniFrame.Settle();
    CWtkVisualManager* manager = CWtkVisualManager::GetInstance();
    manager->SetLook2000(TRUE);
    EXPECT_TRUE(manager->IsLook2000());
    // The main window once with its frame, then once more with the rest.
    EXPECT_EQ(2, main.m_nPaints);
    EXPECT_EQ(1, main.m_nFramePaints);
    EXPECT_EQ(1, toolbar.m_nPaints);
    EXPECT_EQ(1, miniFrame.m_nPaints);

    app.m_pMainWnd = nullptr;
}

}  // namespace
