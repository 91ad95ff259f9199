// The control bar's placement in the registry (the eight values under
// "WtkControlBars" beside the base bar's visibility) and a loaded placement
// put back through the dock manager.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "control_bar_support.h"
#include "registry_fixture.h"
#include "toolkit/foundation/dock_manager.h"
#include "toolkit/foundation/registry.h"
#include "toolkit/foundation/registry_holder.h"

namespace {

using namespace controlbar_test;

// A frame whose dock manager the test reaches.
class ManagedFrame : public CWtkFrameWnd {
public:
    CWtkDockManager& Manager() { return m_dockManager; }
};

class WtkControlBarState : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        ResetBarGlobals();
        m_frame = NewFrame<ManagedFrame>();
        ASSERT_NE(m_frame, nullptr);
        m_holder = std::make_unique<FrameHolder>(m_frame);
    }
    void TearDown() override
    {
        m_holder.reset();
        ResetBarGlobals();
        RegistryTest::TearDown();
    }
    std::string Profile() const { return Path() + "\\"; }

    // The values of a bar's key, read through the toolkit's registry access.
    struct Saved {
        bool key = false;
        int id = -1;
        CRect floating;
        CRect docked;
        DWORD alignment = 0;
        int row = -1;
        int isFloating = -1;
        int mruWidth = -1;
        int pinState = -1;
    };
    static Saved ReadSaved(const std::string& key)
    {
        Saved saved;
        CWtkRegistrySP holder;
        CWtkRegistry& registry = holder.Create(FALSE, TRUE);
        if (!registry.Open(key.c_str()))
            return saved;
        saved.key = true;
        registry.Read("ID", saved.id);
        registry.Read("RectRecentFloat", saved.floating);
        registry.Read("RectRecentDocked", saved.docked);
        registry.Read("RecentFrameAlignment", saved.alignment);
        registry.Read("RecentRowIndex", saved.row);
        registry.Read("IsFloating", saved.isFloating);
        registry.Read("MRUWidth", saved.mruWidth);
        registry.Read("PinState", saved.pinState);
        return saved;
    }

    ManagedFrame* m_frame = nullptr;
    std::unique_ptr<FrameHolder> m_holder;
};

