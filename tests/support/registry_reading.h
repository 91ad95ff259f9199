// What a registration left under HKEY_CLASSES_ROOT, read back by the tests
// of the servers' registration (the COM plumbing's samples, the components
// and the engine).
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace tvxtest {

// What ClassesValue gives for a key or value that is not there.
inline constexpr wchar_t kNoValue[] = L"<none>";

bool ClassesKeyExists(const std::wstring& path);
// The text of the named value (the key's default value for a null name),
// or kNoValue.
std::wstring ClassesValue(const std::wstring& path, const wchar_t* name = nullptr);
// Paths compare without letter case, as the file system does.
std::wstring LowerText(std::wstring text);

struct ClassesEntry {
    std::wstring key;
    const wchar_t* name;  // null: the default value
    std::wstring value;   // kNoValue: not there
};
// One expectation per entry, each naming its key and value when it fails.
void ExpectClassesValues(std::initializer_list<ClassesEntry> entries);

}  // namespace tvxtest
