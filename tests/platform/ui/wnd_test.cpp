#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/check_list_box.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_box.h"
#include "platform/ui/window_class.h"
#include "platform/ui/win_thread.h"
#include "platform/ui/wnd.h"
#include "test_resource.h"

namespace {

HWND MakeWindow()
{
    return ::CreateWindowA("STATIC", "probe", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                           ::GetModuleHandleA(nullptr), nullptr);
}

TEST(Window, DestroysTheWindowItStillOwns)
{
    HWND window = MakeWindow();
    ASSERT_TRUE(::IsWindow(window));
    {
        CWnd owner;
        ASSERT_TRUE(owner.Attach(window));
        EXPECT_EQ(owner.GetSafeHwnd(), window);
    }
    EXPECT_FALSE(::IsWindow(window));
}

TEST(Window, DetachedWindowOutlivesTheObject)
{
    HWND window = MakeWindow();
    {
        CWnd owner;
        ASSERT_TRUE(owner.Attach(window));
        EXPECT_EQ(owner.Detach(), window);
        EXPECT_EQ(owner.GetSafeHwnd(), nullptr);
    }
    EXPECT_TRUE(::IsWindow(window));
    ::DestroyWindow(window);
}

TEST(Window, AttachRefusesANonWindowAndASecondWindow)
{
    HWND first = MakeWindow();
    HWND second = MakeWindow();
    CWnd owner;
    EXPECT_FALSE(owner.Attach(nullptr));
    EXPECT_FALSE(owner.Attach(reinterpret_cast<HWND>(0x7ff0)));
    ASSERT_TRUE(owner.Attach(first));
    EXPECT_FALSE(owner.Attach(second));
    EXPECT_EQ(owner.GetSafeHwnd(), first);
    ::DestroyWindow(second);
}

TEST(Window, DestroyWindowLeavesNoHandleBehind)
{
    CWnd owner;
    EXPECT_FALSE(owner.DestroyWindow());
    HWND window = MakeWindow();
    ASSERT_TRUE(owner.Attach(window));
    EXPECT_TRUE(owner.DestroyWindow());
    EXPECT_EQ(owner.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(::IsWindow(window));
}

TEST(Window, SetIconKeepsBigAndSmallIconsApartAndReturnsThePreviousOne)
{
    CWnd owner;
    ASSERT_TRUE(owner.Attach(MakeWindow()));
    HICON application = ::LoadIconA(nullptr, IDI_APPLICATION);
    HICON question = ::LoadIconA(nullptr, IDI_QUESTION);

    EXPECT_EQ(owner.SetIcon(application, TRUE), nullptr);
    EXPECT_EQ(owner.SetIcon(question, FALSE), nullptr);
    EXPECT_EQ(owner.GetIcon(TRUE), application);
    EXPECT_EQ(owner.GetIcon(FALSE), question);
    EXPECT_EQ(owner.SetIcon(question, TRUE), application);
}

}  // namespace

// ---------------------------------------------------------------------------
// Objects and handles
// ---------------------------------------------------------------------------

namespace {

TEST(WindowObjects, ForeignWindowGetsOneTemporaryObjectUntilIdleAndAttachTakesOver)
{
    HWND window = MakeWindow();
    CWnd* first = CWnd::FromHandle(window);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CWnd::FromHandle(window), first);
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
    EXPECT_EQ(first->m_hWnd, window);
    EXPECT_TRUE(first->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

    // Freeing the temporary objects leaves the window alone.
    CWinThread idle;
    EXPECT_TRUE(idle.OnIdle(0));
    EXPECT_FALSE(idle.OnIdle(1));
    EXPECT_TRUE(::IsWindow(window));

    CWnd owner;
    ASSERT_TRUE(owner.Attach(window));
    EXPECT_EQ(CWnd::FromHandle(window), &owner);
    EXPECT_EQ(CWnd::FromHandlePermanent(window), &owner);
    // A second object cannot claim the same window.
    CWnd second;
    EXPECT_FALSE(second.Attach(window));
}

// Records the messages its window receives and what it knew at the time.
class Recorder : public CWnd {
public:
    std::vector<UINT> messages;
    bool attachedAtFirst = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (messages.empty())
            attachedAtFirst = m_hWnd != nullptr && CWnd::FromHandlePermanent(m_hWnd) == this;
        messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct ClassCase {
    const char* name;
    bool popup;
};

TEST(WindowCreation, ObjectIsAttachedBeforeTheFirstMessageForOwnAndSystemClasses)
{
    const std::string own = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
    const ClassCase cases[] = {{own.c_str(), true}, {own.c_str(), false}, {"BUTTON", false},
                               {"EDIT", false},     {"LISTBOX", false},   {"#32770", true}};
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, own.c_str(), "parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    for (const ClassCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.popup ? " popup" : " child"));
        Recorder window;
        const DWORD style = c.popup ? WS_POPUP : WS_CHILD;
        ASSERT_TRUE(window.CreateEx(0, c.name, "x", style, 0, 0, 50, 20, c.popup ? nullptr : parent.m_hWnd,
                                    c.popup ? nullptr : reinterpret_cast<HMENU>(7)));
        ASSERT_FALSE(window.messages.empty());
        EXPECT_TRUE(window.attachedAtFirst);
        // Nothing of the creation was missed.
        EXPECT_TRUE(window.messages[0] == WM_NCCREATE || window.messages[0] == WM_GETMINMAXINFO)
            << "first message " << window.messages[0];
        EXPECT_NE(std::find(window.messages.begin(), window.messages.end(), static_cast<UINT>(WM_NCCREATE)),
                  window.messages.end());
        EXPECT_NE(std::find(window.messages.begin(), window.messages.end(), static_cast<UINT>(WM_CREATE)),
                  window.messages.end());
        // The system class still does its own work behind the object.
        window.SetWindowText("changed");
        CString text;
        window.GetWindowText(text);
        EXPECT_STREQ(text, "changed");
        HWND handle = window.m_hWnd;
        EXPECT_TRUE(window.DestroyWindow());
        EXPECT_FALSE(::IsWindow(handle));
        EXPECT_EQ(window.m_hWnd, nullptr);
        EXPECT_EQ(CWnd::FromHandlePermanent(handle), nullptr);
    }
}

// How a creation fails.
enum class Failure { None, PreCreate, NcCreate, Create, CreateThrows, UnknownClass };

struct Ends {
    int postNcDestroy = 0;
    int deleted = 0;
};

// A window that deletes itself after its last message, as frames do.
class SelfDeleting : public CWnd {
public:
    SelfDeleting(Failure failure, Ends& ends) : m_failure(failure), m_ends(ends) {}
    ~SelfDeleting() override { ++m_ends.deleted; }

