// The key-text language, checked on a recording key output with a small
// keyboard layout of its own and a fixed clock.
#include "command/desktop/key_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "command/desktop/key_names.h"

namespace {

using desktop::CKeyTextSender;
using desktop::KeyOutput;

// A US-like layout: the key code in the low byte, the shift state (1 Shift,
// 6 Ctrl and Alt) in the high byte.
const std::map<char, SHORT>& Layout()
{
    static const std::map<char, SHORT> layout = [] {
        std::map<char, SHORT> keys;
        for (char c = 'a'; c <= 'z'; ++c)
            keys[c] = static_cast<SHORT>(c - 'a' + 'A');
        for (char c = 'A'; c <= 'Z'; ++c)
            keys[c] = static_cast<SHORT>(0x100 | c);
        for (char c = '0'; c <= '9'; ++c)
            keys[c] = c;
        keys[' '] = 0x20;
        keys['/'] = 0xBF;
        keys['-'] = 0xBD;
        keys[':'] = 0x1BA;
        keys['%'] = 0x135;
        keys['+'] = 0x1BB;
        keys['~'] = 0x1C0;
        keys['('] = 0x139;
        keys[')'] = 0x130;
        keys['{'] = 0x1DB;
        keys['}'] = 0x1DD;
        keys['@'] = 0x632;
        return keys;
    }();
    return layout;
}

std::string KeyName(BYTE code)
{
    switch (code) {
    case VK_SHIFT: return "Shift";
    case VK_CONTROL: return "Ctrl";
    case VK_MENU: return "Alt";
    case VK_RETURN: return "Enter";
    case VK_TAB: return "Tab";
    case VK_CAPITAL: return "Caps";
    default: break;
    }
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        return std::string(1, static_cast<char>(code));
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", code);
    return hex;
}

class RecordingOutput : public KeyOutput {
public:
    void PressKey(BYTE code, bool down) override
    {
        Add(KeyName(code) + (down ? "+" : "-"));
        if (code == VK_SHIFT)
            m_shift = down;
        if (!down)
            return;
        const SHORT wanted = static_cast<SHORT>((m_shift ? 0x100 : 0) | code);
        for (const auto& key : Layout()) {
            if (key.second == wanted)
                text += key.first;
        }
    }
    void Pause(long milliseconds) override
    {
        events += (events.empty() ? "" : " ") + ("p" + std::to_string(milliseconds));
        ++m_eventCount;
    }
    SHORT TranslateCharacter(char c) override
    {
        auto key = Layout().find(c);
        return key == Layout().end() ? SHORT(-1) : key->second;
    }
    bool IsCapsLockOn() override { return capsLock; }
    int ActivateWindow(const CString& title) override
    {
        Add("activate(" + std::string(static_cast<const char*>(title)) + ")");
        return activateResult;
    }
    std::time_t Now() override { return now; }
    bool StopRequested() override { return stopAfterEvents >= 0 && m_eventCount >= stopAfterEvents; }

    // Key events only, without the pauses.
    std::string Keys() const { return m_keys; }

