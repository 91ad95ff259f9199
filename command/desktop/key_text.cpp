#include "command/desktop/key_text.h"

#include <cstdio>
#include <cstring>

#include "command/desktop/command_arguments.h"
#include "command/desktop/key_names.h"

namespace desktop {

namespace {

// Generated dates and times are typed at this pace, whatever the key delay.
constexpr long kGeneratedTextDelayMs = 100;
constexpr long kSecondsPerMinute = 60;
constexpr long kSecondsPerHour = 3600;
constexpr long kSecondsPerDay = 86400;
constexpr BYTE kShiftOnly = 1;
// Modifiers and groups inside each other; a script text cannot run the
// sender out of stack with thousands of them.
constexpr int kMaxNesting = 32;

bool IsFailure(int result)
{
    return result == kActivateNotFound || result == kBraceNotClosed || result == kNestedTooDeeply ||
           result == kActivateNotReady || result == kKeysStopped;
}

bool LocalTime(std::time_t when, std::tm* local)
{
    return localtime_s(local, &when) == 0;
}

std::string FormatTime(const char* format, const std::tm& local)
{
    // strftime gives 0 both for an empty result and for one that does not
    // fit, so the buffer grows until the result must have fitted: no
    // conversion gives more than a few dozen characters.
    const size_t enough = 64 * (std::strlen(format) + 1);
    for (size_t size = 256;; size *= 2) {
        std::string text(size, '\0');
        const size_t length = std::strftime(&text[0], size, format, &local);
        if (length > 0 || size >= enough) {
            text.resize(length);
            return text;
        }
    }
}

std::string Number(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

// The month n months from the given one, n held within a year either way.
int MovedMonth(int month, long n)
{
    if (n < -11)
        n += 12 * (-n / 12);
    if (n > 11)
        n %= 12;
    int moved = month + static_cast<int>(n);
    if (moved > 12)
        moved -= 12;
    if (moved < 1)
        moved += 12;
    return moved;
}

}  // namespace

std::string SafeTimeFormat(const char* format)
{
    static const char kKnown[] = "aAbBcdHIjmMpSUwWxXyYzZ%";
    std::string safe;
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            safe += *p;
            continue;
        }
        const char* conversion = p + 1;
        if (*conversion == '#')
            ++conversion;
        if (*conversion != '\0' && std::strchr(kKnown, *conversion) != nullptr) {
            safe.append(p, conversion + 1);
            p = conversion;
        } else {
            // The percent sign itself, as text.
            safe += "%%";
        }
    }
    return safe;
}

int CKeyTextSender::SendKeyText(const char* text, long delay)
{
    const char* cursor = text;
    const size_t length = std::strlen(text);
    int result = kKeyTextEnd;
    for (size_t i = 0; i < length; ++i) {
        if (m_output.StopRequested())
            return kKeysStopped;
        result = SendKeyItem(&cursor, 0);
        // After a failed item the focus is not where the script expects it:
        // the rest must not be typed into some other window.
        if (result <= kKeyTextEnd || IsFailure(result) || *cursor == '\0')
            break;
        if (Pause(delay) == kKeysStopped)
            return kKeysStopped;
    }
    return result;
}

int CKeyTextSender::TypeKeys(const char* text, long delay)
{
    // Caps Lock is pressed directly: it is switched back on even when the
    // run asked to stop.
    const bool capsLock = m_output.IsCapsLockOn();
    if (capsLock) {
        m_output.PressKey(VK_CAPITAL, true);
        m_output.PressKey(VK_CAPITAL, false);
    }
    const std::string copy = text;
    const int result = SendKeyText(copy.c_str(), delay);
    if (capsLock) {
        m_output.PressKey(VK_CAPITAL, true);
        m_output.PressKey(VK_CAPITAL, false);
    }
    return result;
}

int CKeyTextSender::SendKeyItem(const char** cursor, int depth)
{
    const char c = **cursor;
    if (c == '\0')
        return kKeyTextEnd;
    if (depth > kMaxNesting)
        return kNestedTooDeeply;
    ++*cursor;
    switch (c) {
    case '+':
    case '^':
    case '%': {
        const BYTE modifier = c == '+' ? VK_SHIFT : c == '^' ? VK_CONTROL : VK_MENU;
        m_output.PressKey(modifier, true);
        const int inner = SendKeyItem(cursor, depth + 1);
        m_output.PressKey(modifier, false);
        return IsFailure(inner) ? inner : kKeyItemSent;
    }
    case '(': {
        // The ")" is left for the next item, which ends the group.
        int result = kKeyItemSent;
        while (**cursor != ')' && **cursor != '\0') {
            result = SendKeyItem(cursor, depth + 1);
            if (result != kKeyItemSent)
                break;
        }
        return result;
    }
    case ')':
        return kKeyItemSent;
    case '~':
        return TapKey(VK_RETURN, 1);
    case '{':
        return SendBraced(cursor);
    default:
        return TypeCharacter(c, 1);
    }
}

