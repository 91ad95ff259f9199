#include "command/mail/mail_library.h"

#include <string>

namespace mail {
namespace {

// The directory, ending in a backslash, of the module this code is linked
// into: QvxCmd.dll in a host, or a test program.
std::string ThisModuleDirectory()
{
    HMODULE self = nullptr;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              reinterpret_cast<LPCSTR>(&ThisModuleDirectory), &self))
        return std::string();
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    std::string directory(path, length);
    size_t cut = directory.find_last_of('\\');
    return cut == std::string::npos ? std::string() : directory.substr(0, cut + 1);
}

}  // namespace

MailLibrary::MailLibrary(const char* fileName) : m_fileName(fileName), m_module(nullptr)
{
    std::string directory = ThisModuleDirectory();
    if (!directory.empty())
        m_module = ::LoadLibraryA((directory + fileName).c_str());
    // Never the current directory or the PATH: a library of that name left
    // there by anyone would run inside the scheduler.
    if (m_module == nullptr)
        m_module = ::LoadLibraryExA(fileName, nullptr,
                                    LOAD_LIBRARY_SEARCH_APPLICATION_DIR |
                                        LOAD_LIBRARY_SEARCH_SYSTEM32);
}

MailLibrary::~MailLibrary()
{
    if (m_module != nullptr)
        ::FreeLibrary(m_module);
}

}  // namespace mail
