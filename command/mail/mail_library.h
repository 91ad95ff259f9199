// One of the mail libraries, loaded for the lifetime of a wrapper and bound
// by ordinal: the libraries export their entry points by number only.
#pragma once

#include <windows.h>

namespace mail {

class MailLibrary {
public:
    // Looks in the directory of the module that holds this code (the command
    // component ships beside the libraries), then in the program's directory
    // and the system directory.
    explicit MailLibrary(const char* fileName);
    ~MailLibrary();
    MailLibrary(const MailLibrary&) = delete;
    MailLibrary& operator=(const MailLibrary&) = delete;

    bool IsLoaded() const { return m_module != nullptr; }
    const char* FileName() const { return m_fileName; }

    // The entry point of that ordinal, or null (also when not loaded).
    template <typename Function>
    Function Bind(int ordinal) const
    {
        if (m_module == nullptr)
            return nullptr;
        return reinterpret_cast<Function>(
            reinterpret_cast<void*>(::GetProcAddress(m_module, MAKEINTRESOURCEA(ordinal))));
    }

private:
    const char* m_fileName;
    HMODULE m_module;
};

}  // namespace mail
