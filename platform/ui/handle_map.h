// The objects that own GDI handles, device contexts and image lists, found
// by handle. These handles belong to the process, not to a thread, and an
// owning object may well be made on one thread and used or destroyed on
// another (or during the program's exit, after the threads' own state has
// gone), so the table is one for the process, guarded by a lock.
#pragma once

#include <windows.h>

#include <mutex>
#include <unordered_map>

template <typename Handle, typename Object>
class PermanentHandleMap {
public:
    static PermanentHandleMap& Instance()
    {
        // Built on first use, so it outlives every static owner that
        // registers with it.
        static PermanentHandleMap map;
        return map;
    }

    Object* Find(Handle handle)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        auto found = m_objects.find(handle);
        return found == m_objects.end() ? nullptr : found->second;
    }

    // FALSE when another object owns the handle already.
    bool Add(Handle handle, Object* object)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_objects.emplace(handle, object).second;
    }

    void Remove(Handle handle, Object* object)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        auto found = m_objects.find(handle);
        if (found != m_objects.end() && found->second == object)
            m_objects.erase(found);
    }

private:
    PermanentHandleMap() = default;

    std::mutex m_lock;
    std::unordered_map<Handle, Object*> m_objects;
};
