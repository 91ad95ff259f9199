#include "platform/ui/ole_stg_medium.h"

#include <cstring>

HGLOBAL OleCopyGlobalMemory(HGLOBAL memory)
{
    if (memory == nullptr)
        return nullptr;
    const SIZE_T size = ::GlobalSize(memory);
    const void* source = ::GlobalLock(memory);
    if (source == nullptr)
        return nullptr;
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size);
    void* target = copy != nullptr ? ::GlobalLock(copy) : nullptr;
    if (target != nullptr) {
        std::memcpy(target, source, size);
        ::GlobalUnlock(copy);
    } else if (copy != nullptr) {
        ::GlobalFree(copy);
        copy = nullptr;
    }
    ::GlobalUnlock(memory);
    return copy;
}
