#pragma once

#include <windows.h>

namespace tvx::com {

// Owns a Win32 kernel handle closed with CloseHandle. Both null and
// INVALID_HANDLE_VALUE count as "no handle" (the API uses either as failure).
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(Normalize(h)) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle(Handle&& other) noexcept : h_(other.Detach()) {}
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ~Handle() { Reset(); }

    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ != nullptr; }
    explicit operator bool() const { return Valid(); }

    void Reset(HANDLE h = nullptr)
    {
        if (h_)
            CloseHandle(h_);
        h_ = Normalize(h);
    }
    HANDLE Detach()
    {
        HANDLE h = h_;
        h_ = nullptr;
        return h;
    }

private:
    static HANDLE Normalize(HANDLE h) { return h == INVALID_HANDLE_VALUE ? nullptr : h; }

    HANDLE h_ = nullptr;
};

}  // namespace tvx::com
