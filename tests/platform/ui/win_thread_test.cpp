// The message loop: pre-translation order, idle work and WM_QUIT.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/app.h"
#include "platform/ui/edit.h"
#include "platform/ui/window_class.h"
#include "platform/ui/wnd.h"

namespace {

std::vector<std::string> g_order;
std::string g_eater;

constexpr UINT kProbeKey = 'Q';

bool Eats(const std::string& name, const MSG* msg)
{
    return msg->message == WM_KEYDOWN && msg->wParam == kProbeKey && g_eater == name;
}

void Note(const std::string& name, const MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == kProbeKey)
        g_order.push_back(name);
}

// A window that notes the pre-translation it is offered and the key it receives.
class NamedWindow : public CWnd {
public:
    explicit NamedWindow(std::string name) : m_name(std::move(name)) {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        Note(m_name, pMsg);
        return Eats(m_name, pMsg) || CWnd::PreTranslateMessage(pMsg);
    }

private:
    std::string m_name;
};

class NamedEdit : public CEdit {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        Note("edit", pMsg);
        return Eats("edit", pMsg) || CEdit::PreTranslateMessage(pMsg);
    }

protected:
    void OnKeyDown(UINT nChar, UINT, UINT)
    {
        if (nChar == kProbeKey)
            g_order.push_back("edit got the key");
        Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NamedEdit, CEdit)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

class OrderApp : public CWinApp {
public:
    OrderApp() : CWinApp("Order Test") {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        Note("application", pMsg);
        return Eats("application", pMsg) || CWinApp::PreTranslateMessage(pMsg);
    }
};

TEST(MessageLoop, PreTranslationGoesFromTheApplicationToTheWindowAndEachParentUpToTheMainWindow)
{
    struct Case {
        const char* eater;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {"", {"application", "edit", "panel", "main", "edit got the key"}},
        {"application", {"application"}},
        {"edit", {"application", "edit"}},
        {"panel", {"application", "edit", "panel"}},
        {"main", {"application", "edit", "panel", "main"}},
    };
    const char* windowClass = AfxRegisterWndClass(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("eaten by ") + (*c.eater ? c.eater : "nobody"));
        OrderApp app;
        NamedWindow main("main");
        ASSERT_TRUE(main.CreateEx(0, windowClass, "main", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
        NamedWindow panel("panel");
        ASSERT_TRUE(panel.CreateEx(0, windowClass, "panel", WS_CHILD, 0, 0, 100, 100, main.m_hWnd, nullptr));
        NamedEdit edit;
        RECT rect = {0, 0, 80, 20};
        ASSERT_TRUE(edit.Create(WS_CHILD, rect, &panel, 5));
        app.m_pMainWnd = &main;
        g_order.clear();
        g_eater = c.eater;
        edit.PostMessage(WM_KEYDOWN, kProbeKey, 1);
        ::PostQuitMessage(3);
        EXPECT_EQ(app.Run(), 3);
        EXPECT_EQ(g_order, c.order);
        app.m_pMainWnd = nullptr;
    }
}

TEST(MessageLoop, WindowOutsideTheMainWindowsFamilyStillOffersItsKeysToTheMainWindow)
{
    OrderApp app;
    const char* windowClass = AfxRegisterWndClass(0);
    NamedWindow main("main");
    ASSERT_TRUE(main.CreateEx(0, windowClass, "main", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    NamedWindow stray("stray");
    ASSERT_TRUE(stray.CreateEx(0, windowClass, "stray", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    app.m_pMainWnd = &main;
    g_order.clear();
    g_eater.clear();
    stray.PostMessage(WM_KEYDOWN, kProbeKey, 1);
    ::PostQuitMessage(0);
    app.Run();
    EXPECT_EQ(g_order, (std::vector<std::string>{"application", "stray", "main"}));
    app.m_pMainWnd = nullptr;
}

// Counts the idle updates it receives.
class IdleCounter : public CWnd {
public:
    int updates = 0;
    WPARAM lastFlag = 0;

protected:
    LRESULT OnIdleUpdate(WPARAM disableIfNoHandler, LPARAM)
    {
        ++updates;
        lastFlag = disableIfNoHandler;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(IdleCounter, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

class IdleApp : public CWinApp {
public:
    IdleApp() : CWinApp("Idle Test") {}
    std::vector<LONG> counts;
    BOOL OnIdle(LONG lCount) override
    {
        counts.push_back(lCount);
        const BOOL more = CWinApp::OnIdle(lCount);
        // Once the idle work is done, end the loop.
        if (!more)
            ::PostQuitMessage(0);
        return more;
    }
};

TEST(MessageLoop, IdleTimeUpdatesTheMainWindowsFamilyOnceAndThenFreesTemporaryObjects)
{
    IdleApp app;
    const char* windowClass = AfxRegisterWndClass(0);
    IdleCounter main;
    ASSERT_TRUE(main.CreateEx(0, windowClass, "main", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
    IdleCounter child;
    ASSERT_TRUE(child.CreateEx(0, windowClass, "child", WS_CHILD, 0, 0, 50, 50, main.m_hWnd, nullptr));
    app.m_pMainWnd = &main;

    // A temporary object made before the loop runs.
    HWND foreign = ::CreateWindowA("STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CWnd* temporary = CWnd::FromHandle(foreign);
    ASSERT_EQ(temporary->m_hWnd, foreign);

    app.Run();
    EXPECT_EQ(app.counts, (std::vector<LONG>{0, 1}));
    EXPECT_EQ(main.updates, 1);
    EXPECT_EQ(child.updates, 1);
    EXPECT_EQ(main.lastFlag, static_cast<WPARAM>(TRUE));
    // The foreign window lives on; its object was made anew after idle time.
    EXPECT_TRUE(::IsWindow(foreign));
    CWnd* again = CWnd::FromHandle(foreign);
    EXPECT_EQ(again->m_hWnd, foreign);
    ::DestroyWindow(foreign);
    app.m_pMainWnd = nullptr;
}

}  // namespace
