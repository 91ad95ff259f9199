#pragma once

#include <ole2.h>

#include <cwchar>
#include <string>

namespace tvx::com {

// Owns a BSTR (SysAllocString / SysFreeString). A null BSTR is the empty text,
// as automation treats it.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : s_(text ? SysAllocString(text) : nullptr) {}
    Bstr(const wchar_t* text, UINT length) : s_(SysAllocStringLen(text, length)) {}
    explicit Bstr(const std::wstring& text)
        : s_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
    {
    }
    Bstr(const Bstr& other) : s_(other.s_ ? SysAllocStringLen(other.s_, other.Length()) : nullptr) {}
    Bstr(Bstr&& other) noexcept : s_(other.Detach()) {}
    ~Bstr() { Reset(); }

    Bstr& operator=(const Bstr& other)
    {
        if (this != &other)
            Bstr(other).Swap(*this);
        return *this;
    }
    Bstr& operator=(Bstr&& other) noexcept
    {
        Bstr(std::move(other)).Swap(*this);
        return *this;
    }

    BSTR Get() const { return s_; }
    // Never null: an empty BSTR reads as "".
    const wchar_t* c_str() const { return s_ ? s_ : L""; }
    UINT Length() const { return SysStringLen(s_); }
    bool Empty() const { return Length() == 0; }
    std::wstring ToString() const { return std::wstring(c_str(), Length()); }

    // For an [out] BSTR parameter: frees the current text first.
    BSTR* Receive()
    {
        Reset();
        return &s_;
    }
    void Attach(BSTR s)
    {
        Reset();
        s_ = s;
    }
    BSTR Detach()
    {
        BSTR s = s_;
        s_ = nullptr;
        return s;
    }
    void Reset()
    {
        if (s_) {
            SysFreeString(s_);
            s_ = nullptr;
        }
    }
    void Swap(Bstr& other) noexcept
    {
        BSTR s = s_;
        s_ = other.s_;
        other.s_ = s;
    }

    // Gives the caller a copy of its own; E_OUTOFMEMORY when it can't be made.
    HRESULT CopyTo(BSTR* out) const
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!s_)
            return S_OK;
        *out = SysAllocStringLen(s_, Length());
        return *out ? S_OK : E_OUTOFMEMORY;
    }

private:
    BSTR s_ = nullptr;
};

inline bool operator==(const Bstr& a, const Bstr& b)
{
    return a.Length() == b.Length() && std::wmemcmp(a.c_str(), b.c_str(), a.Length()) == 0;
}
inline bool operator!=(const Bstr& a, const Bstr& b) { return !(a == b); }

}  // namespace tvx::com
