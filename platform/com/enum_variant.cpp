#include "platform/com/enum_variant.h"

#include <memory>

#include "platform/com/snapshot_enum.h"

namespace tvx::com {

namespace {

struct VariantCopyPolicy {
    static HRESULT Copy(VARIANT* to, const VARIANT& from)
    {
        VariantInit(to);
        return VariantCopy(to, const_cast<VARIANT*>(&from));
    }
    static void Destroy(VARIANT* item) { VariantClear(item); }
};

using EnumVariant = SnapshotEnum<IEnumVARIANT, VARIANT, VariantCopyPolicy>;

template <class Get>
HRESULT Build(std::size_t count, Get get, IEnumVARIANT** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    auto items = std::make_shared<EnumVariant::Items>();
    for (std::size_t i = 0; i < count; ++i) {
        HRESULT hr = items->Add(get(i));
        if (FAILED(hr))
            return hr;
    }
    return EnumVariant::Create(std::move(items), 0, out);
}

}  // namespace

HRESULT CreateEnumVariant(const VARIANT* items, std::size_t count, IEnumVARIANT** out)
{
    if (count > 0 && !items)
        return E_POINTER;
    return Build(count, [items](std::size_t i) -> const VARIANT& { return items[i]; }, out);
}

HRESULT CreateEnumVariant(const std::vector<Variant>& items, IEnumVARIANT** out)
{
    return Build(items.size(), [&items](std::size_t i) -> const VARIANT& { return items[i].Get(); }, out);
}

}  // namespace tvx::com
