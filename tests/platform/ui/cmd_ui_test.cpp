// Command states: menus before they open, dialog controls at idle time, and
// update objects of one's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "message_pump.h"
#include "platform/ui/app.h"
#include "platform/ui/button.h"
#include "platform/ui/cmd_ui.h"
#include "platform/ui/window_class.h"
#include "platform/ui/wnd.h"
#include "window_state.h"

namespace {

enum : UINT {
    kHandledEnabled = 0x8201,
    kHandledDisabled,
    kHandledNoUpdate,
    kNoHandler,
    kChecked,
    kRadio,
    kRenamed,
    kContinued,
    kUpdateOnly,
};

// A window that updates its menus as frames do: on WM_INITMENUPOPUP.
class MenuOwner : public CWnd {
public:
    int popupsUpdated = 0;

protected:
    void OnCommandStub() {}
    void OnUpdateEnabled(CCmdUI* ui) { ui->Enable(TRUE); }
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
    void OnUpdateRadio(CCmdUI* ui) { ui->SetRadio(TRUE); }
    void OnUpdateRenamed(CCmdUI* ui) { ui->SetText("&Renamed"); }
    void OnUpdateContinued(CCmdUI* ui) { ui->ContinueRouting(); }
    void OnUpdateOnlyEnabled(CCmdUI* ui) { ui->Enable(TRUE); }
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL systemMenu)
    {
        ++popupsUpdated;
        if (!systemMenu)
            UpdateMenuCommandUI(popup, this, TRUE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuOwner, CWnd)
    ON_COMMAND(kHandledEnabled, OnCommandStub)
    ON_COMMAND(kHandledDisabled, OnCommandStub)
    ON_COMMAND(kHandledNoUpdate, OnCommandStub)
    ON_COMMAND(kChecked, OnCommandStub)
    ON_COMMAND(kRadio, OnCommandStub)
    ON_COMMAND(kRenamed, OnCommandStub)
    ON_COMMAND(kContinued, OnCommandStub)
    ON_UPDATE_COMMAND_UI(kHandledEnabled, OnUpdateEnabled)
    ON_UPDATE_COMMAND_UI(kHandledDisabled, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(kChecked, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(kRadio, OnUpdateRadio)
    ON_UPDATE_COMMAND_UI(kRenamed, OnUpdateRenamed)
    ON_UPDATE_COMMAND_UI(kContinued, OnUpdateContinued)
    ON_UPDATE_COMMAND_UI(kUpdateOnly, OnUpdateOnlyEnabled)
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

struct ItemCase {
    UINT id;
    const char* text;
    UINT startState;  // so that every result differs from the start
    bool enabled;
    bool checked;
};

const ItemCase kItems[] = {
    {kHandledEnabled, "Enabled by update", MF_GRAYED, true, false},
    {kHandledDisabled, "Disabled by update", 0, false, false},
    {kHandledNoUpdate, "Handler without update", MF_GRAYED, true, false},
    {kNoHandler, "No handler", 0, false, false},
    {kChecked, "Checked", 0, true, true},
    {kRadio, "Radio", 0, true, true},
    // A new text keeps the item's state.
    {kRenamed, "&Renamed", MF_CHECKED, true, true},
    // Routing continued: nobody decided, and a handler exists.
    {kContinued, "Continued", MF_GRAYED, true, false},
    // An update handler decides even without a command handler.
    {kUpdateOnly, "Update only", MF_GRAYED, true, false},
};

void FillPopup(CMenu& popup)
{
    for (const ItemCase& item : kItems) {
        const UINT flags = MF_STRING | item.startState;
        popup.AppendMenu(flags, item.id, item.id == kRenamed ? "Old name" : item.text);
        if (item.id == kNoHandler)
            popup.AppendMenu(MF_SEPARATOR);
    }
}

void ExpectItems(const std::vector<MenuItemState>& items)
{
    for (const ItemCase& item : kItems) {
        SCOPED_TRACE(item.text);
        const MenuItemState* found = nullptr;
        for (const MenuItemState& state : items) {
            if (state.id == item.id)
                found = &state;
        }
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->Enabled(), item.enabled);
        EXPECT_EQ(found->Checked(), item.checked);
        EXPECT_EQ(found->text, item.text);
    }
    // The separator is still there and was left alone.
    bool separator = false;
    for (const MenuItemState& state : items)
        separator = separator || state.id == 0;
    EXPECT_TRUE(separator);
}

TEST(MenuCommandUI, PopupItemsTakeTheStateTheirUpdateHandlersGiveAndItemsWithoutHandlerAreGreyed)
{
    MenuOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "menus", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    FillPopup(popup);
    owner.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), MAKELPARAM(0, FALSE));
    EXPECT_EQ(owner.popupsUpdated, 1);
    ExpectItems(ReadMenuState(popup.m_hMenu));
}

void CALLBACK EndMenuTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ::EndMenu();
}

