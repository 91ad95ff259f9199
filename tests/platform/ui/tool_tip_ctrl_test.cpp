#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include "controls_fixture.h"
#include "input.h"
#include "message_pump.h"
#include "platform/ui/app.h"
#include "platform/ui/tool_tip_ctrl.h"

namespace {

TEST(ToolTipCtrl, ToolsAndTheirTextsGoThroughTheControl)
{
    ControlHost host;
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host, TTS_ALWAYSTIP));
    RECT area = Box(0, 0, 50, 50);
    EXPECT_TRUE(tip.AddTool(&host, "Left corner", &area, 1));
    EXPECT_TRUE(tip.AddTool(&host, "Whole window"));
    EXPECT_EQ(tip.GetToolCount(), 2);
    CString text;
    tip.GetText(text, &host, 1);
    EXPECT_STREQ(text, "Left corner");
    tip.UpdateTipText("Renamed", &host, 1);
    tip.GetText(text, &host, 1);
    EXPECT_STREQ(text, "Renamed");
    TOOLINFOA info;
    ASSERT_TRUE(tip.GetToolInfo(info, &host, 1));
    EXPECT_EQ(info.rect.right, 50);
    tip.DelTool(&host, 1);
    EXPECT_EQ(tip.GetToolCount(), 1);
}

// Answers a tooltip for its left half from OnToolHitTest.
class TippedWindow : public CWnd {
protected:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override
    {
        RECT client;
        GetClientRect(&client);
        if (point.x >= client.right / 2)
            return -1;
        pTI->hwnd = m_hWnd;
        pTI->uId = 5;
        pTI->rect = RECT{0, 0, client.right / 2, client.bottom};
        pTI->lpszText = _strdup("Tip five");
        return 5;
    }
};

TEST(ToolTipCtrl, WindowsWithToolTipsShowWhatTheirHitTestFindsInTheThreadsToolTip)
{
    CWinApp app("Tooltip Test");
    TippedWindow window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW)), "tips",
                                WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, nullptr));
    window.SetForegroundWindow();
    app.m_pMainWnd = &window;
    ASSERT_TRUE(window.EnableToolTips());
    CToolTipCtrl* tip = ThreadToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->GetToolCount(), 0);

    // The real mouse over the left half: the loop's pre-translation fills the tool.
    MoveMouseTo(POINT{150, 150});
    ASSERT_TRUE(PumpUntil([&] { return tip->GetToolCount() == 1; }, 3000));
    CString text;
    tip->GetText(text, &window, 5);
    EXPECT_STREQ(text, "Tip five");
    EXPECT_TRUE(PumpUntil([&] { return tip->IsWindowVisible() != FALSE; }, 5000));

    // Over the right half there is no tool.
    MoveMouseTo(POINT{260, 150});
    EXPECT_TRUE(PumpUntil([&] { return tip->GetToolCount() == 0; }, 3000));

    // Tooltips switched off, or the window gone, leave no tool behind.
    MoveMouseTo(POINT{150, 150});
    ASSERT_TRUE(PumpUntil([&] { return tip->GetToolCount() == 1; }, 3000));
    window.DestroyWindow();
    EXPECT_EQ(tip->GetToolCount(), 0);
    app.m_pMainWnd = nullptr;
}

}  // namespace
