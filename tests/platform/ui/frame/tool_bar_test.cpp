// The toolbar: its buttons and images from a toolbar resource, the
// geometry of its buttons, its size, button states from the frame's update
// handlers, and clicks reaching the frame's commands.
#include <gtest/gtest.h>

#include <string>

#include "frame_fixture.h"
#include "frame_test_resource.h"
#include "message_pump.h"
#include "platform/ui/cmd_ui.h"
#include "platform/ui/tool_bar.h"

namespace {

class ToolFrame : public CFrameWnd {
public:
    int testCommands = 0;

protected:
    void OnTestCommand() { ++testCommands; }
    void OnToolCommand() {}
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ToolFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
    ON_COMMAND(ID_TOOL_CHECKED, OnToolCommand)
    ON_COMMAND(ID_TOOL_DISABLED, OnToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_CHECKED, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_TOOL_DISABLED, OnUpdateDisabled)
END_MESSAGE_MAP()

struct ToolBarFrame {
    explicit ToolBarFrame(CRect borders = CRect(0, 0, 0, 0)) : frame(new ToolFrame), holder(nullptr)
    {
        if (!frame->LoadFrame(IDR_TEST_FRAME)) {
            frame = nullptr;
            return;
        }
        holder.Reset(frame);
        frame->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        created = bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, borders) != FALSE;
    }
    ~ToolBarFrame() { bar.DestroyWindow(); }
    ToolFrame* frame;
    FrameHolder holder;
    CToolBar bar;
    bool created = false;
};

struct ButtonInfo {
    UINT id;
    UINT style;
    int image;
};

ButtonInfo InfoAt(const CToolBar& bar, int index)
{
    ButtonInfo info = {};
    bar.GetButtonInfo(index, info.id, info.style, info.image);
    return info;
}

CRect ItemRect(const CToolBar& bar, int index)
{
    CRect rect;
    bar.GetItemRect(index, &rect);
    return rect;
}

}  // namespace

