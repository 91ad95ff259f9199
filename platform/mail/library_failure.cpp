#include "platform/mail/library_failure.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace mail_library {
namespace {

struct FailureRecord {
    long code;
    char text[512];
    FailureRecord* previous;
    FailureRecord* next;
};

// Thread-local storage through the system rather than the compiler: the
// library is loaded and freed again by every command that sends mail, and a
// compiler-managed thread-local destructor would outlive the unloaded code.
DWORD g_tls_index = TLS_OUT_OF_INDEXES;
// Every thread's record, so that unloading the library frees them all.
CRITICAL_SECTION g_records_lock;
FailureRecord* g_records = nullptr;

FailureRecord* ThreadRecord(bool create)
{
    if (g_tls_index == TLS_OUT_OF_INDEXES)
        return nullptr;
    auto* record = static_cast<FailureRecord*>(::TlsGetValue(g_tls_index));
    if (record != nullptr || !create)
        return record;
    record = static_cast<FailureRecord*>(::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY,
                                                     sizeof(FailureRecord)));
    if (record == nullptr)
        return nullptr;
    ::EnterCriticalSection(&g_records_lock);
    record->next = g_records;
    if (g_records != nullptr)
        g_records->previous = record;
    g_records = record;
    ::LeaveCriticalSection(&g_records_lock);
    ::TlsSetValue(g_tls_index, record);
    return record;
}

void CopyCut(const char* text, char* buffer, long size)
{
    size_t length = std::strlen(text);
    if (length > static_cast<size_t>(size - 1))
        length = static_cast<size_t>(size - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
}

}  // namespace

bool StartFailureRecords()
{
    ::InitializeCriticalSection(&g_records_lock);
    g_tls_index = ::TlsAlloc();
    return g_tls_index != TLS_OUT_OF_INDEXES;
}

void StopFailureRecords()
{
    while (g_records != nullptr) {
        FailureRecord* next = g_records->next;
        ::HeapFree(::GetProcessHeap(), 0, g_records);
        g_records = next;
    }
    if (g_tls_index != TLS_OUT_OF_INDEXES)
        ::TlsFree(g_tls_index);
    g_tls_index = TLS_OUT_OF_INDEXES;
    ::DeleteCriticalSection(&g_records_lock);
}

void ReleaseThreadFailure()
{
    FailureRecord* record = ThreadRecord(false);
    if (record == nullptr)
        return;
    ::TlsSetValue(g_tls_index, nullptr);
    ::EnterCriticalSection(&g_records_lock);
    if (record->previous != nullptr)
        record->previous->next = record->next;
    else
        g_records = record->next;
    if (record->next != nullptr)
        record->next->previous = record->previous;
    ::LeaveCriticalSection(&g_records_lock);
    ::HeapFree(::GetProcessHeap(), 0, record);
}

bool RecordFailure(long code, const char* format, ...)
{
    FailureRecord* record = ThreadRecord(true);
    if (record == nullptr)
        return false;
    record->code = code;
    va_list args;
    va_start(args, format);
    std::vsnprintf(record->text, sizeof(record->text), format, args);
    va_end(args);
    return false;
}

long LastFailureCode()
{
    FailureRecord* record = ThreadRecord(false);
    return record != nullptr ? record->code : 0;
}

BOOL CopyFailureText(long code, const char* generic_text, char* buffer, long size)
{
    if (buffer == nullptr || size <= 0)
        return FALSE;
    FailureRecord* record = ThreadRecord(false);
    if (record != nullptr && code != 0 && record->code == code && record->text[0] != '\0') {
        CopyCut(record->text, buffer, size);
        return TRUE;
    }
    if (generic_text == nullptr) {
        buffer[0] = '\0';
        return FALSE;
    }
    CopyCut(generic_text, buffer, size);
    return TRUE;
}

}  // namespace mail_library
