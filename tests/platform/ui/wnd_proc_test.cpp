// Message maps, command routing and reflection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/app.h"
#include "platform/ui/button.h"
#include "platform/ui/cmd_ui.h"
#include "platform/ui/window_class.h"
#include "platform/ui/wnd.h"

namespace {

std::vector<std::string> g_calls;

const UINT kRegistered = ::RegisterWindowMessageA("TvxTestRegisteredMessage");

// The base class handles some messages; the derived one overrides one of
// them and adds others.
class BaseWindow : public CWnd {
protected:
    void OnTimer(UINT_PTR id) { g_calls.push_back("base timer " + std::to_string(id)); }
    void OnSize(UINT, int cx, int cy) { g_calls.push_back("base size " + std::to_string(cx)); }
    LRESULT OnRegistered(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) * 2; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_REGISTERED_MESSAGE(kRegistered, OnRegistered)
END_MESSAGE_MAP()

class DerivedWindow : public BaseWindow {
protected:
    void OnSize(UINT, int cx, int)
    {
        g_calls.push_back("derived size " + std::to_string(cx));
        BaseWindow::OnSize(0, cx, 0);
    }
    void OnLButtonDown(UINT flags, CPoint point)
    {
        g_calls.push_back("click " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
    LRESULT OnApp(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_APP + 3, OnApp)
END_MESSAGE_MAP()

TEST(MessageMaps, HandlersOfTheClassComeFirstAndTheBaseMapAnswersTheRest)
{
    g_calls.clear();
    DerivedWindow window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), "maps", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    g_calls.clear();
    window.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(123, 45));
    window.SendMessage(WM_TIMER, 9);
    window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-4), 7));
    EXPECT_EQ(window.SendMessage(WM_APP + 3, 20, 22), 42);
    EXPECT_EQ(window.SendMessage(kRegistered, 21), 42);
    // Not in any map: the window's own procedure answers.
    EXPECT_EQ(window.SendMessage(WM_GETTEXTLENGTH), 4);
    const std::vector<std::string> expected = {"derived size 123", "base size 123", "base timer 9", "click -4,7"};
    EXPECT_EQ(g_calls, expected);
}

