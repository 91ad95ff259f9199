// CWtkRegistry: keys, enumeration and the values that have a registry type
// of their own. The archive images are in registry_image.cpp.
#include "toolkit/foundation/registry.h"

#include <vector>

IMPLEMENT_DYNCREATE(CWtkRegistry, CObject)

namespace {

// Query value, enumerate sub-keys, notify: what a loader needs.
constexpr REGSAM kReadOnlyAccess = 0x19;
// Enumeration buffers hold names of up to this many characters.
constexpr DWORD kNameBufferLength = 1024;

CString WithoutTrailingBackslash(LPCSTR lpszPath)
{
    CString path(lpszPath);
    const int length = path.GetLength();
    if (length > 0 && path[length - 1] == '\\')
        path = path.Left(length - 1);
    return path;
}

// The roots the holder hands out belong to the system: closing one would
// only drop the process's cached handle, which a later call reopens.
bool IsPredefinedKey(HKEY key)
{
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_PERFORMANCE_DATA,
                      HKEY_CURRENT_CONFIG, HKEY_DYN_DATA}) {
        if (key == root)
            return true;
    }
    return false;
}

}  // namespace

CWtkRegistry::CWtkRegistry()
    : m_lLastResult(ERROR_SUCCESS),
      m_dwLastType(0),
      m_dwLastSize(0),
      m_hKey(nullptr),
      m_bAdmin(FALSE),
      m_bReadOnly(FALSE)
{
}

CWtkRegistry::~CWtkRegistry()
{
    Close();
}

REGSAM CWtkRegistry::OpenAccess() const
{
    return m_bReadOnly ? kReadOnlyAccess : KEY_ALL_ACCESS;
}

void CWtkRegistry::ReplaceKey(HKEY key)
{
    // The new key was opened relative to the old one, so the old one may go
    // only now.
    if (m_hKey && !IsPredefinedKey(m_hKey))
        ::RegCloseKey(m_hKey);
    m_hKey = key;
}

