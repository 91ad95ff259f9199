// The base control bar and what lies around it: requests routed to the frame
// kind that holds the bar, layouts of its mini frame or frame, window moves
// through deferred batches, messages handed to its owner (and the tooltip
// texts the owner leaves), its help context, its idle command updates and
// its pre-translation.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base_control_bar_support.h"
#include "base_control_bar_test_resource.h"
#include "platform/ui/dialog.h"
#include "platform/ui/message_map.h"
#include "toolkit/foundation/mdi_child_wnd.h"
#include "toolkit/foundation/mdi_frame_wnd.h"
#include "toolkit/foundation/ole_cntr_frame_wnd.h"
#include "toolkit/foundation/ole_doc_ip_frame_wnd.h"
#include "toolkit/foundation/ole_ip_frame_wnd.h"

namespace {

using namespace basebar_test;

using WtkBaseBarRouting = BaseBarTest;
using WtkBaseBarMessages = BaseBarTest;

// ---- Frame routing ---------------------------------------------------------------------

// A frame of one toolkit kind holding the bars of a test: the window the
// bars are made in, and the kind's own answer to a point.
struct KindUnderTest {
    CWnd* barParent = nullptr;
    std::function<CWtkBaseControlBar*(CPoint)> barAt;
    std::function<int()> layouts;
    std::vector<std::function<void()>> cleanUp;
    ~KindUnderTest()
    {
        for (auto it = cleanUp.rbegin(); it != cleanUp.rend(); ++it)
            (*it)();
    }
};

template <class TFrame>
void Expose(KindUnderTest& kind, TFrame* frame)
{
    kind.barParent = frame;
    kind.barAt = [frame](CPoint point) { return frame->ControlBarFromPoint(point, 0, TRUE, nullptr); };
    kind.layouts = [frame] { return frame->layouts; };
}

void DestroyLater(KindUnderTest& kind, CWnd* wnd)
{
    HWND hWnd = wnd->GetSafeHwnd();
    kind.cleanUp.push_back([hWnd] {
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    });
}

bool MakeSdi(KindUnderTest& kind)
{
    auto* frame = NewFrame<LayoutCounter<CWtkFrameWnd>>();
    if (!frame)
        return false;
    DestroyLater(kind, frame);
    Expose(kind, frame);
    return true;
}

bool MakeMdiFrame(KindUnderTest& kind)
{
    auto* frame = NewFrame<LayoutCounter<CWtkMDIFrameWnd>>();
    if (!frame)
        return false;
    DestroyLater(kind, frame);
    Expose(kind, frame);
    return true;
}

// A bar in an MDI child goes to the child's dock manager, not the MDI
// frame's.
bool MakeMdiChild(KindUnderTest& kind)
{
    auto* mdiFrame = NewFrame<LayoutCounter<CWtkMDIFrameWnd>>();
    if (!mdiFrame)
        return false;
    DestroyLater(kind, mdiFrame);
    auto* child = new LayoutCounter<CWtkMDIChildWnd>;
    if (!child->Create(nullptr, "child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200),
                       mdiFrame))
        return false;
    Expose(kind, child);
    kind.barAt = [child, mdiFrame](CPoint point) -> CWtkBaseControlBar* {
        if (mdiFrame->ControlBarFromPoint(point, 0, TRUE, nullptr))
            return nullptr;
        return child->ControlBarFromPoint(point, 0, TRUE, nullptr);
    };
    kind.layouts = [child, mdiFrame] { return mdiFrame->layouts ? -100 : child->layouts; };
    return true;
}

template <class TInPlace>
bool MakeInPlace(KindUnderTest& kind)
{
    auto* frame = NewFrame<LayoutCounter<TInPlace>>();
    if (!frame)
        return false;
    DestroyLater(kind, frame);
    Expose(kind, frame);
    return true;
}

// The container's frame window stands as a toolkit container frame.
bool MakeContainer(KindUnderTest& kind)
{
    auto* container = new CWnd;
    kind.cleanUp.push_back([container] { delete container; });
    if (!container->CreateEx(0, AfxRegisterWndClass(0), "container", WS_OVERLAPPEDWINDOW, 40, 40, 400, 300,
                             nullptr, nullptr))
        return false;
    HWND window = container->Detach();
    auto* inPlace = new COleIPFrameWnd;
    auto* frame = new LayoutCounter<CWtkOleCntrFrameWnd>(inPlace);
    kind.cleanUp.push_back([window, inPlace, frame] {
        delete frame;
        delete inPlace;
        ::DestroyWindow(window);
    });
    if (!frame->Attach(window))
        return false;
    Expose(kind, frame);
    return true;
}

TEST_F(WtkBaseBarRouting, RequestsReachTheDockManagerOfTheFrameKindThatHoldsTheBar)
{
    struct Case {
        const char* name;
        bool (*make)(KindUnderTest&);
    };
    const Case cases[] = {
        {"CWtkFrameWnd", MakeSdi},
        {"CWtkMDIFrameWnd", MakeMdiFrame},
        {"CWtkOleIPFrameWnd", MakeInPlace<CWtkOleIPFrameWnd>},
        {"CWtkOleDocIPFrameWnd", MakeInPlace<CWtkOleDocIPFrameWnd>},
        {"CWtkMDIChildWnd", MakeMdiChild},
        {"CWtkOleCntrFrameWnd", MakeContainer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KindUnderTest kind;
        ASSERT_TRUE(c.make(kind));
        ProbeBar first;
        ProbeBar second;
        ProbeBar docked;
        ASSERT_TRUE(first.Create(kind.barParent, 301, WS_CHILD, 0, CRect(0, 0, 80, 20)));
        ASSERT_TRUE(second.Create(kind.barParent, 302, WS_CHILD, 0, CRect(0, 30, 80, 50)));
        ASSERT_TRUE(docked.Create(kind.barParent, 303, WS_CHILD, 0, CRect(0, 60, 80, 80)));

        EXPECT_TRUE(first.FrameAddControlBar(&first));
        EXPECT_EQ(kind.barAt(CentreOf(first)), &first);
        EXPECT_EQ(first.FrameBarFromPoint(CentreOf(first), 0, TRUE, nullptr), &first);
        EXPECT_EQ(first.FrameBarFromPoint(CentreOf(first), 0, TRUE, RUNTIME_CLASS(CWtkDockBar)), nullptr);
        // A second add of the same bar is refused by the dock manager.
        EXPECT_FALSE(first.FrameAddControlBar(&first));

        EXPECT_TRUE(second.FrameInsertControlBar(&second, &first, TRUE));
        EXPECT_EQ(kind.barAt(CentreOf(second)), &second);
        EXPECT_TRUE(second.FrameRemoveControlBar(&second, FALSE, FALSE, FALSE));
        EXPECT_EQ(kind.barAt(CentreOf(second)), nullptr);
        EXPECT_TRUE(second.GetSafeHwnd());

        // Docking with the dock site: a bar that may neither float nor be
        // resized joins the frame's bars.
        EXPECT_TRUE(docked.FrameDockControlBar(TRUE));
        EXPECT_EQ(kind.barAt(CentreOf(docked)), &docked);

        DWORD alignment = 0;
        BOOL outer = TRUE;
        EXPECT_FALSE(first.FrameIsPointNearDockBar(CentreOf(first), alignment, outer));

        const int before = kind.layouts();
        first.AdjustDockingLayout();
        EXPECT_EQ(kind.layouts(), before + 1);
    }
}

TEST_F(WtkBaseBarRouting, OtherFramesAnswerNothingAndBarsInADialogSucceedAtOnce)
{
    CFrameWnd* plainFrame = new CFrameWnd;
    ASSERT_TRUE(plainFrame->Create(nullptr, "plain", WS_OVERLAPPEDWINDOW, CRect(40, 40, 300, 200)));
    FrameHolder plainHolder(plainFrame);
    CWnd lonely;
    ASSERT_TRUE(lonely.CreateEx(0, AfxRegisterWndClass(0), "lonely", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_BASEBAR_TEMPLATE));

    struct Case {
        const char* name;
        CWnd* parent;
        bool askDockSite;  // the dialog is met by asking for the dock site
        BOOL answer;
    };
    const Case cases[] = {
        {"framework frame", plainFrame, false, FALSE},
        {"no frame", &lonely, false, FALSE},
        {"dialog", &dialog, true, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProbeBar bar;
        ProbeBar other;
        ASSERT_TRUE(bar.Create(c.parent, 310));
        ASSERT_TRUE(other.Create(c.parent, 311));
        if (c.askDockSite) {
            EXPECT_EQ(bar.GetDockSite(), nullptr);
            EXPECT_TRUE(g_wtkGlobalUtils.m_bDialogApp);
        }
        EXPECT_EQ(bar.FrameAddControlBar(&bar), c.answer);
        EXPECT_EQ(bar.FrameInsertControlBar(&other, &bar, TRUE), c.answer);
        EXPECT_EQ(bar.FrameRemoveControlBar(&bar, FALSE, FALSE, FALSE), c.answer);
        EXPECT_EQ(bar.FrameDockControlBar(FALSE), c.answer);
        EXPECT_EQ(bar.FrameDockControlBar(TRUE), c.answer);
        DWORD alignment = 0;
        BOOL outer = FALSE;
        EXPECT_EQ(bar.FrameIsPointNearDockBar(CentreOf(bar), alignment, outer), c.answer);
        EXPECT_EQ(bar.FrameBarFromPoint(CentreOf(bar), 15, FALSE, nullptr), nullptr);
        // Nothing was added anywhere, and the bar is still there.
        EXPECT_TRUE(bar.GetSafeHwnd());
        bar.AdjustDockingLayout();
    }
    lonely.DestroyWindow();
    dialog.DestroyWindow();
}

TEST_F(WtkBaseBarRouting, AMultiBarMiniFrameIsAskedFirstToInsert)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    ProbeBar target;
    ASSERT_TRUE(target.Create(frame, 320));
    ASSERT_TRUE(target.FrameAddControlBar(&target));

    for (BOOL takes : {TRUE, FALSE}) {
        SCOPED_TRACE(takes);
        RecordingMultiMiniFrame multi;
        multi.takes = takes;
        ASSERT_TRUE(multi.CreatePopup(frame));
        ProbeBar bar;
        ASSERT_TRUE(bar.Create(&multi, 321));
        // A frame that does not take the bar leaves it to the frame, where
        // the target is.
        EXPECT_TRUE(bar.FrameInsertControlBar(&bar, &target, TRUE));
        EXPECT_EQ(multi.inserted, std::vector<CWtkBaseControlBar*>{&bar});
        EXPECT_EQ(frame->ControlBarFromPoint(CentreOf(bar), 0, TRUE, nullptr) == &bar, !takes);
        frame->RemoveControlBarFromDockManager(&bar, FALSE);
        bar.DestroyWindow();
        multi.DestroyWindow();
    }
}

TEST_F(WtkBaseBarRouting, AFloatingBarsLayoutIsItsMiniFrames)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    ProbeBar bar;
    HoldingMiniFrame miniFrame(&bar);
    ASSERT_TRUE(miniFrame.CreatePopup(frame));
    ASSERT_TRUE(bar.Create(&miniFrame, 330, WS_CHILD | WS_VISIBLE, 0, CRect(3, 4, 20, 10)));
    bar.AdjustDockingLayout();
    EXPECT_EQ(miniFrame.layouts, 1);
    EXPECT_EQ(frame->layouts, 0);
    CRect client;
    miniFrame.GetClientRect(&client);
    EXPECT_EQ(RectInParent(bar), client);
    miniFrame.DestroyWindow();
}

// ---- Deferred positioning -----------------------------------------------------------------

// A bar that counts the moves of its window.
class MoveCounter : public ProbeBar {
public:
    int moves = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_WINDOWPOSCHANGED) {
            const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE))
                ++moves;
        }
        return ProbeBar::WindowProc(message, wParam, lParam);
    }
};

