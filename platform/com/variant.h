#pragma once

#include <ole2.h>

#include "platform/com/bstr.h"

namespace tvx::com {

// Owns a VARIANT (VariantInit / VariantClear).
class Variant {
public:
    Variant() { VariantInit(&v_); }
    explicit Variant(int value) : Variant(static_cast<long>(value)) {}
    explicit Variant(long value);
    explicit Variant(short value);
    explicit Variant(double value);
    explicit Variant(bool value);
    explicit Variant(const wchar_t* text);
    explicit Variant(const Bstr& text);
    explicit Variant(IDispatch* object);
    explicit Variant(IUnknown* object);
    // An automation date (VT_DATE); DATE itself is a double.
    static Variant FromDate(DATE date);

    explicit Variant(const VARIANT& other);
    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;
    ~Variant() { VariantClear(&v_); }

    const VARIANT& Get() const { return v_; }
    VARIANT* Ptr() { return &v_; }
    VARTYPE Type() const { return V_VT(&v_); }

    // For an [out] VARIANT parameter: clears the current value first.
    VARIANT* Receive();
    void Clear() { VariantClear(&v_); }
    // Moves the value into *out (which must be uninitialised or empty).
    void Detach(VARIANT* out);
    // Gives the caller a copy of its own.
    HRESULT CopyTo(VARIANT* out) const;
    HRESULT ChangeType(VARTYPE type);

private:
    VARIANT v_;
};

}  // namespace tvx::com
