#include "platform/framework/string.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/framework/resource_handle.h"
#include "string_test_resource.h"

namespace {

// Wine's and Western Windows' ANSI code page; the expected characters below
// are those of code page 1252.
class CStringAnsiTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (::GetACP() != 1252)
            GTEST_SKIP() << "ANSI code page " << ::GetACP() << " is not 1252";
    }
};

struct BstrDeleter {
    void operator()(BSTR text) const { ::SysFreeString(text); }
};

TEST_F(CStringAnsiTest, AllocSysStringConvertsThroughTheAnsiCodePage)
{
    const struct {
        const char* ansi;
        const wchar_t* wide;
    } cases[] = {
        {"", L""},
        {"plain", L"plain"},
        {"caf\xE9", L"caf\u00E9"},
        {"\x80 5", L"\u20AC 5"},  // euro sign, 0x80 in 1252
        {"Stra\xDF" "e \xC4\xD6\xDC", L"Stra\u00DFe \u00C4\u00D6\u00DC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ansi);
        std::unique_ptr<OLECHAR, BstrDeleter> bstr(CString(c.ansi).AllocSysString());
        ASSERT_NE(nullptr, bstr.get());
        EXPECT_EQ(std::wcslen(c.wide), ::SysStringLen(bstr.get()));
        EXPECT_EQ(std::wstring(c.wide), std::wstring(bstr.get(), ::SysStringLen(bstr.get())));
        EXPECT_EQ(CString(c.ansi), CString(bstr.get()));
        EXPECT_EQ(CString(c.ansi), CString(c.wide));
    }
}

TEST_F(CStringAnsiTest, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(CString("a?b"), CString(L"a\u4E2Db"));
}

TEST(CStringTest, AllocSysStringKeepsEmbeddedNulls)
{
    const CString text("a\0b", 3);
    std::unique_ptr<OLECHAR, BstrDeleter> bstr(text.AllocSysString());
    ASSERT_EQ(3u, ::SysStringLen(bstr.get()));
    EXPECT_EQ(L'b', bstr.get()[2]);
}

TEST(CStringTest, SetSysStringReplacesAndFreesTheTarget)
{
    BSTR target = ::SysAllocString(L"old");
    CString("new").SetSysString(&target);
    EXPECT_EQ(std::wstring(L"new"), std::wstring(target));
    ::SysFreeString(target);
}

TEST(CStringTest, NullPointersGiveEmptyStrings)
{
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_TRUE(CString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
    CString text("x");
    text = static_cast<const char*>(nullptr);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CStringTest, FormatWritesPrintfStyleText)
{
    CString text;
    text.Format("%s%s%s.tsk", "C:\\prog\\", "tasks\\", "Backup");
    EXPECT_EQ(CString("C:\\prog\\tasks\\Backup.tsk"), text);
    text.Format("%-10s %-8s %s\r\n", "1/15/2025", "9:05:03", "line");
    EXPECT_EQ(CString("1/15/2025  9:05:03  line\r\n"), text);
    text.Format("Error code %d\n%s", 2, "File not found.");
    EXPECT_EQ(CString("Error code 2\nFile not found."), text);
    const CString big('z', 5000);
    text.Format("[%s]", static_cast<const char*>(big));
    EXPECT_EQ(5002, text.GetLength());
    text.Format("%s", "");
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CStringTest, ComparisonsAreByteWiseAndNoCaseFoldsToLowerCase)
{
    const struct {
        const char* a;
        const char* b;
        int compare;  // sign
        int no_case;  // sign
    } cases[] = {
        {"abc", "abc", 0, 0},
        {"Backup", "backup", -1, 0},
        {"abc", "abd", -1, -1},
        {"abc", "ab", 1, 1},
        {"", "a", -1, -1},
        // '_' lies between the upper and lower case letters.
        {"_", "a", -1, -1},
        {"_", "A", 1, -1},
        {"\xE9t\xE9", "\xC9T\xC9", 1, 0},
    };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " / " << c.b);
        const CString a(c.a);
        EXPECT_EQ(c.compare, sign(a.Compare(c.b)));
        EXPECT_EQ(c.no_case, sign(a.CompareNoCase(c.b)));
        EXPECT_EQ(c.compare == 0, a == c.b);
        EXPECT_EQ(c.compare != 0, a != CString(c.b));
        EXPECT_EQ(c.compare < 0, a < c.b);
        EXPECT_EQ(c.compare > 0, c.b < a);
    }
}

