#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "message_pump.h"
#include "platform/ui/button.h"
#include "screenshot.h"

namespace {

TEST(Button, ChecksStatesAndStylesGoThroughTheControl)
{
    ControlHost host;
    struct Case {
        DWORD style;
        int setCheck;
        int expectedCheck;
    };
    const Case cases[] = {{BS_AUTOCHECKBOX, 1, BST_CHECKED},
                          {BS_AUTO3STATE, 2, BST_INDETERMINATE},
                          {BS_AUTORADIOBUTTON, 1, BST_CHECKED},
                          {BS_PUSHBUTTON, 1, BST_UNCHECKED}};
    int id = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style);
        CButton button;
        ASSERT_TRUE(button.Create("b", WS_CHILD | c.style, Box(0, 0, 80, 20), &host, static_cast<UINT>(++id)));
        EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, c.style);
        button.SetCheck(c.setCheck);
        EXPECT_EQ(button.GetCheck(), c.expectedCheck);
        button.SetState(TRUE);
        EXPECT_TRUE(button.GetState() & BST_PUSHED);
        button.SetState(FALSE);
        EXPECT_FALSE(button.GetState() & BST_PUSHED);
    }
    CButton changing;
    ASSERT_TRUE(changing.Create("c", WS_CHILD | BS_PUSHBUTTON, Box(0, 30, 80, 20), &host, 120));
    changing.SetButtonStyle(BS_DEFPUSHBUTTON);
    EXPECT_EQ(changing.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_DEFPUSHBUTTON));
    HICON icon = ::LoadIconA(nullptr, IDI_INFORMATION);
    changing.ModifyStyle(0, BS_ICON);
    EXPECT_EQ(changing.SetIcon(icon), nullptr);
    EXPECT_EQ(changing.GetIcon(), icon);
}

// Paints itself in one colour when the system asks its parent to draw it.
class ColourButton : public CButton {
public:
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        ++draws;
        HBRUSH brush = ::CreateSolidBrush(RGB(200, 30, 40));
        ::FillRect(item->hDC, &item->rcItem, brush);
        ::DeleteObject(brush);
    }
};

TEST(Button, OwnerDrawnButtonDrawsItselfWhenTheSystemPaintsIt)
{
    ControlHost host(true, 200, 100);
    ColourButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, Box(10, 10, 100, 40), &host, 7));
    host.UpdateWindow();
    PumpMessages(100);
    EXPECT_GE(button.draws, 1);
    const Image shot = DrawWindow(button.m_hWnd);
    ASSERT_EQ(shot.width, 100);
    EXPECT_EQ(shot.Pixel(50, 20), RGB(200, 30, 40));
    EXPECT_EQ(shot.CountColor(RGB(200, 30, 40)), 100u * 40u);
}

}  // namespace
