#pragma once

#include <objbase.h>

#include <cstddef>
#include <utility>

namespace tvx::com {

// Owns one reference on a COM interface pointer.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a reference of its own; the caller keeps its reference.
    ComPtr(T* p) : p_(p) { AddRefHeld(); }
    ComPtr(const ComPtr& other) : p_(other.p_) { AddRefHeld(); }
    ComPtr(ComPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    ~ComPtr() { Reset(); }

    ComPtr& operator=(const ComPtr& other)
    {
        ComPtr(other).Swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        ComPtr(std::move(other)).Swap(*this);
        return *this;
    }
    ComPtr& operator=(T* p)
    {
        ComPtr(p).Swap(*this);
        return *this;
    }
    ComPtr& operator=(std::nullptr_t)
    {
        Reset();
        return *this;
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // For an out parameter: drops the current reference and lets the callee
    // store a new one.
    T** Receive()
    {
        Reset();
        return &p_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    // Adopts a reference the caller already owns.
    void Attach(T* p)
    {
        Reset();
        p_ = p;
    }
    // Hands the reference to the caller.
    T* Detach()
    {
        T* p = p_;
        p_ = nullptr;
        return p;
    }
    void Reset()
    {
        if (p_) {
            T* p = p_;
            p_ = nullptr;
            p->Release();
        }
    }
    void Swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }

    // Gives the caller a reference of its own (an [out] parameter).
    HRESULT CopyTo(T** out) const
    {
        if (!out)
            return E_POINTER;
        *out = p_;
        AddRefHeld();
        return S_OK;
    }

    template <class U>
    HRESULT As(ComPtr<U>& out) const
    {
        if (!p_)
            return E_POINTER;
        return p_->QueryInterface(__uuidof(U), out.ReceiveVoid());
    }

    HRESULT QueryFrom(IUnknown* unknown)
    {
        Reset();
        if (!unknown)
            return E_POINTER;
        return unknown->QueryInterface(__uuidof(T), ReceiveVoid());
    }

    HRESULT CreateInstance(REFCLSID clsid, DWORD context = CLSCTX_ALL, IUnknown* outer = nullptr)
    {
        return CoCreateInstance(clsid, outer, context, __uuidof(T), ReceiveVoid());
    }

private:
    void AddRefHeld() const
    {
        if (p_)
            p_->AddRef();
    }

    T* p_ = nullptr;
};

template <class T, class U>
bool operator==(const ComPtr<T>& a, const ComPtr<U>& b)
{
    return a.Get() == b.Get();
}
template <class T, class U>
bool operator!=(const ComPtr<T>& a, const ComPtr<U>& b)
{
    return a.Get() != b.Get();
}

// True when both pointers belong to one COM object (compares IUnknown identities).
bool SameObject(IUnknown* a, IUnknown* b);

}  // namespace tvx::com