// Command targets for routing: each logs its handlers.
class FirstTarget : public CCmdTarget {
public:
    BOOL passOn = FALSE;

protected:
    void OnOne() { g_calls.push_back("first one"); }
    BOOL OnTwo(UINT id)
    {
        g_calls.push_back("first two " + std::to_string(id));
        return !passOn;
    }
    void OnRange(UINT id) { g_calls.push_back("first range " + std::to_string(id)); }
    void OnUpdateOne(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnChange() { g_calls.push_back("first change"); }
    void OnNotifyOne(NMHDR* header, LRESULT* result)
    {
        g_calls.push_back("first notify " + std::to_string(header->idFrom));
        *result = 5;
    }
    BOOL OnNotifyEx(UINT id, NMHDR*, LRESULT* result)
    {
        g_calls.push_back("first notify ex " + std::to_string(id));
        *result = 6;
        return !passOn;
    }
    void OnNotifyRange(UINT id, NMHDR*, LRESULT*) { g_calls.push_back("first notify range " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FirstTarget, CCmdTarget)
    ON_COMMAND(0x8001, OnOne)
    ON_COMMAND_EX(0x8002, OnTwo)
    ON_COMMAND_RANGE(0x8010, 0x8013, OnRange)
    ON_UPDATE_COMMAND_UI(0x8001, OnUpdateOne)
    ON_EN_CHANGE(0x8020, OnChange)
    ON_NOTIFY(NM_CLICK, 0x8030, OnNotifyOne)
    ON_NOTIFY_EX(NM_DBLCLK, 0x8031, OnNotifyEx)
    ON_NOTIFY_RANGE(NM_RCLICK, 0x8040, 0x8042, OnNotifyRange)
END_MESSAGE_MAP()

class SecondTarget : public CCmdTarget {
protected:
    void OnTwo() { g_calls.push_back("second two"); }
    void OnNotifyTwo(NMHDR*, LRESULT* result)
    {
        g_calls.push_back("second notify");
        *result = 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SecondTarget, CCmdTarget)
    ON_COMMAND(0x8002, OnTwo)
    ON_NOTIFY(NM_DBLCLK, 0x8031, OnNotifyTwo)
END_MESSAGE_MAP()

// Routes as a frame does: the first target, then the second.
BOOL Route(FirstTarget& first, SecondTarget& second, UINT id, int code, void* extra)
{
    return first.OnCmdMsg(id, code, extra, nullptr) || second.OnCmdMsg(id, code, extra, nullptr);
}

TEST(CommandRouting, ExHandlersThatDeclineLetTheCommandGoOnToTheNextTarget)
{
    struct Case {
        const char* name;
        UINT id;
        int code;
        BOOL passOn;
        BOOL handled;
        std::vector<std::string> calls;
        LRESULT result;
    };
    const Case cases[] = {
        {"PlainCommand", 0x8001, CN_COMMAND, FALSE, TRUE, {"first one"}, 0},
        {"ExHandlerKeeps", 0x8002, CN_COMMAND, FALSE, TRUE, {"first two 32770"}, 0},
        {"ExHandlerPassesOn", 0x8002, CN_COMMAND, TRUE, TRUE, {"first two 32770", "second two"}, 0},
        {"RangeStart", 0x8010, CN_COMMAND, FALSE, TRUE, {"first range 32784"}, 0},
        {"RangeEnd", 0x8013, CN_COMMAND, FALSE, TRUE, {"first range 32787"}, 0},
        {"PastRange", 0x8014, CN_COMMAND, FALSE, FALSE, {}, 0},
        {"ControlNotification", 0x8020, EN_CHANGE, FALSE, TRUE, {"first change"}, 0},
        {"OtherNotificationOfControl", 0x8020, EN_UPDATE, FALSE, FALSE, {}, 0},
        {"Notify", 0x8030, CN_NOTIFY_CODE(NM_CLICK), FALSE, TRUE, {"first notify 32816"}, 5},
        {"NotifyOfOtherCode", 0x8030, CN_NOTIFY_CODE(NM_DBLCLK), FALSE, FALSE, {}, 0},
        {"NotifyExKeeps", 0x8031, CN_NOTIFY_CODE(NM_DBLCLK), FALSE, TRUE, {"first notify ex 32817"}, 6},
        {"NotifyExPassesOn", 0x8031, CN_NOTIFY_CODE(NM_DBLCLK), TRUE, TRUE,
         {"first notify ex 32817", "second notify"}, 7},
        {"NotifyRange", 0x8041, CN_NOTIFY_CODE(NM_RCLICK), FALSE, TRUE, {"first notify range 32833"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_calls.clear();
        FirstTarget first;
        SecondTarget second;
        first.passOn = c.passOn;
        NMHDR header = {nullptr, c.id, 0};
        LRESULT result = 0;
        AFX_NOTIFY notify = {&result, &header};
        const bool isNotify = HIWORD(static_cast<UINT>(c.code)) == WM_NOTIFY;
        if (isNotify)
            header.code = static_cast<UINT>(static_cast<int>(static_cast<short>(LOWORD(c.code))));
        EXPECT_EQ(Route(first, second, c.id, c.code, isNotify ? &notify : nullptr), c.handled);
        EXPECT_EQ(g_calls, c.calls);
        EXPECT_EQ(result, c.result);
    }
}

TEST(CommandRouting, HandlerLookUpFindsWithoutCallingAndUpdateHandlersAnswerForTheirCommand)
{
    g_calls.clear();
    FirstTarget first;
    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    EXPECT_TRUE(first.OnCmdMsg(0x8001, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &first);
    EXPECT_NE(info.pEntry, nullptr);
    EXPECT_FALSE(first.OnCmdMsg(0x8099, CN_COMMAND, nullptr, &info));
    EXPECT_TRUE(g_calls.empty());

    CCmdUI state;
    state.m_nID = 0x8001;
    EXPECT_TRUE(first.OnCmdMsg(0x8001, CN_UPDATE_COMMAND_UI, &state, nullptr));
    EXPECT_TRUE(state.m_bEnableChanged);
}

// A window whose menu command is disabled by its update handler.
class MenuCommandWindow : public CWnd {
public:
    BOOL enabled = TRUE;
    int runs = 0;

protected:
    void OnRun() { ++runs; }
    void OnUpdateRun(CCmdUI* ui) { ui->Enable(enabled); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuCommandWindow, CWnd)
    ON_COMMAND(0x8100, OnRun)
    ON_UPDATE_COMMAND_UI(0x8100, OnUpdateRun)
END_MESSAGE_MAP()

TEST(CommandRouting, MenuAndAcceleratorCommandsThatTheirUpdateHandlerDisablesDoNotRun)
{
    MenuCommandWindow window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), "menu", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    struct Case {
        BOOL enabled;
        WORD source;  // 0 menu, 1 accelerator
        int runs;
    };
    const Case cases[] = {{TRUE, 0, 1}, {FALSE, 0, 0}, {TRUE, 1, 1}, {FALSE, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "enabled " << c.enabled << " source " << c.source);
        window.runs = 0;
        window.enabled = c.enabled;
        window.SendMessage(WM_COMMAND, MAKEWPARAM(0x8100, c.source), 0);
        EXPECT_EQ(window.runs, c.runs);
    }
}

// Reflection: a button that handles its own notifications, and a parent that
// logs what reaches it.
class ReflectingButton : public CButton {
public:
    BOOL clickedPassesOn = FALSE;
    HBRUSH brush = nullptr;

protected:
    void OnClicked() { g_calls.push_back("button clicked"); }
    BOOL OnDoubleClicked()
    {
        g_calls.push_back("button double-clicked");
        return !clickedPassesOn;
    }
    void OnReflectedClick(NMHDR*, LRESULT* result)
    {
        g_calls.push_back("button nm click");
        *result = 11;
    }
    BOOL OnReflectedRClick(NMHDR*, LRESULT* result)
    {
        g_calls.push_back("button nm rclick");
        *result = 12;
        return FALSE;
    }
    HBRUSH CtlColor(CDC*, UINT ctlColor)
    {
        g_calls.push_back("button colour " + std::to_string(ctlColor));
        return brush;
    }
    void DrawItem(LPDRAWITEMSTRUCT item) override { g_calls.push_back("button draws " + std::to_string(item->itemID)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_CONTROL_REFLECT_EX(BN_DOUBLECLICKED, OnDoubleClicked)
    ON_NOTIFY_REFLECT(NM_CLICK, OnReflectedClick)
    ON_NOTIFY_REFLECT_EX(NM_RCLICK, OnReflectedRClick)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class ReflectionParent : public CWnd {
protected:
    void OnClicked() { g_calls.push_back("parent clicked"); }
    void OnDoubleClicked() { g_calls.push_back("parent double-clicked"); }
    void OnRClick(NMHDR*, LRESULT* result)
    {
        g_calls.push_back("parent nm rclick");
        *result = 21;
    }
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor)
    {
        HBRUSH reflected = CWnd::OnCtlColor(dc, control, ctlColor);
        g_calls.push_back("parent colour");
        return reflected;
    }
    void OnDrawItem(int id, LPDRAWITEMSTRUCT item)
    {
        g_calls.push_back("parent draw item");
        CWnd::OnDrawItem(id, item);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectionParent, CWnd)
    ON_BN_CLICKED(41, OnClicked)
    ON_BN_DOUBLECLICKED(41, OnDoubleClicked)
    ON_NOTIFY(NM_RCLICK, 41, OnRClick)
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

TEST(Reflection, ControlsHandleTheirOwnNotificationsAndExHandlersShareThemWithTheParent)
{
    ReflectionParent parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    ReflectingButton button;
    RECT rect = {0, 0, 50, 20};
    ASSERT_TRUE(button.Create("b", WS_CHILD | BS_OWNERDRAW, rect, &parent, 41));
    HBRUSH solid = ::CreateSolidBrush(RGB(1, 2, 3));
    struct Case {
        const char* name;
        BOOL passOn;
        HBRUSH brush;
        UINT message;
        WPARAM wParam;
        UINT notifyCode;
        std::vector<std::string> calls;
        LRESULT result;
    };
    const Case cases[] = {
        {"CommandReflected", FALSE, nullptr, WM_COMMAND, MAKEWPARAM(41, BN_CLICKED), 0, {"button clicked"}, 0},
        {"ExCommandKept", FALSE, nullptr, WM_COMMAND, MAKEWPARAM(41, BN_DOUBLECLICKED), 0,
         {"button double-clicked"}, 0},
        {"ExCommandShared", TRUE, nullptr, WM_COMMAND, MAKEWPARAM(41, BN_DOUBLECLICKED), 0,
         {"button double-clicked", "parent double-clicked"}, 0},
        {"NotifyReflected", FALSE, nullptr, WM_NOTIFY, 41, static_cast<UINT>(NM_CLICK), {"button nm click"}, 11},
        {"ExNotifyShared", FALSE, nullptr, WM_NOTIFY, 41, static_cast<UINT>(NM_RCLICK),
         {"button nm rclick", "parent nm rclick"}, 21},
        {"ColourWithBrush", FALSE, solid, WM_CTLCOLORBTN, 0, 0, {"button colour 3", "parent colour"},
         reinterpret_cast<LRESULT>(solid)},
        {"DrawItem", FALSE, nullptr, WM_DRAWITEM, 41, 0, {"parent draw item", "button draws 7"}, TRUE},
    };
    HDC dc = ::GetDC(parent.m_hWnd);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_calls.clear();
        button.clickedPassesOn = c.passOn;
        button.brush = c.brush;
        LRESULT result = 0;
        if (c.message == WM_COMMAND) {
            result = parent.SendMessage(WM_COMMAND, c.wParam, reinterpret_cast<LPARAM>(button.m_hWnd));
        } else if (c.message == WM_NOTIFY) {
            NMHDR header = {button.m_hWnd, 41, c.notifyCode};
            result = parent.SendMessage(WM_NOTIFY, 41, reinterpret_cast<LPARAM>(&header));
        } else if (c.message == WM_DRAWITEM) {
            DRAWITEMSTRUCT item = {};
            item.CtlType = ODT_BUTTON;
            item.CtlID = 41;
            item.itemID = 7;
            item.hwndItem = button.m_hWnd;
            item.hDC = dc;
            result = parent.SendMessage(WM_DRAWITEM, 41, reinterpret_cast<LPARAM>(&item));
        } else {
            result = parent.SendMessage(c.message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(button.m_hWnd));
        }
        EXPECT_EQ(g_calls, c.calls);
        EXPECT_EQ(result, c.result);
    }
    // A colour handler without a brush leaves the colour to the parent's default.
    g_calls.clear();
    button.brush = nullptr;
    const LRESULT fallback =
        parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"button colour 3", "parent colour"}));
    EXPECT_EQ(fallback, ::DefWindowProcA(parent.m_hWnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(button.m_hWnd)));
    ::ReleaseDC(parent.m_hWnd, dc);
    ::DeleteObject(solid);
}

// The message being handled, as Default and GetCurrentMessage see it.
class CurrentMessageWindow : public CWnd {
public:
    UINT seenMessage = 0;
    WPARAM seenWParam = 0;
    UINT innerMessage = 0;

protected:
    LRESULT OnOuter(WPARAM wParam, LPARAM)
    {
        SendMessage(WM_APP + 11, 5);
        const MSG* current = GetCurrentMessage();
        seenMessage = current->message;
        seenWParam = current->wParam;
        return Default();
    }
    LRESULT OnInner(WPARAM, LPARAM)
    {
        innerMessage = GetCurrentMessage()->message;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CurrentMessageWindow, CWnd)
    ON_MESSAGE(WM_APP + 10, OnOuter)
    ON_MESSAGE(WM_APP + 11, OnInner)
END_MESSAGE_MAP()

TEST(MessageMaps, CurrentMessageIsTheInnermostOneAndComesBackAfterANestedMessage)
{
    CurrentMessageWindow window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), "current", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    // Default of an application message: the default window procedure's 0.
    EXPECT_EQ(window.SendMessage(WM_APP + 10, 77), 0);
    EXPECT_EQ(window.innerMessage, static_cast<UINT>(WM_APP + 11));
    EXPECT_EQ(window.seenMessage, static_cast<UINT>(WM_APP + 10));
    EXPECT_EQ(window.seenWParam, 77u);
}

}  // namespace
