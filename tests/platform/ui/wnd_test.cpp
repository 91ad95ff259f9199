#include <gtest/gtest.h>

#include "platform/ui/wnd.h"

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
