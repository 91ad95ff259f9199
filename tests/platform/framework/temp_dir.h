// A fresh directory under the temporary folder, removed with its files.
#pragma once

#include <windows.h>

#include <string>

class TempDir {
public:
    TempDir()
    {
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        for (unsigned n = ::GetTickCount();; ++n) {
            m_path = std::string(base) + "tvxfw" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(n);
            if (::CreateDirectoryA(m_path.c_str(), nullptr))
                break;
        }
    }
    ~TempDir()
    {
        WIN32_FIND_DATAA data;
        HANDLE find = ::FindFirstFileA((m_path + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = data.cFileName;
                if (name != "." && name != "..")
                    ::DeleteFileA((m_path + "\\" + name).c_str());
            } while (::FindNextFileA(find, &data));
            ::FindClose(find);
        }
        ::RemoveDirectoryA(m_path.c_str());
    }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

inline void WriteWholeFile(const std::string& path, const std::string& content)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::CloseHandle(file);
}

inline std::string ReadWholeFile(const std::string& path)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        content.append(buffer, read);
    ::CloseHandle(file);
    return content;
}
