// Entry points of CSMSGL32.dll, exported by ordinal through csmsgl32.def.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <type_traits>

#include "platform/mail/csmsgl32.h"
#include "platform/mail/handle_table.h"
#include "platform/mail/library_failure.h"
#include "platform/mail/mime_message.h"

using mail_library::RecordFailure;

extern "C" {
BOOL WINAPI CsMsgInitialize(CSMSG_SESSION* session);
void WINAPI CsMsgRelease(CSMSG_SESSION* session);
LONG WINAPI CsMsgCreateMessage(CSMSG_SESSION* session);
BOOL WINAPI CsMsgSetHeader(CSMSG_SESSION* session, LONG message, LPCSTR name, LPCSTR value);
BOOL WINAPI CsMsgAppendText(CSMSG_SESSION* session, LONG message, LPCSTR text);
BOOL WINAPI CsMsgAttachFile(CSMSG_SESSION* session, LONG message, LPCSTR path);
BOOL WINAPI CsMsgExportMessage(CSMSG_SESSION* session, LONG message, LPCSTR path);
LONG WINAPI CsMsgGetLastError(void);
BOOL WINAPI CsMsgGetErrorText(LONG code, LPSTR buffer, LONG size);
}

// The exports must keep the shapes callers bind them with.
static_assert(std::is_same_v<decltype(&CsMsgInitialize), CSMSG_INITIALIZE>);
static_assert(std::is_same_v<decltype(&CsMsgRelease), CSMSG_RELEASE>);
static_assert(std::is_same_v<decltype(&CsMsgCreateMessage), CSMSG_CREATE_MESSAGE>);
static_assert(std::is_same_v<decltype(&CsMsgSetHeader), CSMSG_SET_HEADER>);
static_assert(std::is_same_v<decltype(&CsMsgAppendText), CSMSG_APPEND_TEXT>);
static_assert(std::is_same_v<decltype(&CsMsgAttachFile), CSMSG_ATTACH_FILE>);
static_assert(std::is_same_v<decltype(&CsMsgExportMessage), CSMSG_EXPORT_MESSAGE>);
static_assert(std::is_same_v<decltype(&CsMsgGetLastError), CSMSG_LAST_ERROR>);
static_assert(std::is_same_v<decltype(&CsMsgGetErrorText), CSMSG_ERROR_TEXT>);

namespace {

// An attachment is held in memory until the export writes it out, base64
// encoded; beyond this size the attach is refused rather than exhausting
// the host's address space.
const LONGLONG kMaxAttachmentBytes = 64LL * 1024 * 1024;

constexpr mail_library::HandleKind kMessages{CSMSG_ERROR_NOT_INITIALIZED, "message", CSMSG_ERROR_INVALID_MESSAGE,
                                             "message"};
using Messages = mail_library::HandleTable<MimeMessage, kMessages>;

// The file name part of a path: after the last "\", "/" or drive colon.
std::string FileNameOf(const std::string& path)
{
    size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

bool ReadWholeFile(const char* path, std::string& content)
{
    FileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return RecordFailure(CSMSG_ERROR_ATTACHMENT, "Unable to open %s (error %lu)", path,
                             ::GetLastError());
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.get(), &size))
        return RecordFailure(CSMSG_ERROR_ATTACHMENT, "Unable to read %s (error %lu)", path,
                             ::GetLastError());
    if (size.QuadPart > kMaxAttachmentBytes)
        return RecordFailure(CSMSG_ERROR_ATTACHMENT, "%s is larger than %lld bytes", path,
                             kMaxAttachmentBytes);
    content.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < content.size()) {
        DWORD read = 0;
        DWORD wanted = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1 << 20));
        if (!::ReadFile(file.get(), &content[done], wanted, &read, nullptr))
            return RecordFailure(CSMSG_ERROR_ATTACHMENT, "Unable to read %s (error %lu)", path,
                                 ::GetLastError());
        if (read == 0)
            break;  // the file shrank while being read
        done += read;
    }
    content.resize(done);
    return true;
}

bool WriteWholeFile(const char* path, const std::string& content)
{
    FileHandle file(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return RecordFailure(CSMSG_ERROR_EXPORT, "Unable to create %s (error %lu)", path,
                             ::GetLastError());
    size_t done = 0;
    while (done < content.size()) {
        DWORD written = 0;
        DWORD wanted = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1 << 20));
        if (!::WriteFile(file.get(), content.data() + done, wanted, &written, nullptr) ||
            written == 0)
            return RecordFailure(CSMSG_ERROR_EXPORT, "Unable to write %s (error %lu)", path,
                                 ::GetLastError());
        done += written;
    }
    return true;
}

