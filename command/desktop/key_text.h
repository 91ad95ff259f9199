// The key-text language of SendKeys: plain characters, the modifier prefixes
// "+" (Shift), "^" (Ctrl) and "%" (Alt), groups in parentheses, "~" for
// Enter, and names in braces with an optional argument ("{tab 3}",
// "{date 1}", "{activate Untitled - Notepad}", "{fdate %Y-%m-%d}").
#pragma once

#include <windows.h>

#include <ctime>
#include <string>

#include "platform/framework/string.h"

namespace desktop {

// What sending one item gave.
enum KeyItemResult {
    kKeyTextEnd = 0,          // nothing was left to send
    kKeyItemSent = 1,
    kActivateNotFound = 2,    // "{activate ...}" found no window
    kBraceNotClosed = -16,    // "{" without a "}"
    kNestedTooDeeply = -17,   // modifiers and groups inside each other beyond the limit
    kActivateNotReady = -18,  // "{activate ...}" found a window that did not come to the front
    kKeysStopped = -19,       // the run was asked to stop
};

// Where the keys go, and the few things of the system the language reads.
class KeyOutput {
public:
    virtual ~KeyOutput() = default;
    // One key going down or up.
    virtual void PressKey(BYTE code, bool down) = 0;
    // The wait between items; messages keep being dispatched.
    virtual void Pause(long milliseconds) = 0;
    // The key code (low byte) and shift state (high byte: 1 Shift, 2 Ctrl,
    // 4 Alt) that type the character in the keyboard layout; -1 when none.
    virtual SHORT TranslateCharacter(char c) = 0;
    virtual bool IsCapsLockOn() = 0;
    // Brings the window with the title (a title pattern, else the exact
    // title) to the front, ready for keys: kKeyItemSent, kActivateNotFound
    // when there is no such window, kActivateNotReady when it did not come
    // to the front.
    virtual int ActivateWindow(const CString& title) = 0;
    virtual std::time_t Now() = 0;
    // True once the run that types asked to stop: a key text may repeat a
    // key any number of times or wait any length of time, and must not
    // outlast the run.
    virtual bool StopRequested() = 0;
};

class CKeyTextSender {
public:
    explicit CKeyTextSender(KeyOutput& output) : m_output(output) {}

    // Sends the text item by item, pausing the delay between items. Stops
    // at the end of the text or at the first item that fails; the result is
    // that of the last item sent.
    int SendKeyText(const char* text, long delay);
    // SendKeyText with Caps Lock switched off around it, so that letters are
    // typed as written; Caps Lock is switched back on afterwards.
    int TypeKeys(const char* text, long delay);

private:
    int SendKeyItem(const char** cursor, int depth);
    int SendBraced(const char** cursor);
    int SendPseudoKey(BYTE code, long count, bool countGiven, const CString& argument);
    // These give kKeyItemSent, or kKeysStopped when the run asked to stop
    // before they were done.
    int TapKey(BYTE code, long count);
    int TypeCharacter(char c, long count);
    // Dates, times and numbers the language produces are typed as they
    // read, never taken as key text themselves.
    int TypeGeneratedText(const std::string& text);
    int Pause(long milliseconds);

    KeyOutput& m_output;
};

// A strftime format from a script with every conversion the runtime
// library does not know turned into literal text: an unknown conversion
// would stop the program instead of formatting.
std::string SafeTimeFormat(const char* format);

}  // namespace desktop