TEST(ToolBar, LoadToolBarTakesButtonsSeparatorsSizesAndTheImageWell)
{
    ToolBarFrame f;
    ASSERT_TRUE(f.created);
    ASSERT_TRUE(f.bar.LoadToolBar(IDR_TEST_TOOLBAR));

    ASSERT_EQ(f.bar.GetCount(), 5);
    const ButtonInfo expected[] = {
        {ID_TEST_COMMAND, TBBS_BUTTON, 0}, {ID_SEPARATOR, TBBS_SEPARATOR, 8}, {ID_TOOL_CHECKED, TBBS_BUTTON, 1},
        {ID_TOOL_DISABLED, TBBS_BUTTON, 2}, {ID_NOBODY, TBBS_BUTTON, 3},
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const ButtonInfo info = InfoAt(f.bar, i);
        EXPECT_EQ(info.id, expected[i].id);
        EXPECT_EQ(info.style, expected[i].style);
        EXPECT_EQ(info.image, expected[i].image);
        EXPECT_EQ(f.bar.GetItemID(i), expected[i].id);
    }
    EXPECT_EQ(f.bar.CommandToIndex(ID_TOOL_CHECKED), 2);
    EXPECT_EQ(f.bar.CommandToIndex(0x9999), -1);
    EXPECT_EQ(f.bar.GetItemID(5), static_cast<UINT>(ID_SEPARATOR));
    EXPECT_EQ(f.bar.GetItemID(-1), static_cast<UINT>(ID_SEPARATOR));

    // Image size from the resource, the button 7 pixels larger each way.
    EXPECT_EQ(f.bar.m_sizeImage, CSize(16, 15));
    EXPECT_EQ(f.bar.m_sizeButton, CSize(23, 22));
    ASSERT_NE(f.bar.m_hbmImageWell, nullptr);
    BITMAP well = {};
    ASSERT_TRUE(::GetObjectA(f.bar.m_hbmImageWell, sizeof well, &well));
    EXPECT_EQ(well.bmWidth, 64);
    EXPECT_EQ(well.bmHeight, 15);
    EXPECT_EQ(f.bar.m_nImageCount, 4);
    // The light grey around the images became the button face.
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(memory, f.bar.m_hbmImageWell);
    EXPECT_EQ(::GetPixel(memory, 0, 0), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(::GetPixel(memory, 5, 5), RGB(200, 30, 30));
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
}

TEST(ToolBar, LoadToolBarRefusesMissingAndMalformedButtonLists)
{
    ToolBarFrame f;
    ASSERT_TRUE(f.created);
    const struct {
        const char* name;
        UINT id;
    } cases[] = {
        {"missing", 0x7F00},
        {"version other than 1", IDR_BAD_VERSION_TOOLBAR},
        {"count beyond the resource", IDR_SHORT_TOOLBAR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(f.bar.LoadToolBar(c.id));
        EXPECT_EQ(f.bar.GetCount(), 0);
        EXPECT_EQ(f.bar.m_hbmImageWell, nullptr);
    }
}

TEST(ToolBar, ButtonsLieInARowOfButtonSizedCellsWithNarrowSeparators)
{
    ToolBarFrame f;
    ASSERT_TRUE(f.created);
    ASSERT_TRUE(f.bar.LoadToolBar(IDR_TEST_TOOLBAR));
    const CRect first = ItemRect(f.bar, 0);
    EXPECT_EQ(first.Size(), CSize(23, 22));
    const CRect separator = ItemRect(f.bar, 1);
    EXPECT_EQ(separator.left, first.right);
    EXPECT_EQ(separator.Width(), 8);
    for (int i = 2; i < 5; ++i) {
        SCOPED_TRACE(i);
        const CRect rect = ItemRect(f.bar, i);
        EXPECT_EQ(rect, CRect(ItemRect(f.bar, i - 1).right, first.top, ItemRect(f.bar, i - 1).right + 23,
                              first.bottom));
    }
    EXPECT_TRUE(ItemRect(f.bar, 5).IsRectEmpty());
    EXPECT_TRUE(ItemRect(f.bar, -1).IsRectEmpty());
}

TEST(ToolBar, FixedSizeIsTheButtonsExtentAndTheBordersInEitherOrientation)
{
    // Borders left 2, top 3, right 4, bottom 5.
    ToolBarFrame f(CRect(2, 3, 4, 5));
    ASSERT_TRUE(f.created);
    ASSERT_TRUE(f.bar.LoadToolBar(IDR_TEST_TOOLBAR));

    const CSize row = f.bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(row, CSize(ItemRect(f.bar, 4).right + 2 + 4, 22 + 3 + 5));
    EXPECT_EQ(f.bar.CalcFixedLayout(TRUE, TRUE), CSize(32767, 22 + 3 + 5));
    EXPECT_EQ(f.bar.CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK), row);

    // A column: every button under the one before; top and bottom borders
    // lie across it.
    const CSize column = f.bar.CalcFixedLayout(FALSE, FALSE);
    const CRect last = ItemRect(f.bar, 4);
    EXPECT_EQ(column, CSize(23 + 3 + 5, last.bottom + 2 + 4));
    EXPECT_EQ(last.left, 0);
    EXPECT_GT(last.top, ItemRect(f.bar, 3).top);
    EXPECT_EQ(f.bar.CalcDynamicLayout(-1, LM_VERTDOCK), column);
}

TEST(ToolBar, ImageWellIsReplacedAndTakenOver)
{
    ToolBarFrame f;
    ASSERT_TRUE(f.created);
    ASSERT_TRUE(f.bar.LoadToolBar(IDR_TEST_TOOLBAR));
    HBITMAP old = f.bar.m_hbmImageWell;
    HDC screen = ::GetDC(nullptr);
    HBITMAP replacement = ::CreateCompatibleBitmap(screen, 48, 15);
    ::ReleaseDC(nullptr, screen);

    ASSERT_TRUE(f.bar.AddReplaceBitmap(replacement));
    EXPECT_EQ(f.bar.m_hbmImageWell, replacement);
    EXPECT_EQ(f.bar.m_nImageCount, 3);
    // The old strip is gone; the bar owns the new one.
    EXPECT_EQ(::GetObjectType(old), 0u);

    EXPECT_FALSE(f.bar.AddReplaceBitmap(nullptr));
    EXPECT_EQ(f.bar.m_hbmImageWell, replacement);
}

TEST(ToolBar, ButtonInfoAndStylesRoundTrip)
{
    ToolBarFrame f;
    ASSERT_TRUE(f.created);
    ASSERT_TRUE(f.bar.LoadToolBar(IDR_TEST_TOOLBAR));
    const struct {
        const char* name;
        int index;
        ButtonInfo info;
    } cases[] = {
        {"checked check box", 0, {ID_TOOL_CHECKED, TBBS_CHECKBOX | TBBS_CHECKED, 3}},
        {"disabled button", 2, {ID_NOBODY, TBBS_BUTTON | TBBS_DISABLED, 0}},
        {"hidden button", 3, {ID_TEST_COMMAND, TBBS_BUTTON | TBBS_HIDDEN, 1}},
        {"wider separator", 1, {ID_SEPARATOR, TBBS_SEPARATOR, 12}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.bar.SetButtonInfo(c.index, c.info.id, c.info.style, c.info.image);
        const ButtonInfo info = InfoAt(f.bar, c.index);
        EXPECT_EQ(info.id, c.info.id);
        EXPECT_EQ(info.style, c.info.style);
        EXPECT_EQ(info.image, c.info.image);
    }
    EXPECT_EQ(ItemRect(f.bar, 1).Width(), 12);
    f.bar.SetButtonStyle(2, TBBS_BUTTON);
    EXPECT_EQ(f.bar.GetButtonStyle(2), static_cast<UINT>(TBBS_BUTTON));
}

TEST(ToolBar, SetButtonsNumbersImagesAndSkipsThemForSeparators)
{
    ToolBarFrame f;
    ASSERT_TRUE(f.created);
    const UINT ids[] = {ID_TOOL_DISABLED, ID_SEPARATOR, ID_SEPARATOR, ID_TEST_COMMAND};
    ASSERT_TRUE(f.bar.SetButtons(ids, 4));
    ASSERT_EQ(f.bar.GetCount(), 4);
    EXPECT_EQ(InfoAt(f.bar, 0).image, 0);
    EXPECT_EQ(InfoAt(f.bar, 2).style, static_cast<UINT>(TBBS_SEPARATOR));
    EXPECT_EQ(InfoAt(f.bar, 3).image, 1);
    // A second list replaces the first.
    ASSERT_TRUE(f.bar.SetButtons(ids, 1));
    EXPECT_EQ(f.bar.GetCount(), 1);
    ASSERT_TRUE(f.bar.SetButtons(nullptr, 2));
    EXPECT_EQ(f.bar.GetItemID(0), static_cast<UINT>(ID_SEPARATOR));
}

TEST(ToolBar, UpdateEnablesAndChecksButtonsFromTheFramesHandlers)
{
    ToolBarFrame f;
    ASSERT_TRUE(f.created);
    ASSERT_TRUE(f.bar.LoadToolBar(IDR_TEST_TOOLBAR));
    auto enabled = [&](UINT id) { return f.bar.SendMessage(TB_ISBUTTONENABLED, id) != 0; };
    auto checked = [&](UINT id) { return f.bar.SendMessage(TB_ISBUTTONCHECKED, id) != 0; };

    f.bar.OnUpdateCmdUI(f.frame, FALSE);
    EXPECT_TRUE(enabled(ID_TEST_COMMAND));
    EXPECT_TRUE(enabled(ID_TOOL_CHECKED));
    EXPECT_TRUE(checked(ID_TOOL_CHECKED));
    EXPECT_FALSE(enabled(ID_TOOL_DISABLED));
    // Nobody handles it, but nothing asked to disable such commands.
    EXPECT_TRUE(enabled(ID_NOBODY));

    f.bar.OnUpdateCmdUI(f.frame, TRUE);
    EXPECT_FALSE(enabled(ID_NOBODY));
    EXPECT_TRUE(enabled(ID_TEST_COMMAND));
    EXPECT_EQ(f.bar.GetButtonStyle(2), static_cast<UINT>(TBBS_CHECKED));
    EXPECT_EQ(f.bar.GetButtonStyle(3), static_cast<UINT>(TBBS_DISABLED));
}

TEST(ToolBar, ClickOnAnEnabledButtonRunsTheFramesCommand)
{
    ToolBarFrame f;
    ASSERT_TRUE(f.created);
    ASSERT_TRUE(f.bar.LoadToolBar(IDR_TEST_TOOLBAR));
    f.frame->RecalcLayout();
    auto click = [&](int index) {
        const CPoint centre = ItemRect(f.bar, index).CenterPoint();
        f.bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        f.bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    };
    click(0);
    EXPECT_TRUE(PumpUntil([&] { return f.frame->testCommands == 1; }, 2000));

    // A disabled button runs nothing.
    f.bar.SetButtonStyle(0, TBBS_DISABLED);
    click(0);
    PumpMessages(150);
    EXPECT_EQ(f.frame->testCommands, 1);
}

TEST(ToolBar, UndockedBarTakesTheTopOfTheFrameAtItsHeight)
{
    ToolBarFrame f;
    ASSERT_TRUE(f.created);
    ASSERT_TRUE(f.bar.LoadToolBar(IDR_TEST_TOOLBAR));
    f.frame->RecalcLayout();
    CRect client;
    f.frame->GetClientRect(&client);
    CRect rect;
    f.bar.GetWindowRect(&rect);
    f.frame->ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(0, 0, client.right, 22));
}
