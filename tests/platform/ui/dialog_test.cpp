#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog_watcher.h"
#include "message_pump.h"
#include "platform/ui/app.h"
#include "platform/ui/dialog.h"
#include "platform/ui/window_class.h"
#include "test_resource.h"

namespace {

// Asks the dialog to end with the code in wParam; answers kEndAnswer.
constexpr UINT kEndWith = WM_APP + 1;
constexpr LRESULT kEndAnswer = 42;

class TestDialog : public CDialog {
public:
    explicit TestDialog(UINT templateId = IDD_TEST_DIALOG) : CDialog(templateId) {}

    int initCalls = 0;
    bool windowDuringInit = false;
    int okCalls = 0;
    int cancelCalls = 0;

protected:
    BOOL OnInitDialog() override
    {
        ++initCalls;
        windowDuringInit = ::IsWindow(m_hWnd) != FALSE;
        return CDialog::OnInitDialog();
    }
    void OnOK() override
    {
        ++okCalls;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancelCalls;
        CDialog::OnCancel();
    }
    LRESULT OnEndWith(WPARAM wParam, LPARAM)
    {
        EndDialog(static_cast<int>(wParam));
        return kEndAnswer;
    }
    HCURSOR OnQueryDragIcon() { return ::LoadIconA(nullptr, IDI_QUESTION); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
    ON_MESSAGE(kEndWith, OnEndWith)
    ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

struct ButtonCase {
    int button;
    INT_PTR expectedResult;
    int expectedOk;
    int expectedCancel;
};

void PrintTo(const ButtonCase& c, std::ostream* out)
{
    *out << (c.button == IDOK ? "OK" : "Cancel");
}

class DialogButtons : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(DialogButtons, DoModalReturnsTheButtonThatEndedTheDialog)
{
    const ButtonCase& c = GetParam();
    TestDialog dialog;
    std::vector<std::string> texts;
    DialogWatcher watcher(::GetCurrentProcessId(), "Ui Test Dialog", c.button,
                          [&](HWND box) { texts = StaticTexts(box); });

    EXPECT_EQ(dialog.DoModal(), c.expectedResult);
    EXPECT_TRUE(watcher.Finish());
    EXPECT_EQ(texts, std::vector<std::string>{"Probe text"});
    EXPECT_EQ(dialog.initCalls, 1);
    EXPECT_TRUE(dialog.windowDuringInit);
    EXPECT_EQ(dialog.okCalls, c.expectedOk);
    EXPECT_EQ(dialog.cancelCalls, c.expectedCancel);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Table, DialogButtons,
                         ::testing::Values(ButtonCase{IDOK, IDOK, 1, 0},
                                           ButtonCase{IDCANCEL, IDCANCEL, 0, 1}),
                         [](const ::testing::TestParamInfo<ButtonCase>& info) {
                             return std::string(info.param.button == IDOK ? "Ok" : "Cancel");
                         });

TEST(Dialog, AnswersComeBackToTheSenderAndEndDialogSetsTheResult)
{
    TestDialog dialog;
    LRESULT endAnswer = 0;
    LRESULT dragIcon = 0;
    // The watcher presses a button only after the inspection, and by then
    // EndDialog has already fixed the result.
    DialogWatcher watcher(::GetCurrentProcessId(), "Ui Test Dialog", IDOK, [&](HWND box) {
        dragIcon = ::SendMessageA(box, WM_QUERYDRAGICON, 0, 0);
        endAnswer = ::SendMessageA(box, kEndWith, 77, 0);
    });

    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_TRUE(watcher.Finish());
    EXPECT_EQ(endAnswer, kEndAnswer);
    EXPECT_EQ(dragIcon, reinterpret_cast<LRESULT>(::LoadIconA(nullptr, IDI_QUESTION)));
}

TEST(Dialog, MissingTemplateFailsWithoutCallingTheDialog)
{
    TestDialog dialog(IDD_MISSING_DIALOG);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.initCalls, 0);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

}  // namespace

// ---------------------------------------------------------------------------
// The modal loop
// ---------------------------------------------------------------------------

namespace {

// Notes the kick-idle messages the box receives.
class IdleDialog : public CDialog {
public:
    explicit IdleDialog(CWnd* parent = nullptr) : CDialog(IDD_TEST_DIALOG, parent) {}
    std::vector<LPARAM> kicks;
    int endInInit = 0;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (endInInit)
            EndDialog(endInInit);
        return TRUE;
    }
    LRESULT OnKickIdle(WPARAM filter, LPARAM count)
    {
        if (filter == MSGF_DIALOGBOX)
            kicks.push_back(count);
        // Ask for one more kick, then rest.
        return count < 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(IdleDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

class WatchingApp : public CWinApp {
public:
    WatchingApp() : CWinApp("Modal Test") {}
    std::vector<UINT> keysSeen;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            keysSeen.push_back(static_cast<UINT>(pMsg->wParam));
        return CWinApp::PreTranslateMessage(pMsg);
    }
};

TEST(ModalLoop, TheApplicationSeesTheBoxsMessagesTheBoxIsKickedAtIdleAndTheOwnerWaitsDisabled)
{
    WatchingApp app;
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                               nullptr));
    app.m_pMainWnd = &owner;
    IdleDialog dialog;
    bool ownerEnabledDuring = true;
    DialogWatcher watcher(::GetCurrentProcessId(), "Ui Test Dialog", IDOK, [&](HWND box) {
        ownerEnabledDuring = ::IsWindowEnabled(owner.m_hWnd) != FALSE;
        ::PostMessageA(::GetDlgItem(box, IDC_TEST_TEXT), WM_KEYDOWN, 'Z', 1);
        // Let the box take the key before the button press arrives.
        ::Sleep(200);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(watcher.Finish());
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_NE(std::find(app.keysSeen.begin(), app.keysSeen.end(), static_cast<UINT>('Z')), app.keysSeen.end());
    ASSERT_GE(dialog.kicks.size(), 2u);
    EXPECT_EQ(dialog.kicks[0], 0);
    EXPECT_EQ(dialog.kicks[1], 1);
    app.m_pMainWnd = nullptr;
}

TEST(ModalLoop, EndDialogWhileStartingEndsTheBoxWithoutItsLoop)
{
    IdleDialog dialog;
    dialog.endInInit = 55;
    EXPECT_EQ(dialog.DoModal(), 55);
    EXPECT_TRUE(dialog.kicks.empty());
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(ModalLoop, QuitWhileTheBoxIsUpEndsItAndLeavesTheQuitForTheOuterLoop)
{
    IdleDialog dialog;
    DialogWatcher watcher(::GetCurrentProcessId(), "Ui Test Dialog", IDCANCEL, [&](HWND box) {
        ::PostThreadMessageA(::GetWindowThreadProcessId(box, nullptr), WM_QUIT, 9, 0);
        ::Sleep(300);
    });
    EXPECT_EQ(dialog.DoModal(), -1);
    watcher.Finish();
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    MSG message;
    ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 9u);
}

TEST(ModelessDialog, ShowsAtOnceAndTheDialogManagerHandlesItsKeysThroughPreTranslation)
{
    CWinApp app("Modeless Test");
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_DIALOG));
    EXPECT_TRUE(dialog.IsWindowVisible());
    EXPECT_EQ(dialog.initCalls, 1);
    // Escape in the box: the dialog manager turns it into Cancel.
    dialog.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    PumpUntil([&] { return dialog.cancelCalls > 0; }, 3000);
    EXPECT_EQ(dialog.cancelCalls, 1);
    // A modeless box ended by EndDialog is only hidden.
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(dialog.DestroyWindow());
}

}  // namespace

namespace {

class CommandApp : public CWinApp {
public:
    CommandApp() : CWinApp("Command Test") {}
    std::vector<UINT> handled;

protected:
    void OnAppCommand(UINT id) { handled.push_back(id); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandApp, CWinApp)
    ON_COMMAND_RANGE(0x0500, 0x0500, OnAppCommand)
    ON_COMMAND_RANGE(0x8800, 0x8801, OnAppCommand)
END_MESSAGE_MAP()

class CommandDialog : public TestDialog {
protected:
    BOOL OnKept(UINT id)
    {
        kept.push_back(id);
        return passOn ? FALSE : TRUE;
    }
    DECLARE_MESSAGE_MAP()

public:
    std::vector<UINT> kept;
    BOOL passOn = FALSE;
};

BEGIN_MESSAGE_MAP(CommandDialog, TestDialog)
    ON_COMMAND_EX(0x8801, OnKept)
END_MESSAGE_MAP()

TEST(DialogCommands, CommandsTheBoxDoesNotHandleGoOnToTheApplicationButControlIdsDoNot)
{
    struct Case {
        const char* name;
        UINT id;
        BOOL passOn;
        std::vector<UINT> kept;
        std::vector<UINT> application;
    };
    const Case cases[] = {
        {"MenuCommandReachesTheApplication", 0x8800, FALSE, {}, {0x8800}},
        {"ExHandlerKeepsIt", 0x8801, FALSE, {0x8801}, {}},
        {"ExHandlerPassesItOn", 0x8801, TRUE, {0x8801}, {0x8801}},
        {"ControlIdStaysWithTheBox", 0x0500, FALSE, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CommandApp app;
        CommandDialog dialog;
        ASSERT_TRUE(dialog.Create(IDD_TEST_DIALOG));
        dialog.passOn = c.passOn;
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
        EXPECT_EQ(dialog.kept, c.kept);
        EXPECT_EQ(app.handled, c.application);
        dialog.DestroyWindow();
    }
}

}  // namespace
