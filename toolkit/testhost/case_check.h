// CaseCheck: collects what went wrong in one case. Every failed expectation
// adds its detail; the case's line shows them all, joined by "; ".
#pragma once

#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include <windows.h>

class CaseCheck {
public:
    // Records detail unless ok; answers ok, so a case can stop early:
    //     if (!check.That(frame != nullptr, "no frame")) return;
    bool That(bool ok, const std::string& detail);

    // Records "what: got <actual>, expected <expected>" when they differ.
    // Texts (char pointers, CString) compare by their characters.
    template <typename Actual, typename Expected>
    bool Equal(const Actual& actual, const Expected& expected, const std::string& what)
    {
        if constexpr (std::is_convertible_v<Actual, const char*> && std::is_convertible_v<Expected, const char*>) {
            return Equal(Chars(actual), Chars(expected), what);
        } else {
            if (actual == expected)
                return true;
        }
        std::ostringstream detail;
        detail << what << ": got " << Shown(actual) << ", expected " << Shown(expected);
        return That(false, detail.str());
    }

    bool Passed() const { return m_failures.empty(); }
    // The failures joined by "; ", on one line.
    std::string Detail() const;

private:
    static std::string Chars(const char* text) { return text ? text : "(null)"; }
    template <typename T>
    static std::string Shown(const T& value)
    {
        std::ostringstream text;
        text << value;
        return text.str();
    }
    static std::string Shown(const std::string& value) { return "\"" + value + "\""; }
    static std::string Shown(const char* value) { return value ? "\"" + std::string(value) + "\"" : "(null)"; }

    std::vector<std::string> m_failures;
};

// Brings the window to the top, lets it draw, and saves its picture as
// screenshots/<name>.png; a picture of one or two colours (a window that
// draws nothing) or one that could not be saved fails the case.
void CheckAndSavePicture(CaseCheck& check, HWND window, const char* name);
