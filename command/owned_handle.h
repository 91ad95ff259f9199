// Ownership of one system handle: closed exactly once, when replaced or when
// the owner goes away.
#pragma once

#include <windows.h>

template <typename Handle, BOOL(WINAPI* Close)(Handle)>
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : m_handle(handle) {}
    ~OwnedHandle() { reset(); }

    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : m_handle(other.release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    void reset(Handle handle = nullptr)
    {
        if (m_handle != nullptr && m_handle != handle)
            Close(m_handle);
        m_handle = handle;
    }
    Handle release()
    {
        Handle handle = m_handle;
        m_handle = nullptr;
        return handle;
    }

private:
    Handle m_handle = nullptr;
};

using OwnedKernelHandle = OwnedHandle<HANDLE, ::CloseHandle>;
using OwnedDesktop = OwnedHandle<HDESK, ::CloseDesktop>;