    BOOL Make(const char* windowClass) { return CreateEx(0, windowClass, "self", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr); }

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override { return m_failure != Failure::PreCreate; }
    BOOL OnNcCreate(LPCREATESTRUCT cs)
    {
        if (m_failure == Failure::NcCreate)
            return FALSE;
        return CWnd::OnNcCreate(cs);
    }
    int OnCreate(LPCREATESTRUCT cs)
    {
        if (m_failure == Failure::CreateThrows)
            throw std::runtime_error("no");
        if (m_failure == Failure::Create)
            return -1;
        return CWnd::OnCreate(cs);
    }
    void PostNcDestroy() override
    {
        ++m_ends.postNcDestroy;
        delete this;
    }

    DECLARE_MESSAGE_MAP()

private:
    Failure m_failure;
    Ends& m_ends;
};

BEGIN_MESSAGE_MAP(SelfDeleting, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
END_MESSAGE_MAP()

struct TitleSearch {
    const char* title;
    int count;
};

BOOL CALLBACK CountTitled(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<TitleSearch*>(lParam);
    char text[64] = "";
    ::GetWindowTextA(window, text, sizeof(text));
    if (lstrcmpA(text, search->title) == 0)
        ++search->count;
    return TRUE;
}

int CountThreadWindowsTitled(const char* title)
{
    TitleSearch search{title, 0};
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTitled, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

TEST(WindowCreation, FailedCreationLeavesNoWindowAndEndsTheObjectExactlyOnce)
{
    const std::string own = AfxRegisterWndClass(0);
    struct Case {
        const char* name;
        Failure failure;
        const char* windowClass;
    };
    const Case cases[] = {{"PreCreateWindowRefuses", Failure::PreCreate, own.c_str()},
                          {"NcCreateRefuses", Failure::NcCreate, own.c_str()},
                          {"CreateRefuses", Failure::Create, own.c_str()},
                          {"CreateThrows", Failure::CreateThrows, own.c_str()},
                          {"ClassDoesNotExist", Failure::None, "TvxNoSuchClass"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Ends ends;
        SelfDeleting* window = new SelfDeleting(c.failure, ends);
        EXPECT_FALSE(window->Make(c.windowClass));
        EXPECT_EQ(ends.postNcDestroy, 1);
        EXPECT_EQ(ends.deleted, 1);
        EXPECT_EQ(CountThreadWindowsTitled("self"), 0);
    }

    // The same class works, and the window ends itself once destroyed.
    Ends ends;
    SelfDeleting* window = new SelfDeleting(Failure::None, ends);
    ASSERT_TRUE(window->Make(own.c_str()));
    HWND handle = window->m_hWnd;
    EXPECT_EQ(CountThreadWindowsTitled("self"), 1);
    ::DestroyWindow(handle);
    EXPECT_EQ(ends.postNcDestroy, 1);
    EXPECT_EQ(ends.deleted, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(handle), nullptr);
}

// Handlers that throw, one message each.
class Thrower : public CWnd {
public:
    int paints = 0;

protected:
    LRESULT OnGetTextLength(WPARAM, LPARAM) { throw std::runtime_error("length"); }
    LRESULT OnUser(WPARAM, LPARAM) { throw 42; }
    void OnPaint()
    {
        ++paints;
        throw std::runtime_error("paint");
    }
    void OnNcDestroy()
    {
        // Ends without the base's clean-up: the framework still lets go.
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Thrower, CWnd)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(WM_USER + 5, OnUser)
    ON_WM_PAINT()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

TEST(WindowMessages, HandlerThatThrowsGetsTheDefaultAnswerAndTheWindowGoesOn)
{
    Thrower window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), "eleven char", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60,
                                nullptr, nullptr));
    // The default answer of the window's own procedure.
    EXPECT_EQ(window.SendMessage(WM_GETTEXTLENGTH), 11);
    EXPECT_EQ(window.SendMessage(WM_USER + 5), 0);
    // A painting that throws is not asked again and again.
    window.Invalidate();
    window.UpdateWindow();
    RECT dirty;
    EXPECT_FALSE(::GetUpdateRect(window.m_hWnd, &dirty, FALSE));
    EXPECT_EQ(window.paints, 1);
    EXPECT_TRUE(::IsWindow(window.m_hWnd));
    HWND handle = window.m_hWnd;
    EXPECT_TRUE(window.DestroyWindow());
    EXPECT_EQ(CWnd::FromHandlePermanent(handle), nullptr);
    EXPECT_EQ(window.m_hWnd, nullptr);
}

class SubclassProbe : public CWnd {
public:
    int preSubclass = 0;
    int sizes = 0;

protected:
    void PreSubclassWindow() override { ++preSubclass; }
    void OnSize(UINT, int, int)
    {
        ++sizes;
        Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SubclassProbe, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

TEST(WindowObjects, SubclassingRoutesMessagesThroughTheMapAndUnsubclassGivesTheProcedureBack)
{
    HWND parent = MakeWindow();
    HWND child = ::CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 50, 20, parent, reinterpret_cast<HMENU>(33),
                                 ::GetModuleHandleA(nullptr), nullptr);
    const LONG_PTR original = ::GetWindowLongPtrA(child, GWLP_WNDPROC);
    CWnd parentObject;
    ASSERT_TRUE(parentObject.Attach(parent));
    {
        SubclassProbe probe;
        EXPECT_FALSE(probe.SubclassDlgItem(34, &parentObject));
        ASSERT_TRUE(probe.SubclassDlgItem(33, &parentObject));
        EXPECT_EQ(probe.preSubclass, 1);
        EXPECT_NE(::GetWindowLongPtrA(child, GWLP_WNDPROC), original);
        ::MoveWindow(child, 0, 0, 60, 30, FALSE);
        EXPECT_EQ(probe.sizes, 1);
        EXPECT_EQ(probe.UnsubclassWindow(), child);
        EXPECT_EQ(::GetWindowLongPtrA(child, GWLP_WNDPROC), original);
        ::MoveWindow(child, 0, 0, 70, 30, FALSE);
        EXPECT_EQ(probe.sizes, 1);
    }
    // Unsubclassed: the object went without the window.
    EXPECT_TRUE(::IsWindow(child));
}

// A stand-in frame: frames answer AsFrameWnd with themselves.
class FakeFrame : public CWnd {
public:
    CFrameWnd* AsFrameWnd() override { return reinterpret_cast<CFrameWnd*>(this); }
};

TEST(WindowFamily, OwnerParentAndFramesAreFoundUpTheTree)
{
    const char* windowClass = AfxRegisterWndClass(0);
    FakeFrame outer;
    ASSERT_TRUE(outer.CreateEx(0, windowClass, "outer", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    FakeFrame inner;
    ASSERT_TRUE(inner.CreateEx(0, windowClass, "inner", WS_CHILD, 0, 0, 100, 100, outer.m_hWnd, nullptr));
    CWnd view;
    ASSERT_TRUE(view.CreateEx(0, windowClass, "view", WS_CHILD, 0, 0, 50, 50, inner.m_hWnd, nullptr));
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, windowClass, "popup", WS_POPUP, 0, 0, 50, 50, view.m_hWnd, nullptr));

    EXPECT_TRUE(outer.IsFrameWnd());
    EXPECT_FALSE(view.IsFrameWnd());
    EXPECT_EQ(view.GetParent(), &inner);
    EXPECT_EQ(reinterpret_cast<CWnd*>(view.GetParentFrame()), &inner);
    EXPECT_EQ(reinterpret_cast<CWnd*>(view.GetTopLevelFrame()), &outer);
    EXPECT_EQ(reinterpret_cast<CWnd*>(outer.GetParentFrame()), nullptr);
    EXPECT_EQ(view.GetParentOwner(), &outer);
    EXPECT_EQ(view.GetTopLevelParent(), &outer);
    // A popup owned by a child is owned by that child's top-level window.
    EXPECT_EQ(popup.GetTopLevelParent(), &outer);
    EXPECT_EQ(popup.GetTopLevelOwner(), &outer);

    EXPECT_EQ(view.GetOwner(), &inner);
    view.SetOwner(&outer);
    EXPECT_EQ(view.GetOwner(), &outer);
    EXPECT_EQ(view.GetParent(), &inner);

    EXPECT_EQ(CWnd::GetSafeOwner(&view), &outer);
    HWND top = nullptr;
    EXPECT_EQ(CWnd::GetSafeOwner(&view, &top), &outer);
    EXPECT_EQ(top, outer.m_hWnd);
}

class CountingChild : public CWnd {
public:
    int got = 0;

protected:
    LRESULT OnCount(WPARAM, LPARAM)
    {
        ++got;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

constexpr UINT kCountMessage = WM_APP + 40;

BEGIN_MESSAGE_MAP(CountingChild, CWnd)
    ON_MESSAGE(kCountMessage, OnCount)
END_MESSAGE_MAP()

int g_rawCount = 0;

LRESULT CALLBACK RawCounterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kCountMessage)
        ++g_rawCount;
    return ::DefWindowProcA(window, message, wParam, lParam);
}

TEST(WindowFamily, MessagesToDescendantsReachChildrenGrandchildrenOrOnlyObjects)
{
    const char* windowClass = AfxRegisterWndClass(0);
    CWnd root;
    ASSERT_TRUE(root.CreateEx(0, windowClass, "root", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    CountingChild child;
    ASSERT_TRUE(child.CreateEx(0, windowClass, "child", WS_CHILD, 0, 0, 100, 100, root.m_hWnd, nullptr));
    CountingChild grandchild;
    ASSERT_TRUE(grandchild.CreateEx(0, windowClass, "grand", WS_CHILD, 0, 0, 50, 50, child.m_hWnd, nullptr));
    // A window without an object, whose own procedure counts.
    g_rawCount = 0;
    WNDCLASSA raw = {};
    raw.lpfnWndProc = RawCounterProc;
    raw.hInstance = ::GetModuleHandleA(nullptr);
    raw.lpszClassName = "TvxRawCounter";
    ::RegisterClassA(&raw);
    ::CreateWindowA("TvxRawCounter", "", WS_CHILD, 0, 0, 10, 10, child.m_hWnd, nullptr, raw.hInstance, nullptr);

    struct Case {
        BOOL deep;
        BOOL onlyPermanent;
        int child;
        int grandchild;
        int raw;
    };
    const Case cases[] = {{FALSE, FALSE, 1, 0, 0}, {TRUE, FALSE, 1, 1, 1}, {TRUE, TRUE, 1, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "deep " << c.deep << " only objects " << c.onlyPermanent);
        child.got = grandchild.got = g_rawCount = 0;
        root.SendMessageToDescendants(kCountMessage, 0, 0, c.deep, c.onlyPermanent);
        EXPECT_EQ(child.got, c.child);
        EXPECT_EQ(grandchild.got, c.grandchild);
        EXPECT_EQ(g_rawCount, c.raw);
    }
}

TEST(WindowObjects, ControlsKnowTheirKinds)
{
    CButton button;
    CEdit edit;
    CListBox list;
    CCheckListBox checks;
    CComboBox combo;
    struct Case {
        CWnd* object;
        const CRuntimeClass* own;
    };
    const Case cases[] = {{&button, RUNTIME_CLASS(CButton)},
                          {&edit, RUNTIME_CLASS(CEdit)},
                          {&list, RUNTIME_CLASS(CListBox)},
                          {&checks, RUNTIME_CLASS(CCheckListBox)},
                          {&combo, RUNTIME_CLASS(CComboBox)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.own->m_lpszClassName);
        EXPECT_TRUE(c.object->IsKindOf(RUNTIME_CLASS(CWnd)));
        EXPECT_TRUE(c.object->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
        EXPECT_TRUE(c.object->IsKindOf(c.own));
        EXPECT_STREQ(c.object->GetRuntimeClass()->m_lpszClassName, c.own->m_lpszClassName);
    }
    EXPECT_TRUE(checks.IsKindOf(RUNTIME_CLASS(CListBox)));
    EXPECT_FALSE(list.IsKindOf(RUNTIME_CLASS(CCheckListBox)));
    EXPECT_FALSE(button.IsKindOf(RUNTIME_CLASS(CEdit)));
}

TEST(WindowClasses, SameLooksGiveTheSameRegisteredClassAndOthersANewOne)
{
    HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
    const std::string first = AfxRegisterWndClass(CS_DBLCLKS, arrow, face);
    EXPECT_EQ(first, AfxRegisterWndClass(CS_DBLCLKS, arrow, face));
    EXPECT_NE(first, AfxRegisterWndClass(CS_DBLCLKS, arrow));
    EXPECT_NE(first, AfxRegisterWndClass(0, arrow, face));
    WNDCLASSA info = {};
    ASSERT_TRUE(::GetClassInfoA(::GetModuleHandleA(nullptr), first.c_str(), &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(info.hCursor, arrow);
    EXPECT_EQ(info.hbrBackground, face);
}

}  // namespace

namespace {

class TemplateBar : public CWnd {
public:
    int creates = 0;

protected:
    int OnCreate(LPCREATESTRUCT cs)
    {
        ++creates;
        return CWnd::OnCreate(cs);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TemplateBar, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(WindowCreation, WindowFromADialogTemplateIsAttachedAndTakesTheTemplatesInitialisationData)
{
    HWND parentWindow = MakeWindow();
    CWnd parent;
    ASSERT_TRUE(parent.Attach(parentWindow));
    TemplateBar bar;
    ASSERT_TRUE(bar.CreateDlg(MAKEINTRESOURCEA(IDD_BAR_TEMPLATE), &parent));
    EXPECT_EQ(bar.creates, 1);
    EXPECT_EQ(bar.GetParent(), &parent);
    EXPECT_TRUE(bar.GetStyle() & WS_CHILD);
    ASSERT_TRUE(bar.ExecuteDlgInit(MAKEINTRESOURCEA(IDD_BAR_TEMPLATE)));
    HWND combo = ::GetDlgItem(bar.m_hWnd, IDC_BAR_COMBO);
    ASSERT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    char text[16] = "";
    ::SendMessageA(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Weekly");
    EXPECT_EQ(::SendDlgItemMessageA(bar.m_hWnd, IDC_BAR_LIST, LB_GETCOUNT, 0, 0), 1);
    // A template without initialisation data has nothing to add.
    EXPECT_TRUE(bar.ExecuteDlgInit(MAKEINTRESOURCEA(IDD_TEST_DIALOG)));
    // A template that is not there makes no window.
    CWnd missing;
    EXPECT_FALSE(missing.CreateDlg(MAKEINTRESOURCEA(IDD_MISSING_DIALOG), &parent));
    EXPECT_EQ(missing.m_hWnd, nullptr);
}

}  // namespace
