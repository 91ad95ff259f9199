#pragma once

#include <oaidl.h>

#include <cstddef>
#include <vector>

#include "platform/com/variant.h"

namespace tvx::com {

// An IEnumVARIANT over copies of the given values (for _NewEnum).
HRESULT CreateEnumVariant(const VARIANT* items, std::size_t count, IEnumVARIANT** out);
HRESULT CreateEnumVariant(const std::vector<Variant>& items, IEnumVARIANT** out);

}  // namespace tvx::com
