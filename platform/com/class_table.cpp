#include "platform/com/class_table.h"

#include "platform/com/com_ptr.h"

namespace tvx::com {

const ClassEntry* ClassTable::Find(REFCLSID clsid) const
{
    for (const ClassEntry& entry : *this) {
        if (IsEqualCLSID(*entry.clsid, clsid))
            return &entry;
    }
    return nullptr;
}

HRESULT GetClassObject(const ClassTable& classes, REFCLSID clsid, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    const ClassEntry* entry = classes.Find(clsid);
    if (!entry)
        return CLASS_E_CLASSNOTAVAILABLE;
    ComPtr<IClassFactory> factory;
    HRESULT hr = entry->create_factory(factory.Receive());
    if (FAILED(hr))
        return hr;
    return factory->QueryInterface(iid, out);
}

}  // namespace tvx::com