BOOL CWtkRegistry::ReadValueNames(CStringArray& names)
{
    for (DWORD index = 0;; ++index) {
        char name[kNameBufferLength + 1] = "";
        DWORD length = kNameBufferLength;
        m_lLastResult = ::RegEnumValueA(m_hKey, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (m_lLastResult != ERROR_SUCCESS)
            return index > 0;
        names.Add(name);
    }
}

BOOL CWtkRegistry::ReadSubKeyNames(CStringArray& names)
{
    for (DWORD index = 0;; ++index) {
        char name[kNameBufferLength + 1] = "";
        DWORD length = kNameBufferLength;
        m_lLastResult = ::RegEnumKeyExA(m_hKey, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (m_lLastResult != ERROR_SUCCESS)
            return index > 0;
        names.Add(name);
    }
}

BOOL CWtkRegistry::KeyExists(LPCSTR lpszPath)
{
    m_dwLastType = 0;
    m_dwLastSize = 0;
    HKEY key = nullptr;
    m_lLastResult = ::RegOpenKeyExA(m_hKey, WithoutTrailingBackslash(lpszPath), 0, OpenAccess(), &key);
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    ::RegCloseKey(key);
    return TRUE;
}

BOOL CWtkRegistry::ValueExists(LPCSTR lpszValueName)
{
    m_lLastResult = ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, nullptr, nullptr, nullptr);
    return m_lLastResult == ERROR_SUCCESS;
}

BOOL CWtkRegistry::CreateKey(LPCSTR lpszPath)
{
    if (m_bReadOnly)
        return FALSE;
    HKEY key = nullptr;
    m_lLastResult = ::RegCreateKeyExA(m_hKey, WithoutTrailingBackslash(lpszPath), 0, nullptr,
                                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    ReplaceKey(key);
    return TRUE;
}

BOOL CWtkRegistry::Open(LPCSTR lpszPath)
{
    m_strPath = lpszPath;
    m_dwLastType = 0;
    m_dwLastSize = 0;
    HKEY key = nullptr;
    m_lLastResult = ::RegOpenKeyExA(m_hKey, WithoutTrailingBackslash(lpszPath), 0, OpenAccess(), &key);
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    ReplaceKey(key);
    return TRUE;
}

void CWtkRegistry::Close()
{
    ReplaceKey(nullptr);
}

BOOL CWtkRegistry::DeleteValue(LPCSTR lpszValueName)
{
    if (m_bReadOnly)
        return FALSE;
    m_lLastResult = ::RegDeleteValueA(m_hKey, lpszValueName);
    return m_lLastResult == ERROR_SUCCESS;
}

BOOL CWtkRegistry::DeleteKey(LPCSTR lpszPath, BOOL bAdmin)
{
    if (m_bReadOnly)
        return FALSE;
    const HKEY root = bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const CString path = WithoutTrailingBackslash(lpszPath);
    HKEY key = nullptr;
    m_lLastResult = ::RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key);
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    for (;;) {
        DWORD sub_keys = 0;
        DWORD longest = 0;
        m_lLastResult = ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &sub_keys, &longest, nullptr, nullptr,
                                           nullptr, nullptr, nullptr, nullptr);
        if (m_lLastResult != ERROR_SUCCESS) {
            ::RegCloseKey(key);
            return FALSE;
        }
        if (sub_keys == 0)
            break;
        std::vector<char> name(longest + 1, '\0');
        m_lLastResult = ::RegEnumKeyA(key, 0, name.data(), longest + 1);
        if (m_lLastResult != ERROR_SUCCESS || !DeleteKey(path + "\\" + name.data(), bAdmin)) {
            ::RegCloseKey(key);
            return FALSE;
        }
    }
    ::RegCloseKey(key);
    m_lLastResult = ::RegDeleteKeyA(root, path);
    return m_lLastResult == ERROR_SUCCESS;
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, const BYTE* pData, UINT nBytes)
{
    if (m_bReadOnly)
        return FALSE;
    m_lLastResult = ::RegSetValueExA(m_hKey, lpszValueName, 0, REG_BINARY, pData, nBytes);
    m_dwLastType = REG_BINARY;
    m_dwLastSize = nBytes;
    return m_lLastResult == ERROR_SUCCESS;
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, LPCSTR lpszValue)
{
    if (m_bReadOnly)
        return FALSE;
    const CString value(lpszValue);
    const DWORD size = static_cast<DWORD>(value.GetLength()) + 1;
    m_lLastResult = ::RegSetValueExA(m_hKey, lpszValueName, 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(static_cast<const char*>(value)), size);
    m_dwLastType = REG_SZ;
    m_dwLastSize = size;
    return m_lLastResult == ERROR_SUCCESS;
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, int nValue)
{
    if (m_bReadOnly)
        return FALSE;
    const DWORD value = static_cast<DWORD>(nValue);
    m_lLastResult = ::RegSetValueExA(m_hKey, lpszValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                     sizeof value);
    return m_lLastResult == ERROR_SUCCESS;
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, DWORD dwValue)
{
    if (m_bReadOnly)
        return FALSE;
    m_lLastResult = ::RegSetValueExA(m_hKey, lpszValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                                     sizeof dwValue);
    m_dwLastType = REG_DWORD;
    m_dwLastSize = sizeof dwValue;
    return m_lLastResult == ERROR_SUCCESS;
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, DWORD& dwValue)
{
    // Wine, like Windows, copies only the stored bytes: a shorter value
    // leaves the rest of the buffer as it was.
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    m_lLastResult =
        ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    m_dwLastType = type;
    m_dwLastSize = size;
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    dwValue = value;
    return TRUE;
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, int& nValue)
{
    DWORD value = 0;
    if (!Read(lpszValueName, value))
        return FALSE;
    nValue = static_cast<int>(value);
    return TRUE;
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, CString& strValue)
{
    DWORD type = 0;
    DWORD size = 0;
    m_lLastResult = ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, &type, nullptr, &size);
    m_dwLastType = type;
    m_dwLastSize = size;
    strValue.Empty();
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    if (size == 0)
        return TRUE;
    // One byte more than asked for: a stored string need not end in NUL.
    std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
    m_lLastResult =
        ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
    m_dwLastType = type;
    m_dwLastSize = size;
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    strValue = buffer.data();
    return TRUE;
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, BYTE** ppData, UINT* pBytes)
{
    if (!ppData || !pBytes)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    DWORD type = 0;
    DWORD size = 0;
    m_lLastResult = ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, &type, nullptr, &size);
    m_dwLastType = type;
    m_dwLastSize = size;
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    if (size == 0)
        return TRUE;
    BYTE* data = new BYTE[size];
    m_lLastResult = ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, &type, data, &size);
    m_dwLastType = type;
    m_dwLastSize = size;
    if (m_lLastResult != ERROR_SUCCESS) {
        delete[] data;
        return FALSE;
    }
    *ppData = data;
    *pBytes = size;
    return TRUE;
}