    std::string events;  // keys, activations and pauses in order
    std::string text;    // what the keys would type
    bool capsLock = false;
    int activateResult = desktop::kKeyItemSent;
    std::time_t now = 0;
    // The run asks to stop once this many events (keys, activations and
    // pauses) went out; -1: never.
    int stopAfterEvents = -1;

private:
    void Add(const std::string& event)
    {
        events += (events.empty() ? "" : " ") + event;
        m_keys += (m_keys.empty() ? "" : " ") + event;
        ++m_eventCount;
    }
    int m_eventCount = 0;
    bool m_shift = false;
    std::string m_keys;
};

struct KeyCase {
    const char* keyText;
    const char* keys;
    int result;
};

void PrintTo(const KeyCase& c, std::ostream* out)
{
    *out << '"' << c.keyText << '"';
}

class KeyTextKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTextKeys, SendsTheseKeyEventsAndResult)
{
    RecordingOutput output;
    CKeyTextSender sender(output);
    EXPECT_EQ(sender.SendKeyText(GetParam().keyText, 0), GetParam().result);
    EXPECT_EQ(output.Keys(), GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(
    Language, KeyTextKeys,
    ::testing::Values(
        KeyCase{"ab", "A+ A- B+ B-", 1},
        KeyCase{"A", "Shift+ A+ A- Shift-", 1},
        KeyCase{"+a", "Shift+ A+ A- Shift-", 1},
        KeyCase{"%f", "Alt+ F+ F- Alt-", 1},
        KeyCase{"^(ac)", "Ctrl+ A+ A- C+ C- Ctrl-", 1},
        KeyCase{"+(ab)c", "Shift+ A+ A- B+ B- Shift- C+ C-", 1},
        KeyCase{"~", "Enter+ Enter-", 1},
        // One character in braces is typed as itself.
        KeyCase{"{+}", "Shift+ 0xBB+ 0xBB- Shift-", 1},
        KeyCase{"{~}", "Shift+ 0xC0+ 0xC0- Shift-", 1},
        KeyCase{"{(}", "Shift+ 9+ 9- Shift-", 1},
        KeyCase{"{}}", "Shift+ 0xDD+ 0xDD- Shift-", 1},
        // Named keys, case-insensitive, with repeat counts.
        KeyCase{"{tab 3}", "Tab+ Tab- Tab+ Tab- Tab+ Tab-", 1},
        KeyCase{"{TAB}", "Tab+ Tab-", 1},
        KeyCase{"{enter 0}", "", 1},
        KeyCase{"{numpad5}", "0x65+ 0x65-", 1},
        KeyCase{"{F12}", "0x7B+ 0x7B-", 1},
        KeyCase{"{F24}", "0x87+ 0x87-", 1},
        // An unknown name types its first letter.
        KeyCase{"{x 4}", "X+ X- X+ X- X+ X- X+ X-", 1},
        KeyCase{"{ 3}", "", 1},
        // Only a plain Shift of the layout is reproduced.
        KeyCase{"@", "2+ 2-", 1},
        KeyCase{"\x80", "", 1},
        KeyCase{"", "", 0},
        // A failing item stops the text; nothing after it is typed.
        KeyCase{"a{tab", "A+ A-", -16},
        KeyCase{"+{tab", "Shift+ Shift-", -16},
        KeyCase{"a{activate Here}b", "A+ A- activate(Here) B+ B-", 1}));

// No window, or one that never came to the front: the keys after it would
// go to some other window.
TEST(KeyText, ActivateThatFailsStopsTheTyping)
{
    for (const int failure : {int{desktop::kActivateNotFound}, int{desktop::kActivateNotReady}}) {
        RecordingOutput output;
        output.activateResult = failure;
        CKeyTextSender sender(output);
        EXPECT_EQ(sender.SendKeyText("a{activate Nowhere}b", 0), failure);
        EXPECT_EQ(output.Keys(), "A+ A- activate(Nowhere)");

        RecordingOutput grouped;
        grouped.activateResult = failure;
        CKeyTextSender groupSender(grouped);
        EXPECT_EQ(groupSender.SendKeyText("^(b{activate X}c)d", 0), failure);
        EXPECT_EQ(grouped.Keys(), "Ctrl+ B+ B- activate(X) Ctrl-");
    }
}

TEST(KeyText, DeepNestingStopsInsteadOfExhaustingTheStack)
{
    for (const char opener : {'+', '('}) {
        RecordingOutput output;
        CKeyTextSender sender(output);
        const std::string text = std::string(200000, opener) + "a";
        EXPECT_EQ(sender.SendKeyText(text.c_str(), 0), desktop::kNestedTooDeeply) << opener;
        EXPECT_EQ(output.text, "") << opener;
    }
    // Nesting within the limit is typed.
    RecordingOutput output;
    CKeyTextSender sender(output);
    EXPECT_EQ(sender.SendKeyText("^(+(%(a)))", 0), 1);
    EXPECT_EQ(output.Keys(), "Ctrl+ Shift+ Alt+ A+ A- Alt- Shift- Ctrl-");
}

TEST(KeyText, ActivateHandsOverEverythingAfterTheName)
{
    RecordingOutput output;
    CKeyTextSender sender(output);
    EXPECT_EQ(sender.SendKeyText("{activate \"Tarvex Probe*\"}x", 0), 1);
    EXPECT_EQ(output.Keys(), "activate(\"Tarvex Probe*\") X+ X-");
}

TEST(KeyText, PausesTheDelayBetweenItemsOnly)
{
    RecordingOutput output;
    CKeyTextSender sender(output);
    sender.SendKeyText("ab(cd)", 40);
    EXPECT_EQ(output.events, "A+ A- p40 B+ B- p40 C+ C- D+ D- p40");
}

TEST(KeyText, DelayPseudoKeyWaitsItsArgument)
{
    RecordingOutput output;
    CKeyTextSender sender(output);
    sender.SendKeyText("{delay 500}", 0);
    sender.SendKeyText("{delay}", 0);
    EXPECT_EQ(output.events, "p500 p1");
}

TEST(KeyText, CapsLockIsSwitchedOffAroundTheTextAndBackOn)
{
    RecordingOutput on;
    on.capsLock = true;
    CKeyTextSender sender(on);
    EXPECT_EQ(sender.TypeKeys("a", 0), 1);
    EXPECT_EQ(on.Keys(), "Caps+ Caps- A+ A- Caps+ Caps-");

    RecordingOutput off;
    CKeyTextSender plain(off);
    plain.TypeKeys("a", 0);
    EXPECT_EQ(off.Keys(), "A+ A-");
}

// 2025-01-15 09:05:03 local time.
std::time_t FixedNow()
{
    std::tm local{};
    local.tm_year = 125;
    local.tm_mon = 0;
    local.tm_mday = 15;
    local.tm_hour = 9;
    local.tm_min = 5;
    local.tm_sec = 3;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

struct DateCase {
    const char* keyText;
    const char* typed;
};

void PrintTo(const DateCase& c, std::ostream* out)
{
    *out << '"' << c.keyText << '"';
}

class KeyTextDates : public ::testing::TestWithParam<DateCase> {};

TEST_P(KeyTextDates, TypesTheLocalDateOrTime)
{
    RecordingOutput output;
    output.now = FixedNow();
    CKeyTextSender sender(output);
    EXPECT_EQ(sender.SendKeyText(GetParam().keyText, 0), 1);
    EXPECT_EQ(output.text, GetParam().typed);
}

INSTANTIATE_TEST_SUITE_P(
    PseudoKeys, KeyTextDates,
    ::testing::Values(DateCase{"{date}", "01/15/25"}, DateCase{"{date 1}", "01/16/25"},
                      DateCase{"{date -15}", "12/31/24"}, DateCase{"{time}", "09:05:03"},
                      DateCase{"{time 60}", "09:06:03"}, DateCase{"{day}", "15"}, DateCase{"{day 17}", "1"},
                      DateCase{"{month}", "1"}, DateCase{"{month -1}", "12"}, DateCase{"{month 13}", "2"},
                      DateCase{"{month -13}", "12"}, DateCase{"{year}", "2025"}, DateCase{"{year -1}", "2024"},
                      DateCase{"{hour 2}", "11"}, DateCase{"{minute 55}", "0"}, DateCase{"{second 57}", "0"},
                      DateCase{"{fdate %Y-%m-%d}", "2025-01-15"},
                      // Typed as text: "%" is not taken for Alt, "(" not for a group.
                      DateCase{"{fdate (%d%%)}", "(15%)"},
                      // A conversion the runtime library does not know stays text.
                      DateCase{"{fdate %Q%Y}", "%Q2025"}));

TEST(KeyText, FormattedDateLongerThanAnyFixedBufferIsTypedWhole)
{
    RecordingOutput output;
    output.now = FixedNow();
    CKeyTextSender sender(output);
    std::string format;
    std::string expected;
    for (int i = 0; i < 150; ++i) {
        format += "%d-";
        expected += "15-";
    }
    EXPECT_EQ(sender.SendKeyText(("{fdate " + format + "}").c_str(), 0), 1);
    EXPECT_EQ(output.text, expected);

    // A format whose result is empty types nothing and is no failure.
    RecordingOutput empty;
    CKeyTextSender emptySender(empty);
    EXPECT_EQ(emptySender.SendKeyText("{fdate}x", 0), 1);
    EXPECT_EQ(empty.text, "x");
}

struct StopCase {
    const char* name;
    const char* keyText;
    int stopAfterEvents;
    const char* events;
};

void PrintTo(const StopCase& c, std::ostream* out)
{
    *out << c.name;
}

class KeyTextStop : public ::testing::TestWithParam<StopCase> {};

// A stop request ends the typing at the next key or pause, however many
// keys or how long a wait the text still asks for.
TEST_P(KeyTextStop, StopRequestEndsTheTyping)
{
    RecordingOutput output;
    output.now = FixedNow();
    output.stopAfterEvents = GetParam().stopAfterEvents;
    CKeyTextSender sender(output);
    EXPECT_EQ(sender.SendKeyText(GetParam().keyText, 0), desktop::kKeysStopped);
    EXPECT_EQ(output.events, GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, KeyTextStop,
    ::testing::Values(StopCase{"RepeatedCharacter", "{x 2000000000}", 6, "X+ X- X+ X- X+ X-"},
                      StopCase{"RepeatedKey", "{tab 2000000000}", 4, "Tab+ Tab- Tab+ Tab-"},
                      StopCase{"LongDelay", "a{delay 99999999}b", 4, "A+ A- p0 p99999999"},
                      StopCase{"GeneratedText", "{year}", 3, "2+ 2- p100"},
                      StopCase{"BeforeTheFirstKey", "ab", 0, ""},
                      StopCase{"InsideAModifier", "+{x 2000000000}", 3, "Shift+ X+ X- Shift-"}),
    [](const ::testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });

TEST(KeyText, CapsLockIsBackOnAfterAStoppedText)
{
    RecordingOutput output;
    output.capsLock = true;
    output.stopAfterEvents = 4;
    CKeyTextSender sender(output);
    EXPECT_EQ(sender.TypeKeys("{x 2000000000}", 0), desktop::kKeysStopped);
    EXPECT_EQ(output.Keys(), "Caps+ Caps- X+ X- Caps+ Caps-");
}

TEST(KeyText, GeneratedTextIsTypedAtTheFixedPace)
{
    RecordingOutput output;
    output.now = FixedNow();
    CKeyTextSender sender(output);
    sender.SendKeyText("{year}", 5);
    EXPECT_EQ(output.events, "2+ 2- p100 0+ 0- p100 2+ 2- p100 5+ 5-");
}

TEST(KeyNames, TableHoldsEveryNamedKeyAndPseudoKey)
{
    EXPECT_EQ(desktop::KeyNameCount(), 76);
    EXPECT_EQ(desktop::FindKeyCode("bksp"), 0x08);
    EXPECT_EQ(desktop::FindKeyCode("Apps"), 0x5D);
    EXPECT_EQ(desktop::FindKeyCode("numpad9"), 0x69);
    EXPECT_EQ(desktop::FindKeyCode("FDATE"), desktop::kPseudoFormattedDate);
    EXPECT_EQ(desktop::FindKeyCode("F25"), 0);
}

}  // namespace
