#include "registry_reading.h"

#include <gtest/gtest.h>

#include <cwctype>

#include "platform/com/reg_key.h"

namespace tvxtest {

bool ClassesKeyExists(const std::wstring& path)
{
    tvx::com::RegKey key;
    return key.Open(HKEY_CLASSES_ROOT, path.c_str()) == ERROR_SUCCESS;
}

std::wstring ClassesValue(const std::wstring& path, const wchar_t* name)
{
    tvx::com::RegKey key;
    std::wstring value;
    if (key.Open(HKEY_CLASSES_ROOT, path.c_str()) != ERROR_SUCCESS || key.GetString(name, value) != ERROR_SUCCESS)
        return kNoValue;
    return value;
}

std::wstring LowerText(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

void ExpectClassesValues(std::initializer_list<ClassesEntry> entries)
{
    for (const ClassesEntry& e : entries)
        EXPECT_EQ(ClassesValue(e.key, e.name), e.value) << e.key << " " << (e.name ? e.name : L"(default)");
}

}  // namespace tvxtest
