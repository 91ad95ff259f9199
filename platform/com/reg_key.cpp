#include "platform/com/reg_key.h"

#include <vector>

namespace tvx::com {

RegKey& RegKey::operator=(RegKey&& other) noexcept
{
    if (this != &other) {
        Close();
        key_ = other.key_;
        other.key_ = nullptr;
    }
    return *this;
}

LSTATUS RegKey::Open(HKEY parent, const wchar_t* sub_key, REGSAM access)
{
    Close();
    return RegOpenKeyExW(parent, sub_key, 0, access, &key_);
}

LSTATUS RegKey::Create(HKEY parent, const wchar_t* sub_key, REGSAM access)
{
    Close();
    return RegCreateKeyExW(parent, sub_key, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key_, nullptr);
}

void RegKey::Close()
{
    if (key_) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
}

LSTATUS RegKey::SetString(const wchar_t* name, const std::wstring& value)
{
    DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

LSTATUS RegKey::GetString(const wchar_t* name, std::wstring& value) const
{
    value.clear();
    DWORD type = 0;
    DWORD bytes = 0;
    LSTATUS status = RegQueryValueExW(key_, name, nullptr, &type, nullptr, &bytes);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    // Room for a terminator the stored data may lack.
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    status = RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (status != ERROR_SUCCESS)
        return status;
    buffer.back() = L'\0';
    value = buffer.data();
    return ERROR_SUCCESS;
}

LSTATUS RegKey::DeleteValue(const wchar_t* name)
{
    LSTATUS status = RegDeleteValueW(key_, name);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

LSTATUS DeleteKeyTree(HKEY parent, const wchar_t* sub_key)
{
    LSTATUS status = RegDeleteTreeW(parent, sub_key);
    if (status == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS)
        return status;
    // RegDeleteTree empties the key; the key itself goes separately.
    status = RegDeleteKeyW(parent, sub_key);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace tvx::com