TEST_F(WtkBaseBarRouting, MovesInABatchHappenOnceWhenTheBatchEnds)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    MoveCounter moved;
    MoveCounter placed;
    MoveCounter unchanged;
    ASSERT_TRUE(moved.Create(frame, 340, WS_CHILD | WS_VISIBLE, 0, CRect(0, 0, 80, 20)));
    ASSERT_TRUE(placed.Create(frame, 341, WS_CHILD | WS_VISIBLE, 0, CRect(0, 30, 80, 50)));
    ASSERT_TRUE(unchanged.Create(frame, 342, WS_CHILD | WS_VISIBLE, 0, CRect(0, 60, 80, 80)));
    moved.moves = placed.moves = unchanged.moves = 0;

    HDWP batch = ::BeginDeferWindowPos(3);
    ASSERT_NE(batch, nullptr);
    const CRect movedTo(10, 100, 110, 130);
    batch = moved.MoveBarWindow(&movedTo, TRUE, batch);
    ASSERT_NE(batch, nullptr);
    batch = placed.SetBarWindowPos(nullptr, 20, 140, 60, 25, SWP_NOZORDER | SWP_NOACTIVATE, batch);
    ASSERT_NE(batch, nullptr);
    const CRect same(0, 60, 80, 80);
    EXPECT_EQ(unchanged.MoveBarWindow(&same, TRUE, batch), batch);

    // Nothing has moved before the batch ends.
    EXPECT_EQ(RectInParent(moved), CRect(0, 0, 80, 20));
    EXPECT_EQ(RectInParent(placed), CRect(0, 30, 80, 50));
    EXPECT_EQ(moved.moves + placed.moves, 0);
    ASSERT_TRUE(::EndDeferWindowPos(batch));

    EXPECT_EQ(RectInParent(moved), movedTo);
    EXPECT_EQ(RectInParent(placed), CRect(20, 140, 80, 165));
    EXPECT_EQ(moved.moves, 1);
    EXPECT_EQ(placed.moves, 1);
    EXPECT_EQ(unchanged.moves, 0);
}