TEST(MenuCommandUI, OpeningThePopupForRealUpdatesItBeforeItShows)
{
    MenuOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "menus", WS_POPUP | WS_VISIBLE, 100, 100, 50, 50,
                               nullptr, nullptr));
    owner.SetForegroundWindow();
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    FillPopup(popup);
    // The menu's own loop ends it once it is open.
    ::SetTimer(owner.m_hWnd, 1, 200, EndMenuTimer);
    popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, 120, 120, &owner);
    ::KillTimer(owner.m_hWnd, 1);
    EXPECT_EQ(owner.popupsUpdated, 1);
    ExpectItems(ReadMenuState(popup.m_hMenu));
}

// A dialog-like window whose child controls follow the command states at idle.
class ControlPanel : public CWnd {
public:
    BOOL checkedState = 1;

protected:
    void OnStub() {}
    void OnUpdateChecked(CCmdUI* ui)
    {
        ui->SetCheck(checkedState);
        ui->Enable(TRUE);
    }
    void OnUpdateText(CCmdUI* ui) { ui->SetText("Updated text"); }
    LRESULT OnIdleUpdate(WPARAM disableIfNoHandler, LPARAM)
    {
        UpdateDialogControls(this, static_cast<BOOL>(disableIfNoHandler));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ControlPanel, CWnd)
    ON_BN_CLICKED(0x8301, OnStub)
    ON_UPDATE_COMMAND_UI(0x8302, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(0x8304, OnUpdateText)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

TEST(IdleCommandUI, IdleTimeUpdatesDialogControlsFromTheirHandlers)
{
    CWinApp app("Idle Test");
    ControlPanel panel;
    ASSERT_TRUE(panel.CreateEx(0, AfxRegisterWndClass(0), "panel", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               nullptr));
    app.m_pMainWnd = &panel;
    struct Control {
        UINT id;
        DWORD style;
        const char* text;
    };
    const Control controls[] = {{0x8301, BS_PUSHBUTTON, "handled"},
                                {0x8302, BS_CHECKBOX, "checked by update"},
                                {0x8303, BS_PUSHBUTTON, "no handler"},
                                {0x8304, BS_PUSHBUTTON, "old text"},
                                {0x8305, BS_AUTOCHECKBOX, "automatic"}};
    std::vector<std::unique_ptr<CButton>> buttons;
    int y = 0;
    for (const Control& control : controls) {
        buttons.emplace_back(new CButton);
        RECT rect = {0, y, 200, y + 20};
        y += 22;
        ASSERT_TRUE(buttons.back()->Create(control.text, WS_CHILD | WS_VISIBLE | control.style, rect, &panel,
                                           control.id));
    }
    // Idle time of the application's loop.
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_TRUE(buttons[0]->IsWindowEnabled());
    EXPECT_TRUE(buttons[1]->IsWindowEnabled());
    EXPECT_EQ(buttons[1]->GetCheck(), BST_CHECKED);
    EXPECT_FALSE(buttons[2]->IsWindowEnabled());
    CString text;
    buttons[3]->GetWindowText(text);
    EXPECT_STREQ(text, "Updated text");
    // An automatic check box works by itself: not disabled for lack of a handler.
    EXPECT_TRUE(buttons[4]->IsWindowEnabled());

    panel.checkedState = 0;
    app.OnIdle(0);
    EXPECT_EQ(buttons[1]->GetCheck(), BST_UNCHECKED);
    app.m_pMainWnd = nullptr;
}

// An update object of one's own, as bars have for their buttons.
class RecordingCmdUI : public CCmdUI {
public:
    std::vector<std::string> log;
    void Enable(BOOL on) override
    {
        log.push_back(on ? "enable" : "disable");
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int check) override { log.push_back("check " + std::to_string(check)); }
    void SetText(LPCSTR text) override { log.push_back(std::string("text ") + text); }
};

class UpdateTarget : public CCmdTarget {
protected:
    void OnStub() {}
    void OnUpdateCheck(CCmdUI* ui) { ui->SetCheck(2); }
    void OnUpdatePass(CCmdUI* ui) { ui->ContinueRouting(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(UpdateTarget, CCmdTarget)
    ON_COMMAND(0x8401, OnStub)
    ON_UPDATE_COMMAND_UI(0x8401, OnUpdateCheck)
    ON_COMMAND(0x8403, OnStub)
    ON_UPDATE_COMMAND_UI(0x8403, OnUpdatePass)
END_MESSAGE_MAP()

TEST(OwnCommandUI, DoUpdateDrivesAnUpdateObjectOfOnesOwnAndDisablesCommandsWithoutHandler)
{
    struct Case {
        UINT id;
        BOOL disableIfNoHandler;
        BOOL answered;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {0x8401, TRUE, TRUE, {"check 2"}},
        {0x8402, TRUE, FALSE, {"disable"}},
        {0x8402, FALSE, FALSE, {}},
        // Continued routing counts as no answer; the handler keeps it enabled.
        {0x8403, TRUE, FALSE, {"enable"}},
    };
    UpdateTarget target;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.id << " disable " << c.disableIfNoHandler);
        RecordingCmdUI state;
        state.m_nID = c.id;
        EXPECT_EQ(state.DoUpdate(&target, c.disableIfNoHandler), c.answered);
        EXPECT_EQ(state.log, c.log);
    }
}

}  // namespace
