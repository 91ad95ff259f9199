#include "task/shared/title_pattern.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct PatternCase {
    const char* pattern;
    const char* title;
    bool matches;
};

void PrintTo(const PatternCase& c, std::ostream* out)
{
    *out << '"' << c.pattern << "\" vs \"" << c.title << '"';
}

class TitlePatternMatch : public ::testing::TestWithParam<PatternCase> {};

TEST_P(TitlePatternMatch, AgreesWithWildcardRules)
{
    const PatternCase& c = GetParam();
    EXPECT_EQ(MatchTitlePattern(c.pattern, c.title), c.matches)
        << "pattern \"" << c.pattern << "\" title \"" << c.title << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TitlePatternMatch,
    ::testing::Values(
        // A star that must give back characters it first took.
        PatternCase{"*e Window", "Tarvex Probe Window", true},
        PatternCase{"a*b", "abab", true},
        PatternCase{"*a", "banana", true},
        PatternCase{"*n", "banana", false},
        PatternCase{"a*b*c", "aXbYbZc", true},
        PatternCase{"*Probe*", "Tarvex Probe Window", true},
        PatternCase{"*?", "a", true},
        PatternCase{"*?", "", false},
        // Prefixes, single characters and exact titles.
        PatternCase{"Tarvex*", "Tarvex Probe Window", true},
        PatternCase{"*", "Untitled - Notepad", true},
        PatternCase{"**", "x", true},
        PatternCase{"T?rvex", "Tarvex", true},
        PatternCase{"Tarvex?", "Tarvex", false},
        PatternCase{"Tarvex Probe Window", "Tarvex Probe Window", true},
        // The whole title has to be used up.
        PatternCase{"Tarvex", "Tarvex Probe", false},
        PatternCase{"Tarvex Probe", "Tarvex", false},
        // Letters compare case-sensitively.
        PatternCase{"tarvex*", "Tarvex Probe", false},
        // A star or question mark in the title is an ordinary character.
        PatternCase{"a*", "a*", true},
        // An empty pattern matches nothing, not even an empty title.
        PatternCase{"", "Tarvex", false},
        PatternCase{"", "", false}));

TEST(TitlePatternMatch, NullPatternMatchesNothing)
{
    EXPECT_FALSE(MatchTitlePattern(nullptr, "Tarvex"));
}

// A window of this test's own, destroyed with the object.
class TestWindow {
public:
    TestWindow(const char* title, DWORD style, HWND owner = nullptr)
    {
        m_window = CreateWindowExA(0, "STATIC", title, style, 10, 10, 200, 80, owner, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    }
    ~TestWindow()
    {
        if (m_window != nullptr)
            DestroyWindow(m_window);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Get() const { return m_window; }

private:
    HWND m_window = nullptr;
};

constexpr DWORD kShown = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

TEST(FindWindowByTitle, FindsVisibleTopLevelWindowWhoseTitleMatches)
{
    TestWindow probe("Tarvex Probe Window 7Q", kShown);
    ASSERT_NE(probe.Get(), nullptr);
    EXPECT_EQ(FindWindowByTitle("*e Window 7Q"), probe.Get());
    EXPECT_EQ(FindWindowByTitle("Tarvex Probe Window ?Q"), probe.Get());
}

TEST(FindWindowByTitle, PassesOverHiddenOwnedAndUnmatchedWindows)
{
    TestWindow hidden("Tarvex Hidden 7Q", WS_OVERLAPPEDWINDOW);
    TestWindow owner("Tarvex Owner 7Q", kShown);
    TestWindow owned("Tarvex Owned 7Q", WS_POPUP | WS_CAPTION | WS_VISIBLE, owner.Get());
    ASSERT_NE(hidden.Get(), nullptr);
    ASSERT_NE(owned.Get(), nullptr);
    ASSERT_EQ(GetWindow(owned.Get(), GW_OWNER), owner.Get());

    EXPECT_EQ(FindWindowByTitle("Tarvex Hidden 7Q"), nullptr);
    EXPECT_EQ(FindWindowByTitle("Tarvex Owned 7Q"), nullptr);
    EXPECT_EQ(FindWindowByTitle("Tarvex Nobody 7Q"), nullptr);
    EXPECT_EQ(FindWindowByTitle("Tarvex Own* 7Q"), owner.Get());
}

TEST(FindWindowByTitle, EmptyPatternFindsNoWindow)
{
    TestWindow probe("Tarvex Probe 8Q", kShown);
    ASSERT_NE(probe.Get(), nullptr);
    EXPECT_EQ(FindWindowByTitle(""), nullptr);
    EXPECT_EQ(FindWindowByTitle(nullptr), nullptr);
}

}  // namespace