TEST_F(WtkBaseBarRouting, WithoutABatchOrWhenTheBatchRefusesTheMoveIsImmediate)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    // A batch that has ended: DeferWindowPos refuses it.
    const HDWP refusing = ::BeginDeferWindowPos(1);
    ASSERT_NE(refusing, nullptr);
    ASSERT_TRUE(::EndDeferWindowPos(refusing));
    struct Case {
        const char* name;
        bool setPos;
        HDWP batch;
        HDWP answer;
    };
    const Case cases[] = {
        {"MoveBarWindow, no batch", false, nullptr, nullptr},
        {"SetBarWindowPos, no batch", true, nullptr, nullptr},
        {"MoveBarWindow, refusing batch", false, refusing, refusing},
        {"SetBarWindowPos, refusing batch", true, refusing, refusing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MoveCounter bar;
        ASSERT_TRUE(bar.Create(frame, 343, WS_CHILD | WS_VISIBLE, 0, CRect(0, 0, 80, 20)));
        bar.moves = 0;
        const CRect to(5, 50, 45, 70);
        const HDWP answer = c.setPos
                                ? bar.SetBarWindowPos(nullptr, to.left, to.top, to.Width(), to.Height(),
                                                      SWP_NOZORDER | SWP_NOACTIVATE, c.batch)
                                : bar.MoveBarWindow(&to, TRUE, c.batch);
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(RectInParent(bar), to);
        EXPECT_EQ(bar.moves, 1);
    }
}

