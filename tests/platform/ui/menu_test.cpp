#include <gtest/gtest.h>

#include <string>

#include "controls_fixture.h"
#include "platform/ui/menu.h"
#include "platform/ui/win_thread.h"
#include "test_resource.h"
#include "window_state.h"

namespace {

TEST(Menu, LoadedMenuIsReadAndChangedThroughTheObjectAndDestroyedWithIt)
{
    HMENU handle = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
        handle = menu.m_hMenu;
        EXPECT_EQ(CMenu::FromHandlePermanent(handle), &menu);
        EXPECT_EQ(CMenu::FromHandle(handle), &menu);
        // A second load into the same object is refused.
        EXPECT_FALSE(menu.LoadMenu(IDR_TEST_MENU));
        ASSERT_EQ(menu.GetMenuItemCount(), 1);
        CMenu* file = menu.GetSubMenu(0);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(CMenu::FromHandlePermanent(file->m_hMenu), nullptr);
        EXPECT_EQ(CMenu::FromHandle(file->m_hMenu), file);
        EXPECT_EQ(file->GetMenuItemCount(), 4);
        EXPECT_EQ(file->GetMenuItemID(0), static_cast<UINT>(ID_TEST_FIRST));
        EXPECT_EQ(file->GetMenuItemID(1), 0u);
        EXPECT_EQ(file->GetMenuItemID(2), static_cast<UINT>(-1));
        CString text;
        EXPECT_EQ(file->GetMenuString(ID_TEST_SECOND, text, MF_BYCOMMAND), 7);
        EXPECT_STREQ(text, "&Second");
        EXPECT_TRUE(file->GetMenuState(ID_TEST_SECOND, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_EQ(file->EnableMenuItem(ID_TEST_SECOND, MF_BYCOMMAND | MF_ENABLED), static_cast<UINT>(MF_GRAYED));
        file->CheckMenuItem(ID_TEST_FIRST, MF_BYCOMMAND | MF_CHECKED);
        ASSERT_TRUE(file->AppendMenu(MF_STRING, 0x8600, "&Added"));
        const std::vector<MenuItemState> items = ReadMenuState(menu.m_hMenu);
        ASSERT_EQ(items.size(), 1u);
        const MenuItemState& popup = items[0];
        EXPECT_EQ(popup.text, "&File");
        ASSERT_NE(popup.FindCommand(ID_TEST_NESTED), nullptr);
        EXPECT_TRUE(popup.FindCommand(ID_TEST_FIRST)->Checked());
        EXPECT_TRUE(popup.FindCommand(ID_TEST_SECOND)->Enabled());
        EXPECT_EQ(popup.FindCommand(0x8600)->text, "&Added");
    }
    EXPECT_FALSE(::IsMenu(handle));
    EXPECT_EQ(CMenu::FromHandlePermanent(handle), nullptr);
}

TEST(Menu, DetachedMenuOutlivesTheObjectAndAttachTakesAnotherOne)
{
    HMENU popup = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        popup = menu.Detach();
        EXPECT_EQ(menu.m_hMenu, nullptr);
    }
    EXPECT_TRUE(::IsMenu(popup));
    CMenu other;
    EXPECT_FALSE(other.Attach(nullptr));
    ASSERT_TRUE(other.Attach(popup));
    EXPECT_EQ(CMenu::FromHandle(popup), &other);
    EXPECT_TRUE(other.DestroyMenu());
    EXPECT_FALSE(::IsMenu(popup));
}

// A menu whose items it draws itself.
class OwnerDrawnMenu : public CMenu {
public:
    int draws = 0;
    int measures = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override { ++draws; }
    void MeasureItem(LPMEASUREITEMSTRUCT item) override
    {
        ++measures;
        item->itemWidth = 40;
        item->itemHeight = 16;
    }
};

TEST(Menu, OwnerDrawnItemsOfAMenuObjectAreDrawnByIt)
{
    ControlHost host;
    OwnerDrawnMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_OWNERDRAW, 0x8700, reinterpret_cast<LPCSTR>(1)));
    CDC* dc = host.GetDC();
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_MENU;
    item.itemID = 0x8700;
    item.hwndItem = reinterpret_cast<HWND>(menu.m_hMenu);
    item.hDC = dc->m_hDC;
    host.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    host.ReleaseDC(dc);
    EXPECT_EQ(menu.draws, 1);
}

}  // namespace
