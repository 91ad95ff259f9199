#include "platform/framework/obarray.h"

#include <memory>
#include <vector>

#include "platform/framework/archive.h"

IMPLEMENT_SERIAL(CObArray, CObject, 0)

CObArray::CObArray() = default;
CObArray::~CObArray() = default;

void CObArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(GetSize()));
        for (int i = 0; i < GetSize(); ++i)
            ar.WriteObject(GetAt(i));
        return;
    }
    const DWORD count = ar.ReadCount();
    std::vector<std::unique_ptr<CObject>> loaded;
    for (DWORD i = 0; i < count; ++i)
        loaded.emplace_back(ar.ReadNewObject(nullptr));
    RemoveAll();
    for (auto& element : loaded)
        Add(element.release());
}
