// What the registry tests share: a key of their own under HKEY_CURRENT_USER
// (one per test case, removed before and after it, since CTest runs cases
// side by side in one prefix), raw access to its values that bypasses the
// class under test, and a small serialisable record.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/framework/archive.h"
#include "platform/framework/object.h"
#include "platform/framework/string.h"

using Bytes = std::vector<BYTE>;

inline Bytes Le16(WORD value)
{
    return Bytes{static_cast<BYTE>(value), static_cast<BYTE>(value >> 8)};
}

inline Bytes Le32(DWORD value)
{
    return Bytes{static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                 static_cast<BYTE>(value >> 24)};
}

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

inline Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

struct RawValue {
    DWORD type = REG_NONE;
    Bytes bytes;
    bool exists = false;
};

// A key below HKEY_CURRENT_USER that belongs to the running test alone.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::string("Software\\Tarvex Tests\\WtkFoundation\\") + test->test_suite_name() + "." + test->name();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
        ASSERT_EQ(CreateRaw(m_path), ERROR_SUCCESS);
    }
    void TearDown() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
        // The parents go with the last test that used them; while another
        // test's key is below them, the deletion fails and leaves them.
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tarvex Tests\\WtkFoundation");
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tarvex Tests");
    }

    // The test's key, and a path below it.
    const std::string& Path() const { return m_path; }
    std::string Path(const std::string& below) const { return m_path + "\\" + below; }

    static LONG CreateRaw(const std::string& path)
    {
        HKEY key = nullptr;
        const LONG result = ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                              nullptr, &key, nullptr);
        if (result == ERROR_SUCCESS)
            ::RegCloseKey(key);
        return result;
    }
    static bool KeyThere(const std::string& path)
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }
    RawValue ReadRaw(const char* name) const { return ReadRaw(m_path, name); }
    static RawValue ReadRaw(const std::string& path, const char* name)
    {
        RawValue value;
        BYTE buffer[4096];
        DWORD size = sizeof buffer;
        if (::RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &value.type, buffer,
                           &size) != ERROR_SUCCESS)
            return value;
        value.exists = true;
        value.bytes.assign(buffer, buffer + size);
        return value;
    }
    void WriteRaw(const char* name, DWORD type, const Bytes& bytes) const
    {
        ASSERT_EQ(::RegSetKeyValueA(HKEY_CURRENT_USER, m_path.c_str(), name, type,
                                    bytes.empty() ? nullptr : bytes.data(), static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }

private:
    std::string m_path;
};

// A record as the toolkit's objects are: a number and a name.
class CTestRecord : public CObject {
    DECLARE_SERIAL(CTestRecord)
public:
    CTestRecord() = default;
    CTestRecord(LONG number, const char* name) : m_nNumber(number), m_strName(name) {}

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_nNumber << m_strName;
        else
            ar >> m_nNumber >> m_strName;
    }

    LONG m_nNumber = 0;
    CString m_strName;
};
