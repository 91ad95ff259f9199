// The objects one session of a mail library hands out by number: messages
// in CSMSGL32.dll, connections in CSMTPL32.dll. The caller's session block
// points to the table; a number is looked up on every call, and one the
// table does not hold is refused with the library's own failure.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <new>
#include <utility>

#include "platform/mail/library_failure.h"

namespace mail_library {

// How a library names its table's failures: "The <library> library is not
// initialised" and "Invalid <object> handle <n>", with their codes.
struct HandleKind {
    long not_initialized_code;
    const char* library;
    long invalid_handle_code;
    const char* object;
};

template <typename Object, const HandleKind& Kind>
class HandleTable {
public:
    // A new, empty table behind the session block; false (recorded) when
    // there is no memory for it.
    template <typename Block>
    static bool Attach(Block* session, long out_of_memory_code)
    {
        session->state = new (std::nothrow) HandleTable;
        if (session->state == nullptr)
            return RecordFailure(out_of_memory_code, "Out of memory");
        return true;
    }
    // Frees the table and every object in it; the block may be attached again.
    template <typename Block>
    static void Detach(Block* session)
    {
        delete static_cast<HandleTable*>(session->state);
        session->state = nullptr;
    }
    // The table behind the block, or null with "not initialised" recorded.
    template <typename Block>
    static HandleTable* Of(Block* session)
    {
        if (session == nullptr || session->state == nullptr) {
            RecordFailure(Kind.not_initialized_code, "The %s library is not initialised", Kind.library);
            return nullptr;
        }
        return static_cast<HandleTable*>(session->state);
    }
    // The object of the handle in the block's table, or null with the
    // failure recorded.
    template <typename Block>
    static Object* Find(Block* session, LONG handle)
    {
        HandleTable* table = Of(session);
        return table != nullptr ? table->Find(handle) : nullptr;
    }

    // The object's new handle. Throws std::bad_alloc.
    LONG Add(std::unique_ptr<Object> object)
    {
        const LONG handle = m_next_handle++;
        m_objects.emplace(handle, std::move(object));
        return handle;
    }
    // Null with "Invalid ... handle" recorded when the table has none.
    Object* Find(LONG handle) const
    {
        auto found = m_objects.find(handle);
        if (found == m_objects.end()) {
            RecordFailure(Kind.invalid_handle_code, "Invalid %s handle %ld", Kind.object, handle);
            return nullptr;
        }
        return found->second.get();
    }
    void Remove(LONG handle) { m_objects.erase(handle); }
    template <typename Visit>
    void ForEach(Visit visit)
    {
        for (auto& entry : m_objects)
            visit(*entry.second);
    }

private:
    HandleTable() = default;

    std::map<LONG, std::unique_ptr<Object>> m_objects;
    LONG m_next_handle = 1;
};

}  // namespace mail_library
