#include "platform/com/variant.h"

#include <cstring>

namespace tvx::com {

namespace {

// VariantCopy only reads its source; the header lacks the const.
HRESULT CopyVariant(VARIANT* to, const VARIANT* from)
{
    return VariantCopy(to, const_cast<VARIANT*>(from));
}

}  // namespace

Variant::Variant(long value)
{
    VariantInit(&v_);
    V_VT(&v_) = VT_I4;
    V_I4(&v_) = value;
}

Variant::Variant(short value)
{
    VariantInit(&v_);
    V_VT(&v_) = VT_I2;
    V_I2(&v_) = value;
}

Variant::Variant(double value)
{
    VariantInit(&v_);
    V_VT(&v_) = VT_R8;
    V_R8(&v_) = value;
}

Variant::Variant(bool value)
{
    VariantInit(&v_);
    V_VT(&v_) = VT_BOOL;
    V_BOOL(&v_) = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(const wchar_t* text)
{
    VariantInit(&v_);
    V_VT(&v_) = VT_BSTR;
    V_BSTR(&v_) = SysAllocString(text ? text : L"");
}

Variant::Variant(const Bstr& text)
{
    VariantInit(&v_);
    V_VT(&v_) = VT_BSTR;
    V_BSTR(&v_) = SysAllocStringLen(text.c_str(), text.Length());
}

Variant::Variant(IDispatch* object)
{
    VariantInit(&v_);
    V_VT(&v_) = VT_DISPATCH;
    V_DISPATCH(&v_) = object;
    if (object)
        object->AddRef();
}

Variant::Variant(IUnknown* object)
{
    VariantInit(&v_);
    V_VT(&v_) = VT_UNKNOWN;
    V_UNKNOWN(&v_) = object;
    if (object)
        object->AddRef();
}

Variant Variant::FromDate(DATE date)
{
    Variant v;
    V_VT(&v.v_) = VT_DATE;
    V_DATE(&v.v_) = date;
    return v;
}

Variant::Variant(const VARIANT& other)
{
    VariantInit(&v_);
    CopyVariant(&v_, &other);
}

Variant::Variant(const Variant& other) : Variant(other.v_) {}

Variant::Variant(Variant&& other) noexcept
{
    v_ = other.v_;
    VariantInit(&other.v_);
}

Variant& Variant::operator=(const Variant& other)
{
    if (this != &other)
        CopyVariant(&v_, &other.v_);
    return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept
{
    if (this != &other) {
        VariantClear(&v_);
        v_ = other.v_;
        VariantInit(&other.v_);
    }
    return *this;
}

VARIANT* Variant::Receive()
{
    VariantClear(&v_);
    return &v_;
}

void Variant::Detach(VARIANT* out)
{
    *out = v_;
    VariantInit(&v_);
}

HRESULT Variant::CopyTo(VARIANT* out) const
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    return CopyVariant(out, &v_);
}

HRESULT Variant::ChangeType(VARTYPE type)
{
    return VariantChangeType(&v_, &v_, 0, type);
}

}  // namespace tvx::com