TEST_F(WtkBaseBarRouting, APlaceIsComparedWhereTheWindowLies)
{
    // A bar inside a window that lies 100 pixels down the frame: a place
    // given in that window's coordinates that equals the bar's place in the
    // frame's coordinates is still a move.
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    CWnd inner;
    ASSERT_TRUE(inner.CreateEx(0, AfxRegisterWndClass(0), "inner", WS_CHILD | WS_VISIBLE,
                                     CRect(0, 100, 300, 250), frame, 901));
    MoveCounter bar;
    ASSERT_TRUE(bar.Create(&inner, 344, WS_CHILD | WS_VISIBLE, 0, CRect(0, 0, 80, 20)));
    bar.moves = 0;
    const CRect frameCoordinates(0, 100, 80, 120);
    EXPECT_EQ(bar.MoveBarWindow(&frameCoordinates, TRUE, nullptr), nullptr);
    EXPECT_EQ(RectInParent(bar), frameCoordinates);
    EXPECT_EQ(bar.moves, 1);
    EXPECT_EQ(bar.MoveBarWindow(&frameCoordinates, TRUE, nullptr), nullptr);
    EXPECT_EQ(bar.moves, 1);
}

// ---- Messages for the owner -------------------------------------------------------------------

// A frame that records the messages bars hand to it and answers each with a
// value of its own; a tooltip request gets the text it is told to give.
class OwnerFrame : public CountingFrame {
public:
    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Received> received;
    enum class Tooltip { Leave, Text, Resource, ResourceWithoutModule };
    Tooltip tooltip = Tooltip::Leave;
    BOOL takeTranslation = FALSE;
    std::vector<UINT> translated;