int CKeyTextSender::SendBraced(const char** cursor)
{
    const char* inside = *cursor;
    // One character between braces is typed as it is: "{+}", "{(}", "{}}".
    if (inside[0] != '\0' && inside[1] == '}') {
        *cursor = inside + 2;
        return TypeCharacter(inside[0], 1);
    }
    const char* close = std::strchr(inside, '}');
    if (close == nullptr)
        return kBraceNotClosed;
    *cursor = close + 1;

    const CString braced(inside, static_cast<int>(close - inside));
    const int blank = braced.Find(' ');
    const CString name = blank < 0 ? braced : braced.Left(blank);
    const CString argument = blank < 0 ? CString() : braced.Mid(blank + 1);
    const char first = argument.IsEmpty() ? '\0' : argument[0];
    const bool countGiven = (first >= '0' && first <= '9') || first == '-' || first == '+';
    const long count = countGiven ? CommandArguments::LeadingNumber(argument) : 1;

    const BYTE code = FindKeyCode(name);
    if (code == 0) {
        // An unknown name types its first letter: "{x 4}" gives "xxxx".
        return name.IsEmpty() ? kKeyItemSent : TypeCharacter(name[0], count);
    }
    if (IsPseudoKey(code))
        return SendPseudoKey(code, count, countGiven, argument);
    return TapKey(code, count);
}

int CKeyTextSender::SendPseudoKey(BYTE code, long count, bool countGiven, const CString& argument)
{
    const long n = countGiven ? count : 0;
    const std::time_t now = m_output.Now();
    std::tm local{};
    switch (code) {
    case kPseudoDelay:
        return Pause(countGiven ? count : 1);
    case kPseudoActivate:
        return m_output.ActivateWindow(argument);
    case kPseudoDate:
        if (!LocalTime(now + static_cast<std::time_t>(n) * kSecondsPerDay, &local))
            return kKeyItemSent;
        return TypeGeneratedText(FormatTime("%m/%d/%y", local));
    case kPseudoTime:
        if (!LocalTime(now + n, &local))
            return kKeyItemSent;
        return TypeGeneratedText(FormatTime("%H:%M:%S", local));
    case kPseudoDay:
        if (!LocalTime(now + static_cast<std::time_t>(n) * kSecondsPerDay, &local))
            return kKeyItemSent;
        return TypeGeneratedText(Number(local.tm_mday));
    case kPseudoMonth:
        if (!LocalTime(now, &local))
            return kKeyItemSent;
        return TypeGeneratedText(Number(MovedMonth(local.tm_mon + 1, n)));
    case kPseudoYear:
        if (!LocalTime(now, &local))
            return kKeyItemSent;
        return TypeGeneratedText(Number(local.tm_year + 1900 + static_cast<int>(n)));
    case kPseudoHour:
        if (!LocalTime(now + static_cast<std::time_t>(n) * kSecondsPerHour, &local))
            return kKeyItemSent;
        return TypeGeneratedText(Number(local.tm_hour));
    case kPseudoMinute:
        if (!LocalTime(now + static_cast<std::time_t>(n) * kSecondsPerMinute, &local))
            return kKeyItemSent;
        return TypeGeneratedText(Number(local.tm_min));
    case kPseudoSecond:
        if (!LocalTime(now + n, &local))
            return kKeyItemSent;
        return TypeGeneratedText(Number(local.tm_sec));
    case kPseudoFormattedDate:
        if (!LocalTime(now, &local))
            return kKeyItemSent;
        return TypeGeneratedText(FormatTime(SafeTimeFormat(argument).c_str(), local));
    default:
        return kKeyItemSent;
    }
}

int CKeyTextSender::TapKey(BYTE code, long count)
{
    for (long i = 0; i < count; ++i) {
        if (i > 0 && m_output.StopRequested())
            return kKeysStopped;
        m_output.PressKey(code, true);
        m_output.PressKey(code, false);
    }
    return kKeyItemSent;
}

int CKeyTextSender::TypeCharacter(char c, long count)
{
    const SHORT translation = m_output.TranslateCharacter(c);
    // A character no key of the layout produces is left out.
    if (translation == -1)
        return kKeyItemSent;
    const BYTE code = LOBYTE(translation);
    // Only a plain Shift is reproduced; Ctrl and Alt states of a layout
    // (AltGr characters) are not.
    const bool shift = HIBYTE(translation) == kShiftOnly;
    for (long i = 0; i < count; ++i) {
        if (i > 0 && m_output.StopRequested())
            return kKeysStopped;
        if (shift)
            m_output.PressKey(VK_SHIFT, true);
        m_output.PressKey(code, true);
        m_output.PressKey(code, false);
        if (shift)
            m_output.PressKey(VK_SHIFT, false);
    }
    return kKeyItemSent;
}

int CKeyTextSender::TypeGeneratedText(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (i > 0 && Pause(kGeneratedTextDelayMs) == kKeysStopped)
            return kKeysStopped;
        TypeCharacter(text[i], 1);
    }
    return kKeyItemSent;
}

int CKeyTextSender::Pause(long milliseconds)
{
    m_output.Pause(milliseconds);
    return m_output.StopRequested() ? kKeysStopped : kKeyItemSent;
}

}  // namespace desktop
