// CWinApp's profile values in the registry.
#include "platform/ui/app.h"

#include <memory>
#include <string>

#include "platform/com/reg_key.h"

namespace {

std::wstring Wide(const char* text)
{
    if (!text || !*text)
        return std::wstring();
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

// One part of a key path without the separators around it.
CString PathPart(LPCSTR text)
{
    CString part(text);
    part.TrimLeft('\\');
    part.TrimRight('\\');
    return part;
}

}  // namespace

CString CWinApp::GetSectionPath(LPCSTR lpszSection) const
{
    if (!m_pszRegistryKey || !*m_pszRegistryKey)
        return CString();
    CString path = "Software";
    for (LPCSTR part : {m_pszRegistryKey, m_pszProfileName, lpszSection}) {
        const CString trimmed = PathPart(part);
        if (trimmed.IsEmpty())
            continue;
        path += '\\';
        path += trimmed;
    }
    // Doubled separators inside a part would name the same key.
    while (path.Replace("\\\\", "\\") > 0) {
    }
    return path;
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    const CString path = GetSectionPath(lpszSection);
    tvx::com::RegKey key;
    if (path.IsEmpty() || key.Open(HKEY_CURRENT_USER, Wide(path).c_str(), KEY_READ) != ERROR_SUCCESS)
        return static_cast<UINT>(nDefault);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegQueryValueExA(key.Get(), lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return static_cast<UINT>(nDefault);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    const CString path = GetSectionPath(lpszSection);
    tvx::com::RegKey key;
    if (path.IsEmpty() || !lpszEntry ||
        key.Create(HKEY_CURRENT_USER, Wide(path).c_str(), KEY_WRITE) != ERROR_SUCCESS)
        return FALSE;
    const DWORD value = static_cast<DWORD>(nValue);
    return ::RegSetValueExA(key.Get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof(value)) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    const CString path = GetSectionPath(lpszSection);
    tvx::com::RegKey key;
    if (path.IsEmpty() || key.Open(HKEY_CURRENT_USER, Wide(path).c_str(), KEY_READ) != ERROR_SUCCESS)
        return CString(lpszDefault);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return CString(lpszDefault);
    CString value;
    if (size == 0)
        return value;
    char* buffer = value.GetBuffer(static_cast<int>(size));
    if (::RegQueryValueExA(key.Get(), lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        value.ReleaseBuffer(0);
        return CString(lpszDefault);
    }
    // The stored size counts the terminator when there is one.
    buffer[size] = '\0';
    value.ReleaseBuffer();
    return value;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    const CString path = GetSectionPath(lpszSection);
    if (path.IsEmpty())
        return FALSE;
    if (!lpszEntry)
        return tvx::com::DeleteKeyTree(HKEY_CURRENT_USER, Wide(path).c_str()) == ERROR_SUCCESS;
    tvx::com::RegKey key;
    if (key.Create(HKEY_CURRENT_USER, Wide(path).c_str(), KEY_WRITE) != ERROR_SUCCESS)
        return FALSE;
    if (!lpszValue) {
        const LONG deleted = ::RegDeleteValueA(key.Get(), lpszEntry);
        return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
    }
    return ::RegSetValueExA(key.Get(), lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            static_cast<DWORD>(lstrlenA(lpszValue) + 1)) == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    const CString path = GetSectionPath(lpszSection);
    tvx::com::RegKey key;
    if (path.IsEmpty() || key.Open(HKEY_CURRENT_USER, Wide(path).c_str(), KEY_READ) != ERROR_SUCCESS)
        return FALSE;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return FALSE;
    std::unique_ptr<BYTE[]> data(new BYTE[size ? size : 1]);
    if (::RegQueryValueExA(key.Get(), lpszEntry, nullptr, &type, data.get(), &size) != ERROR_SUCCESS)
        return FALSE;
    *ppData = data.release();
    *pBytes = size;
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    const CString path = GetSectionPath(lpszSection);
    tvx::com::RegKey key;
    if (path.IsEmpty() || !lpszEntry ||
        key.Create(HKEY_CURRENT_USER, Wide(path).c_str(), KEY_WRITE) != ERROR_SUCCESS)
        return FALSE;
    return ::RegSetValueExA(key.Get(), lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}