    static LRESULT AnswerTo(UINT message) { return 0x4000 + message; }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        translated.push_back(pMsg->message);
        return takeTranslation;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_COMPAREITEM:
        case WM_COMMAND:
            received.push_back({message, wParam, lParam});
            return AnswerTo(message);
        case WM_NOTIFY:
            received.push_back({message, wParam, lParam});
            Answer(reinterpret_cast<NMHDR*>(lParam));
            return AnswerTo(message);
        default:
            return CountingFrame::WindowProc(message, wParam, lParam);
        }
    }

private:
    void Answer(NMHDR* header)
    {
        if (header->code != TTN_NEEDTEXTA)
            return;
        NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        switch (tooltip) {
        case Tooltip::Leave:
            break;
        case Tooltip::Text:
            lstrcpyA(info->szText, "from owner");
            break;
        case Tooltip::Resource:
            info->hinst = ::GetModuleHandleA(nullptr);
            info->lpszText = MAKEINTRESOURCEA(7);
            break;
        case Tooltip::ResourceWithoutModule:
            info->lpszText = MAKEINTRESOURCEA(7);
            break;
        }
    }
};

// The window procedure of the bars' own class: it answers tooltip requests
// and counts them.
int g_ownTooltipAnswers = 0;
LRESULT CALLBACK BarClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TTN_NEEDTEXTA) {
            ++g_ownTooltipAnswers;
            lstrcpyA(reinterpret_cast<NMTTDISPINFOA*>(lParam)->szText, "from bar");
            return 0x51;
        }
        if (header->code == TTN_NEEDTEXTW) {
            ++g_ownTooltipAnswers;
            lstrcpyW(reinterpret_cast<NMTTDISPINFOW*>(lParam)->szText, L"from bar");
            return 0x52;
        }
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

LPCSTR BarClass()
{
    static const char name[] = "BaseBarTestOwnProc";
    WNDCLASSA cls = {};
    if (!::GetClassInfoA(::GetModuleHandleA(nullptr), name, &cls)) {
        cls.lpfnWndProc = BarClassProc;
        cls.hInstance = ::GetModuleHandleA(nullptr);
        cls.lpszClassName = name;
        ::RegisterClassA(&cls);
    }
    return name;
}

