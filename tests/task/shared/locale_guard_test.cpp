#include "task/shared/locale_guard.h"

#include <gtest/gtest.h>

#include <clocale>
#include <ctime>
#include <string>

namespace {

std::string CurrentTimeLocale()
{
    const char* name = std::setlocale(LC_TIME, nullptr);
    return name != nullptr ? name : "";
}

std::string FormatShortDate(const std::tm& when)
{
    char text[64] = "";
    std::strftime(text, sizeof text, "%x", &when);
    return text;
}

std::tm FifteenthOfJanuary2025()
{
    std::tm when = {};
    when.tm_year = 2025 - 1900;
    when.tm_mon = 0;
    when.tm_mday = 15;
    when.tm_hour = 21;
    when.tm_min = 5;
    when.tm_sec = 3;
    when.tm_wday = 3;
    return when;
}

std::string UserShortDate()
{
    SYSTEMTIME when = {};
    when.wYear = 2025;
    when.wMonth = 1;
    when.wDay = 15;
    char text[64] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, text, sizeof text);
    return text;
}

class LocaleGuardTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, std::setlocale(LC_ALL, "C")); }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(LocaleGuardTest, DatesFormatAsTheUserLocaleOnlyWhileTheGuardLives)
{
    const std::tm when = FifteenthOfJanuary2025();
    const std::string before = CurrentTimeLocale();
    const std::string cDate = FormatShortDate(when);
    {
        CLocaleGuard guard(LC_TIME, LOCALE_USER_DEFAULT);
        // The runtime library may add the code page (".1252") to the name.
        const std::string userLocale = CLocaleGuard::RuntimeLocaleName(LOCALE_USER_DEFAULT);
        ASSERT_FALSE(userLocale.empty());
        EXPECT_EQ(0u, CurrentTimeLocale().rfind(userLocale, 0)) << CurrentTimeLocale();
        EXPECT_EQ(UserShortDate(), FormatShortDate(when));
        EXPECT_NE(cDate, FormatShortDate(when));
    }
    EXPECT_EQ(before, CurrentTimeLocale());
    EXPECT_EQ(cDate, FormatShortDate(when));
}

TEST_F(LocaleGuardTest, TouchesOnlyItsOwnCategory)
{
    const std::string numeric = std::setlocale(LC_NUMERIC, nullptr);
    CLocaleGuard guard(LC_TIME, LOCALE_USER_DEFAULT);
    EXPECT_EQ(numeric, std::setlocale(LC_NUMERIC, nullptr));
}

TEST_F(LocaleGuardTest, LocaleThatCannotBeQueriedLeavesTheRuntimeLocaleUnchanged)
{
    const std::string before = CurrentTimeLocale();
    {
        CLocaleGuard guard(LC_TIME, MAKELCID(0x3FF, SORT_DEFAULT));
        EXPECT_EQ(before, CurrentTimeLocale());
    }
    EXPECT_EQ(before, CurrentTimeLocale());
}

TEST(LocaleName, IsEnglishLanguageUnderscoreEnglishCountry)
{
    EXPECT_EQ("English_United States",
              CLocaleGuard::RuntimeLocaleName(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT)));
    EXPECT_EQ("German_Germany",
              CLocaleGuard::RuntimeLocaleName(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT)));
}

}  // namespace