TEST(CStringTest, SubstringsClampOutOfRangeArguments)
{
    const CString text("RunProgram(a,b)");
    EXPECT_EQ(CString("Program(a,b)"), text.Mid(3));
    EXPECT_EQ(CString("Pro"), text.Mid(3, 3));
    EXPECT_EQ(CString("RunProgram(a,b)"), text.Mid(-5));
    EXPECT_EQ(CString(""), text.Mid(40));
    EXPECT_EQ(CString("b)"), text.Mid(13, 100));
    EXPECT_EQ(CString(""), text.Mid(2, -1));
    EXPECT_EQ(CString("Run"), text.Left(3));
    EXPECT_EQ(CString(""), text.Left(-1));
    EXPECT_EQ(text, text.Left(99));
    EXPECT_EQ(CString("b)"), text.Right(2));
    EXPECT_EQ(text, text.Right(99));
    EXPECT_EQ(CString(""), text.Right(0));
    EXPECT_EQ(CString("Run"), text.SpanExcluding("P("));
    EXPECT_EQ(CString("RunP"), text.SpanIncluding("RunP"));
}

TEST(CStringTest, FindReturnsIndexesOrMinusOne)
{
    const CString text("a,b,,c");
    EXPECT_EQ(1, text.Find(','));
    EXPECT_EQ(3, text.Find(',', 2));
    EXPECT_EQ(-1, text.Find(',', 6));
    EXPECT_EQ(-1, text.Find(',', -1));
    EXPECT_EQ(3, text.Find(",,"));
    EXPECT_EQ(-1, text.Find(",,", 4));
    EXPECT_EQ(0, text.Find(""));
    EXPECT_EQ(4, text.ReverseFind(','));
    EXPECT_EQ(-1, text.ReverseFind('x'));
    EXPECT_EQ(1, text.FindOneOf(",c"));
    EXPECT_EQ(-1, text.FindOneOf("xyz"));
    EXPECT_EQ(-1, text.Find('\0'));
}

TEST(CStringTest, TrimRemovesWhiteSpaceOrTheGivenCharacters)
{
    CString text(" \t\r\nvalue \n");
    text.TrimLeft();
    EXPECT_EQ(CString("value \n"), text);
    text.TrimRight();
    EXPECT_EQ(CString("value"), text);
    CString quoted("\"\"name\"");
    quoted.TrimLeft('"');
    quoted.TrimRight('"');
    EXPECT_EQ(CString("name"), quoted);
    CString set("(,x,)");
    set.TrimLeft("(,");
    set.TrimRight(",)");
    EXPECT_EQ(CString("x"), set);
    CString all("   ");
    all.TrimRight();
    EXPECT_TRUE(all.IsEmpty());
}

TEST(CStringTest, EditingOperationsReportCountsAndLengths)
{
    CString text("a-b-c");
    EXPECT_EQ(2, text.Replace('-', '+'));
    EXPECT_EQ(CString("a+b+c"), text);
    EXPECT_EQ(2, text.Replace("+", "--"));
    EXPECT_EQ(CString("a--b--c"), text);
    EXPECT_EQ(0, text.Replace("", "x"));
    EXPECT_EQ(2, text.Replace("--", ""));
    EXPECT_EQ(CString("abc"), text);
    EXPECT_EQ(1, text.Remove('b'));
    EXPECT_EQ(CString("ac"), text);
    EXPECT_EQ(3, text.Insert(1, 'b'));
    EXPECT_EQ(6, text.Insert(99, "def"));
    EXPECT_EQ(CString("abcdef"), text);
    EXPECT_EQ(4, text.Delete(1, 2));
    EXPECT_EQ(CString("adef"), text);
    EXPECT_EQ(4, text.Delete(10, 2));
    text.MakeReverse();
    EXPECT_EQ(CString("feda"), text);
}

