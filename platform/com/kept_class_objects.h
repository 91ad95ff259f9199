#pragma once

#include <objbase.h>

#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/com/critical_section.h"

namespace tvx::com {

// Class objects of other in-process servers (every server of the product
// is registered with the threading model Both), asked from COM once and
// kept, with their servers locked, until the module that keeps them may
// unload. Not for the module's own classes: their lock would keep the
// module from ever unloading. COM's activation reads the
// class's registry keys on every creation; under Wine that costs a few
// hundred microseconds, many times what the objects a task is made of cost,
// and an engine loading thousands of tasks makes several per task.
// Thread-safe; one per module (see Module).
class KeptClassObjects {
public:
    KeptClassObjects() = default;
    ~KeptClassObjects();
    KeptClassObjects(const KeptClassObjects&) = delete;
    KeptClassObjects& operator=(const KeptClassObjects&) = delete;

    // As CoCreateInstance with CLSCTX_INPROC_SERVER. A class that can't be
    // had is asked for again on the next call.
    HRESULT CreateInstance(REFCLSID clsid, IUnknown* outer, REFIID iid, void** out);

    // Lets go of every class object (an in-process server about to be
    // unloaded).
    void Clear();

private:
    struct Entry {
        CLSID clsid;
        ComPtr<IClassFactory> factory;
    };
    HRESULT Factory(REFCLSID clsid, ComPtr<IClassFactory>& out);

    CriticalSection lock_;
    std::vector<Entry> entries_;
};

}  // namespace tvx::com
