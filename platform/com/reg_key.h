#pragma once

#include <windows.h>

#include <string>

namespace tvx::com {

// Owns an open registry key (RegCloseKey). Results are the registry's own
// error codes (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ...).
class RegKey {
public:
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey(RegKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    RegKey& operator=(RegKey&& other) noexcept;
    ~RegKey() { Close(); }

    LSTATUS Open(HKEY parent, const wchar_t* sub_key, REGSAM access = KEY_READ);
    LSTATUS Create(HKEY parent, const wchar_t* sub_key, REGSAM access = KEY_READ | KEY_WRITE);
    void Close();

    HKEY Get() const { return key_; }
    bool IsOpen() const { return key_ != nullptr; }

    // name null or "" is the key's default value.
    LSTATUS SetString(const wchar_t* name, const std::wstring& value);
    LSTATUS GetString(const wchar_t* name, std::wstring& value) const;
    // A value that is not there counts as deleted.
    LSTATUS DeleteValue(const wchar_t* name);

private:
    HKEY key_ = nullptr;
};

// Deletes a key with everything below it; a key that is not there counts as
// deleted.
LSTATUS DeleteKeyTree(HKEY parent, const wchar_t* sub_key);

}  // namespace tvx::com