TEST_F(CStringAnsiTest, CaseChangesCoverTheCodePagesLetters)
{
    CString text("Caf\xE9 Stra\xDF" "e 1_");
    text.MakeUpper();
    EXPECT_EQ(CString("CAF\xC9 STRA\xDF" "E 1_"), text);
    text.MakeLower();
    EXPECT_EQ(CString("caf\xE9 stra\xDF" "e 1_"), text);
}

TEST(CStringTest, GetBufferAndReleaseBufferSetTheLength)
{
    CString text("abc");
    char* buffer = text.GetBuffer(260);
    std::strcpy(buffer, "C:\\windows\\");
    text.ReleaseBuffer();
    EXPECT_EQ(CString("C:\\windows\\"), text);
    EXPECT_EQ(11, text.GetLength());

    buffer = text.GetBuffer(0);
    buffer[2] = '/';
    text.ReleaseBuffer(3);
    EXPECT_EQ(CString("C:/"), text);

    char* set = text.GetBufferSetLength(2);
    set[1] = '!';
    text.ReleaseBuffer(-1);
    EXPECT_EQ(CString("C!"), text);
}

TEST(CStringTest, ConcatenationAndAccess)
{
    CString text = CString("a") + "b" + 'c' + CString("d");
    text += "e";
    text += 'f';
    text += CString("g");
    EXPECT_EQ(CString("abcdefg"), text);
    EXPECT_EQ(CString("xa"), 'x' + CString("a"));
    EXPECT_EQ(CString("pre-a"), "pre-" + CString("a"));
    EXPECT_EQ('c', text[2]);
    EXPECT_EQ('\0', text.GetAt(99));
    text.SetAt(0, 'A');
    text.SetAt(99, 'Z');
    EXPECT_STREQ("Abcdefg", static_cast<const char*>(text));
    EXPECT_EQ(CString("---"), CString('-', 3));
}

}  // namespace

namespace {

std::string RepeatText(const std::string& part, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += part;
    return text;
}

TEST(CStringResourceTest, LoadsTextsOfEveryLengthFromTheResourceModule)
{
    const struct {
        UINT id;
        std::string text;
    } cases[] = {
        {IDS_TEST_SHORT, "Scheduler"},
        {IDS_TEST_LONG, RepeatText("0123456789", 30)},
        {IDS_TEST_VERY_LONG, RepeatText("abcdefghij", 500)},
    };
    for (const auto& c : cases) {
        CString text("old");
        EXPECT_TRUE(text.LoadString(c.id)) << c.id;
        EXPECT_EQ(std::string(static_cast<const char*>(text)), c.text) << c.id;
        CString fromModule;
        EXPECT_TRUE(fromModule.LoadString(::GetModuleHandleA(nullptr), c.id));
        EXPECT_EQ(fromModule, text);
    }
}

TEST(CStringResourceTest, AMissingStringLeavesTheTextEmpty)
{
    CString text("old");
    EXPECT_FALSE(text.LoadString(IDS_TEST_MISSING));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CStringResourceTest, TheResourceModuleCanBeChanged)
{
    // A module without our strings: the system's own library.
    AfxSetResourceHandle(::GetModuleHandleA("kernel32.dll"));
    CString text;
    text.LoadString(IDS_TEST_SHORT);
    AfxSetResourceHandle(nullptr);
    EXPECT_NE(text, "Scheduler");
    EXPECT_TRUE(text.LoadString(IDS_TEST_SHORT));
    EXPECT_EQ(text, "Scheduler");
}

}  // namespace
