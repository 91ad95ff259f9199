#include "task/shared/locale_guard.h"

#include <clocale>

namespace {

std::string LocaleInfo(LCID locale, LCTYPE type)
{
    char value[128] = "";
    if (!GetLocaleInfoA(locale, type, value, sizeof value))
        return std::string();
    return value;
}

}  // namespace

std::string CLocaleGuard::RuntimeLocaleName(LCID locale)
{
    const std::string language = LocaleInfo(locale, LOCALE_SENGLANGUAGE);
    const std::string country = LocaleInfo(locale, LOCALE_SENGCOUNTRY);
    if (language.empty() || country.empty())
        return std::string();
    return language + "_" + country;
}

CLocaleGuard::CLocaleGuard(int category, LCID locale) : m_category(category)
{
    const std::string name = RuntimeLocaleName(locale);
    if (name.empty())
        return;
    // setlocale's answer lives in a buffer the next call overwrites.
    const char* current = std::setlocale(m_category, nullptr);
    if (current == nullptr)
        return;
    m_previousLocale = current;
    m_switched = std::setlocale(m_category, name.c_str()) != nullptr;
}

CLocaleGuard::~CLocaleGuard()
{
    if (m_switched)
        std::setlocale(m_category, m_previousLocale.c_str());
}