// A bar that handles one command, one notification and its own items.
class HandlingBar : public ProbeBar {
public:
    int commands = 0;
    int notifications = 0;
    int drawn = 0;

protected:
    void OnOwnCommand() { ++commands; }
    void OnOwnNotify(NMHDR*, LRESULT* pResult)
    {
        ++notifications;
        *pResult = 0x77;
    }
    void OnDrawItem(int, LPDRAWITEMSTRUCT) { ++drawn; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HandlingBar, ProbeBar)
    ON_COMMAND(5001, OnOwnCommand)
    ON_NOTIFY(NM_CLICK, 5002, OnOwnNotify)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

// A control that draws its own items when its parent reflects them.
class SelfDrawingControl : public CWnd {
public:
    int drawn = 0;

protected:
    void DrawItem(LPDRAWITEMSTRUCT) { ++drawn; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SelfDrawingControl, CWnd)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

struct OwnerSetUp {
    OwnerFrame* frame = nullptr;
    std::unique_ptr<FrameHolder> holder;
    bool Make()
    {
        frame = NewFrame<OwnerFrame>();
        holder = std::make_unique<FrameHolder>(frame);
        return frame != nullptr;
    }
};

TEST_F(WtkBaseBarMessages, ItemCommandAndNotifyMessagesTheBarLeavesGoToItsOwner)
{
    OwnerSetUp owner;
    ASSERT_TRUE(owner.Make());
    ProbeBar bar;
    ASSERT_TRUE(bar.Create(owner.frame, 350));
    HWND stranger = owner.frame->m_hWnd;  // a window that is none of the bar's controls

    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_BUTTON;
    draw.hwndItem = stranger;
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_LISTBOX;
    DELETEITEMSTRUCT deleted = {};
    deleted.hwndItem = stranger;
    COMPAREITEMSTRUCT compare = {};
    compare.hwndItem = stranger;
    NMHDR notify = {stranger, 77, static_cast<UINT>(NM_CLICK)};
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const Case cases[] = {
        {WM_DRAWITEM, 12, reinterpret_cast<LPARAM>(&draw)},
        {WM_MEASUREITEM, 13, reinterpret_cast<LPARAM>(&measure)},
        {WM_DELETEITEM, 14, reinterpret_cast<LPARAM>(&deleted)},
        {WM_VKEYTOITEM, MAKEWPARAM(VK_DOWN, 2), reinterpret_cast<LPARAM>(stranger)},
        {WM_CHARTOITEM, MAKEWPARAM('a', 3), reinterpret_cast<LPARAM>(stranger)},
        {WM_COMPAREITEM, 15, reinterpret_cast<LPARAM>(&compare)},
        {WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&notify)},
        {WM_COMMAND, MAKEWPARAM(5001, 0), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        owner.frame->received.clear();
        EXPECT_EQ(bar.SendMessage(c.message, c.wParam, c.lParam), OwnerFrame::AnswerTo(c.message));
        ASSERT_EQ(owner.frame->received.size(), 1u);
        EXPECT_EQ(owner.frame->received[0].message, c.message);
        EXPECT_EQ(owner.frame->received[0].wParam, c.wParam);
        EXPECT_EQ(owner.frame->received[0].lParam, c.lParam);
    }

    // The stored owner comes before the parent.
    OwnerSetUp other;
    ASSERT_TRUE(other.Make());
    bar.SetOwner(other.frame);
    owner.frame->received.clear();
    EXPECT_EQ(bar.SendMessage(WM_COMMAND, MAKEWPARAM(5001, 0), 0), OwnerFrame::AnswerTo(WM_COMMAND));
    EXPECT_TRUE(owner.frame->received.empty());
    EXPECT_EQ(other.frame->received.size(), 1u);
}

TEST_F(WtkBaseBarMessages, WhatTheBarOrItsControlsHandleStaysWithThem)
{
    OwnerSetUp owner;
    ASSERT_TRUE(owner.Make());
    HandlingBar bar;
    ASSERT_TRUE(bar.Create(owner.frame, 351));
    SelfDrawingControl control;
    ASSERT_TRUE(control.CreateEx(0, AfxRegisterWndClass(0), "control", WS_CHILD | WS_VISIBLE,
                                       CRect(0, 0, 10, 10), &bar, 352));

    bar.SendMessage(WM_COMMAND, MAKEWPARAM(5001, 0), 0);
    EXPECT_EQ(bar.commands, 1);
    NMHDR notify = {owner.frame->m_hWnd, 5002, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(bar.SendMessage(WM_NOTIFY, 5002, reinterpret_cast<LPARAM>(&notify)), 0x77);
    EXPECT_EQ(bar.notifications, 1);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_BUTTON;
    bar.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(bar.drawn, 1);
    EXPECT_TRUE(owner.frame->received.empty());

    // A plain bar reflects a control's item to the control.
    ProbeBar plain;
    ASSERT_TRUE(plain.Create(owner.frame, 353));
    SelfDrawingControl inPlain;
    ASSERT_TRUE(inPlain.CreateEx(0, AfxRegisterWndClass(0), "control", WS_CHILD | WS_VISIBLE,
                                       CRect(0, 0, 10, 10), &plain, 354));
    draw.hwndItem = inPlain.m_hWnd;
    EXPECT_EQ(plain.SendMessage(WM_DRAWITEM, 354, reinterpret_cast<LPARAM>(&draw)), TRUE);
    EXPECT_EQ(inPlain.drawn, 1);
    EXPECT_TRUE(owner.frame->received.empty());
}

TEST_F(WtkBaseBarMessages, ATooltipTextTheOwnerLeavesIsAskedOfTheBarItself)
{
    OwnerSetUp owner;
    ASSERT_TRUE(owner.Make());
    ProbeBar bar;
    ASSERT_TRUE(bar.Create(owner.frame, 360, WS_CHILD | WS_VISIBLE, 0, CRect(0, 0, 80, 20), BarClass()));
    struct Case {
        const char* name;
        OwnerFrame::Tooltip tooltip;
        bool wide;
        int askedOfBar;
        LRESULT answer;
        const char* text;
    };
    const Case cases[] = {
        {"owner gives a text", OwnerFrame::Tooltip::Text, false, 0, OwnerFrame::AnswerTo(WM_NOTIFY), "from owner"},
        {"owner gives a resource", OwnerFrame::Tooltip::Resource, false, 0, OwnerFrame::AnswerTo(WM_NOTIFY),
         nullptr},
        {"owner gives a resource id only", OwnerFrame::Tooltip::ResourceWithoutModule, false, 0,
         OwnerFrame::AnswerTo(WM_NOTIFY), nullptr},
        {"owner leaves it", OwnerFrame::Tooltip::Leave, false, 1, 0x51, "from bar"},
        {"owner leaves a wide request", OwnerFrame::Tooltip::Leave, true, 1, 0x52, "from bar"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        owner.frame->tooltip = c.tooltip;
        g_ownTooltipAnswers = 0;
        LRESULT answer;
        std::string text;
        if (c.wide) {
            NMTTDISPINFOW info = {};
            info.hdr = {owner.frame->m_hWnd, 360, static_cast<UINT>(TTN_NEEDTEXTW)};
            info.lpszText = info.szText;
            answer = bar.SendMessage(WM_NOTIFY, 360, reinterpret_cast<LPARAM>(&info));
            char narrow[80] = {};
            ::WideCharToMultiByte(CP_ACP, 0, info.szText, -1, narrow, sizeof narrow, nullptr, nullptr);
            text = narrow;
        } else {
            NMTTDISPINFOA info = {};
            info.hdr = {owner.frame->m_hWnd, 360, static_cast<UINT>(TTN_NEEDTEXTA)};
            info.lpszText = info.szText;
            answer = bar.SendMessage(WM_NOTIFY, 360, reinterpret_cast<LPARAM>(&info));
            text = info.szText;
        }
        EXPECT_EQ(g_ownTooltipAnswers, c.askedOfBar);
        EXPECT_EQ(answer, c.answer);
        if (c.text) {
            EXPECT_EQ(text, c.text);
        }
    }
    // Other notifications stay with the owner, answered or not.
    owner.frame->tooltip = OwnerFrame::Tooltip::Leave;
    g_ownTooltipAnswers = 0;
    NMHDR other = {owner.frame->m_hWnd, 360, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(bar.SendMessage(WM_NOTIFY, 360, reinterpret_cast<LPARAM>(&other)), OwnerFrame::AnswerTo(WM_NOTIFY));
    EXPECT_EQ(g_ownTooltipAnswers, 0);
}

// ---- Help, idle updates, pre-translation ------------------------------------------------------

TEST_F(WtkBaseBarMessages, HelpHitTestNamesTheItemUnderThePointOrTheBar)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    struct Case {
        const char* name;
        int barId;
        CPoint point;
        LRESULT context;
    };
    const Case cases[] = {
        {"over the button", 0xE800, CPoint(15, 5), HID_BASE_COMMAND + 120},
        {"beside it", 0xE800, CPoint(60, 5), HID_BASE_CONTROL + 0xE800},
        {"id with high bits", 0x1E801, CPoint(60, 5), HID_BASE_CONTROL + 0xE801},
        {"no id", 0, CPoint(60, 5), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProbeBar bar;
        ASSERT_TRUE(bar.Create(frame, 1, WS_CHILD | WS_VISIBLE, 0, CRect(0, 0, 100, 20)));
        bar.SetDlgCtrlID(c.barId);
        CWnd button;
        ASSERT_TRUE(button.CreateEx(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE, CRect(10, 0, 30, 20), &bar, 120));
        EXPECT_EQ(bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(c.point.x, c.point.y)), c.context);
    }
}

TEST_F(WtkBaseBarMessages, IdleUpdatesGoToTheOwnerFrameOfAVisibleBar)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    CountingFrame* ownerFrame = NewFrame();
    ASSERT_NE(ownerFrame, nullptr);
    FrameHolder ownerHolder(ownerFrame);
    CWnd plainOwner;
    ASSERT_TRUE(plainOwner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    Probe<CWtkDockBar> shownDockBar;
    Probe<CWtkDockBar> hiddenDockBar;
    ASSERT_TRUE(shownDockBar.Create(frame, 0xE81B, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
    ASSERT_TRUE(hiddenDockBar.Create(frame, 0xE81E, WS_CHILD | CBRS_ALIGN_BOTTOM));

    struct Case {
        const char* name;
        BOOL visible;
        CWnd* owner;
        CWtkDockBar* dockBar;
        CFrameWnd* target;
    };
    const Case cases[] = {
        {"parent frame", TRUE, nullptr, nullptr, frame},
        {"owner frame", TRUE, ownerFrame, nullptr, ownerFrame},
        {"owner that is no frame", TRUE, &plainOwner, nullptr, frame},
        {"hidden bar", FALSE, nullptr, nullptr, nullptr},
        {"visible dock bar", TRUE, nullptr, &shownDockBar, frame},
        {"hidden dock bar", TRUE, nullptr, &hiddenDockBar, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProbeBar bar;
        ASSERT_TRUE(bar.Create(frame, 370, WS_CHILD | (c.visible ? WS_VISIBLE : 0)));
        bar.SetOwner(c.owner);
        bar.PutInRow(c.dockBar, nullptr);
        for (BOOL disable : {TRUE, FALSE})
            EXPECT_EQ(bar.SendMessage(WM_IDLEUPDATECMDUI, disable, 0), 0);
        if (!c.target) {
            EXPECT_TRUE(bar.updates.empty());
            continue;
        }
        ASSERT_EQ(bar.updates.size(), 2u);
        EXPECT_EQ(bar.updates[0].target, c.target);
        EXPECT_EQ(bar.updates[0].disableIfNoHandler, TRUE);
        EXPECT_EQ(bar.updates[1].disableIfNoHandler, FALSE);
    }
    plainOwner.DestroyWindow();
}

TEST_F(WtkBaseBarMessages, OwnerFramesTranslateFirstExceptInContextHelpMode)
{
    OwnerSetUp owner;
    ASSERT_TRUE(owner.Make());
    ProbeBar bar;
    ASSERT_TRUE(bar.Create(owner.frame, 380, WS_CHILD | WS_VISIBLE, 0, CRect(0, 0, 100, 30)));
    CWnd button;
    ASSERT_TRUE(button.CreateEx(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 30, 20),
                                      &bar, 381));
    struct Case {
        const char* name;
        BOOL frameTakes;
        int helpMode;
        HWND target;
        BOOL result;
        bool offered;
    };
    const Case cases[] = {
        {"the frame takes it", TRUE, CFrameWnd::HELP_INACTIVE, button.m_hWnd, TRUE, true},
        {"a key for the bar's controls", FALSE, CFrameWnd::HELP_INACTIVE, button.m_hWnd, TRUE, true},
        {"a key elsewhere", FALSE, CFrameWnd::HELP_INACTIVE, owner.frame->m_hWnd, FALSE, true},
        {"context help", TRUE, CFrameWnd::HELP_ACTIVE, button.m_hWnd, FALSE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        owner.frame->takeTranslation = c.frameTakes;
        owner.frame->m_bHelpMode = c.helpMode;
        owner.frame->translated.clear();
        MSG msg = {c.target, WM_KEYDOWN, VK_TAB, 0};
        EXPECT_EQ(bar.PreTranslateMessage(&msg), c.result);
        EXPECT_EQ(owner.frame->translated == std::vector<UINT>{WM_KEYDOWN}, c.offered);
    }
    owner.frame->m_bHelpMode = CFrameWnd::HELP_INACTIVE;
}

TEST_F(WtkBaseBarMessages, ABarTellsItsRowWhenItsSizeChanges)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    RecordingRow row;
    ProbeBar bar;
    ASSERT_TRUE(bar.Create(frame, 390));
    bar.SetWindowPos(nullptr, 0, 0, 120, 25, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(row.resized.empty());
    bar.PutInRow(nullptr, &row);
    bar.SetWindowPos(nullptr, 0, 0, 140, 25, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(row.resized, std::vector<CWtkBaseControlBar*>{&bar});
}

}  // namespace