const char* GenericText(LONG code)
{
    switch (code) {
    case CSMSG_ERROR_NONE: return "No error";
    case CSMSG_ERROR_NOT_INITIALIZED: return "The message library is not initialised";
    case CSMSG_ERROR_INVALID_MESSAGE: return "Invalid message handle";
    case CSMSG_ERROR_INVALID_ARGUMENT: return "Invalid argument";
    case CSMSG_ERROR_INVALID_HEADER: return "Invalid header";
    case CSMSG_ERROR_ATTACHMENT: return "Unable to attach the file";
    case CSMSG_ERROR_EXPORT: return "Unable to write the message file";
    case CSMSG_ERROR_OUT_OF_MEMORY: return "Out of memory";
    default: return nullptr;
    }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return mail_library::StartFailureRecords() ? TRUE : FALSE;
    case DLL_THREAD_DETACH:
        mail_library::ReleaseThreadFailure();
        break;
    case DLL_PROCESS_DETACH:
        mail_library::StopFailureRecords();
        break;
    }
    return TRUE;
}

BOOL WINAPI CsMsgInitialize(CSMSG_SESSION* session)
{
    if (session == nullptr)
        return RecordFailure(CSMSG_ERROR_INVALID_ARGUMENT, "No session block");
    return Messages::Attach(session, CSMSG_ERROR_OUT_OF_MEMORY) ? TRUE : FALSE;
}

void WINAPI CsMsgRelease(CSMSG_SESSION* session)
{
    if (session == nullptr)
        return;
    Messages::Detach(session);
}

LONG WINAPI CsMsgCreateMessage(CSMSG_SESSION* session)
{
    Messages* messages = Messages::Of(session);
    if (messages == nullptr)
        return -1;
    try {
        return messages->Add(std::make_unique<MimeMessage>());
    } catch (const std::bad_alloc&) {
        RecordFailure(CSMSG_ERROR_OUT_OF_MEMORY, "Out of memory");
        return -1;
    }
}

BOOL WINAPI CsMsgSetHeader(CSMSG_SESSION* session, LONG message, LPCSTR name, LPCSTR value)
{
    MimeMessage* target = Messages::Find(session, message);
    if (target == nullptr)
        return FALSE;
    if (name == nullptr)
        return RecordFailure(CSMSG_ERROR_INVALID_HEADER, "Empty header name");
    try {
        std::string reason;
        if (!target->SetHeader(name, value != nullptr ? value : "", reason))
            return RecordFailure(CSMSG_ERROR_INVALID_HEADER, "%s", reason.c_str());
        return TRUE;
    } catch (const std::bad_alloc&) {
        return RecordFailure(CSMSG_ERROR_OUT_OF_MEMORY, "Out of memory");
    }
}

BOOL WINAPI CsMsgAppendText(CSMSG_SESSION* session, LONG message, LPCSTR text)
{
    MimeMessage* target = Messages::Find(session, message);
    if (target == nullptr)
        return FALSE;
    try {
        if (text != nullptr)
            target->AppendText(text);
        return TRUE;
    } catch (const std::bad_alloc&) {
        return RecordFailure(CSMSG_ERROR_OUT_OF_MEMORY, "Out of memory");
    }
}

BOOL WINAPI CsMsgAttachFile(CSMSG_SESSION* session, LONG message, LPCSTR path)
{
    MimeMessage* target = Messages::Find(session, message);
    if (target == nullptr)
        return FALSE;
    if (path == nullptr || *path == '\0')
        return RecordFailure(CSMSG_ERROR_ATTACHMENT, "No attachment file named");
    try {
        std::string content;
        if (!ReadWholeFile(path, content))
            return FALSE;
        target->Attach(FileNameOf(path), std::move(content));
        return TRUE;
    } catch (const std::bad_alloc&) {
        return RecordFailure(CSMSG_ERROR_OUT_OF_MEMORY, "Out of memory attaching %s", path);
    }
}

BOOL WINAPI CsMsgExportMessage(CSMSG_SESSION* session, LONG message, LPCSTR path)
{
    MimeMessage* source = Messages::Find(session, message);
    if (source == nullptr)
        return FALSE;
    if (path == nullptr || *path == '\0')
        return RecordFailure(CSMSG_ERROR_EXPORT, "No message file named");
    try {
        return WriteWholeFile(path, source->Compose()) ? TRUE : FALSE;
    } catch (const std::bad_alloc&) {
        return RecordFailure(CSMSG_ERROR_OUT_OF_MEMORY, "Out of memory writing %s", path);
    }
}

LONG WINAPI CsMsgGetLastError(void)
{
    return mail_library::LastFailureCode();
}

BOOL WINAPI CsMsgGetErrorText(LONG code, LPSTR buffer, LONG size)
{
    return mail_library::CopyFailureText(code, GenericText(code), buffer, size);
}
