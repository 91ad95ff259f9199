#pragma once

#include <windows.h>

#include <string>

// Switches one category of the runtime library's locale to a Windows locale
// for its lifetime, so that strftime's "%x %X" format dates as that locale
// does, and switches it back on destruction. The runtime-library locale is
// process-wide: every guard in the program must name the same locale.
class CLocaleGuard {
public:
    CLocaleGuard(int category, LCID locale);
    ~CLocaleGuard();

    CLocaleGuard(const CLocaleGuard&) = delete;
    CLocaleGuard& operator=(const CLocaleGuard&) = delete;

    // The runtime-library name of a Windows locale ("English_United States"),
    // empty when the locale cannot be queried.
    static std::string RuntimeLocaleName(LCID locale);

private:
    int m_category;
    std::string m_previousLocale;
    bool m_switched = false;
};