TEST_F(WtkControlBarState, SaveStateWritesTheEightValuesAndTheVisibility)
{
    struct Case {
        const char* name;
        int index;
        UINT id;
        const char* key;
        const char* baseKey;
    };
    const Case cases[] = {
        {"window id, no index", -1, static_cast<UINT>(-1), "WtkControlBar-310", "WtkBaseControlBar-310"},
        {"window id, index 26", 26, static_cast<UINT>(-1), "WtkControlBar-3101a", "WtkBaseControlBar-3101a"},
        {"given id, index 0", 0, 59392, "WtkControlBar-593920", "WtkBaseControlBar-593920"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestBar bar;
        ASSERT_TRUE(bar.Make(m_frame, 310, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
        CWtkDockHistory& recent = bar.GetRecentDockInfo();
        recent.m_rectRecentFloatingRect = CRect(100, 110, 300, 140);
        recent.m_rectRecentDockedRect = CRect(0, 0, 120, 26);
        recent.m_dwRecentAlignmentToFrame = CBRS_ALIGN_BOTTOM;
        recent.m_nRecentRowIndex = 2;
        bar.SetMRUWidth(250);
        bar.SetPinState(1);
        ASSERT_TRUE(bar.SaveState(Profile().c_str(), c.index, c.id));

        const Saved saved = ReadSaved(Profile() + c.key);
        ASSERT_TRUE(saved.key);
        // "ID" is the id the bar was made with, whatever key it is saved under.
        EXPECT_EQ(saved.id, 310);
        EXPECT_EQ(saved.floating, CRect(100, 110, 300, 140));
        EXPECT_EQ(saved.docked, CRect(0, 0, 120, 26));
        EXPECT_EQ(saved.alignment, static_cast<DWORD>(CBRS_ALIGN_BOTTOM));
        EXPECT_EQ(saved.row, 2);
        EXPECT_EQ(saved.isFloating, 0);
        EXPECT_EQ(saved.mruWidth, 250);
        EXPECT_EQ(saved.pinState, 1);

        // The rectangles are 16 bytes, the numbers 32-bit values.
        const RawValue rect = ReadRaw(Path(c.key), "RectRecentFloat");
        EXPECT_EQ(rect.type, static_cast<DWORD>(REG_BINARY));
        EXPECT_EQ(rect.bytes, Concat({Le32(100), Le32(110), Le32(300), Le32(140)}));
        EXPECT_EQ(ReadRaw(Path(c.key), "RecentFrameAlignment").type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(ReadRaw(Path(c.key), "MRUWidth").type, static_cast<DWORD>(REG_DWORD));

        // The base bar's visibility goes under its own key.
        const RawValue visible = ReadRaw(Path(c.baseKey), "IsVisible");
        EXPECT_TRUE(visible.exists);
        EXPECT_EQ(visible.bytes, Le32(1));
    }
}

TEST_F(WtkControlBarState, LoadStateBringsTheSavedPlacementBackOrLeavesTheBarAlone)
{
    TestBar saved;
    ASSERT_TRUE(saved.Make(m_frame, 311, WS_CHILD));
    CWtkDockHistory& recent = saved.GetRecentDockInfo();
    recent.m_rectRecentFloatingRect = CRect(5, 6, 205, 46);
    recent.m_rectRecentDockedRect = CRect(30, 0, 150, 24);
    recent.m_dwRecentAlignmentToFrame = CBRS_ALIGN_RIGHT;
    recent.m_nRecentRowIndex = 3;
    saved.SetMRUWidth(180);
    saved.SetPinState(1);
    ASSERT_TRUE(saved.SaveState(Profile().c_str(), 4));

    TestBar loaded;
    ASSERT_TRUE(loaded.Make(m_frame, 311, WS_CHILD | WS_VISIBLE));
    const CRect floatingBefore = loaded.GetRecentDockInfo().m_rectRecentFloatingRect;
    // A missing key changes nothing and makes no key.
    EXPECT_FALSE(loaded.LoadState(Profile().c_str(), 5));
    EXPECT_FALSE(KeyThere(Path("WtkControlBar-3115")));
    EXPECT_EQ(loaded.GetRecentDockInfo().m_rectRecentFloatingRect, floatingBefore);
    EXPECT_EQ(loaded.GetMRUWidth(), 32767);
    EXPECT_FALSE(loaded.IsRestoredFromRegistry());

    ASSERT_TRUE(loaded.LoadState(Profile().c_str(), 4));
    const CWtkDockHistory& back = loaded.GetRecentDockInfo();
    EXPECT_EQ(back.m_rectRecentFloatingRect, CRect(5, 6, 205, 46));
    EXPECT_EQ(back.m_rectRecentDockedRect, CRect(30, 0, 150, 24));
    EXPECT_EQ(back.m_dwRecentAlignmentToFrame, static_cast<DWORD>(CBRS_ALIGN_RIGHT));
    EXPECT_EQ(back.m_nRecentRowIndex, 3);
    EXPECT_EQ(loaded.GetMRUWidth(), 180);
    EXPECT_EQ(loaded.GetPinState(), 1);
    EXPECT_FALSE(loaded.GetRecentFloatingState());
    // The visibility came back through the base bar.
    EXPECT_TRUE(loaded.IsRestoredFromRegistry());
    EXPECT_FALSE(loaded.GetRecentVisibleState());
}

TEST_F(WtkControlBarState, SaveStateAnswersFalseWhenTheKeyCannotBeMade)
{
    // No key name may be longer than 255 characters.
    const std::string tooLong = Profile() + std::string(300, 'c') + "\\";
    TestBar bar;
    ASSERT_TRUE(bar.Make(m_frame, 312));
    EXPECT_FALSE(bar.SaveState(tooLong.c_str(), -1));
    EXPECT_FALSE(ReadSaved(tooLong + "WtkControlBar-312").key);
    EXPECT_TRUE(bar.SaveState(Profile().c_str(), -1));
    EXPECT_EQ(ReadSaved(Profile() + "WtkControlBar-312").id, 312);
}

TEST_F(WtkControlBarState, ARestoredDockedBarGoesToTheDockBarOfItsRecentSide)
{
    TestDockBar top;
    ASSERT_TRUE(top.Make(m_frame, CBRS_ALIGN_TOP, CRect(0, 0, 400, 30)));
    TestDockBar bottom;
    ASSERT_TRUE(bottom.Make(m_frame, CBRS_ALIGN_BOTTOM, CRect(0, 200, 400, 230)));
    ASSERT_TRUE(m_frame->Manager().AddControlBar(&top));
    ASSERT_TRUE(m_frame->Manager().AddControlBar(&bottom));
    EXPECT_EQ(m_frame->Manager().DockBarForSide(CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP), &bottom);
    EXPECT_EQ(m_frame->Manager().DockBarForSide(CBRS_ALIGN_LEFT), nullptr);

    TestBar bar;
    ASSERT_TRUE(bar.Make(m_frame, 313, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    bar.GetRecentDockInfo().m_dwRecentAlignmentToFrame = CBRS_ALIGN_BOTTOM;
    bar.RestoreDockState(&m_frame->Manager());
    EXPECT_EQ(bar.GetParentDockBar(), &bottom);
    EXPECT_EQ(bar.GetParent(), &bottom);
    EXPECT_TRUE(bottom.Holds(&bar));
    EXPECT_FALSE(top.Holds(&bar));
    EXPECT_EQ(bar.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_BOTTOM));
    top.DestroyWindow();
    bottom.DestroyWindow();
}

}  // namespace
