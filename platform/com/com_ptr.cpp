#include "platform/com/com_ptr.h"

namespace tvx::com {

bool SameObject(IUnknown* a, IUnknown* b)
{
    if (!a || !b)
        return a == b;
    ComPtr<IUnknown> ua;
    ComPtr<IUnknown> ub;
    if (FAILED(a->QueryInterface(IID_IUnknown, ua.ReceiveVoid())) ||
        FAILED(b->QueryInterface(IID_IUnknown, ub.ReceiveVoid())))
        return false;
    return ua.Get() == ub.Get();
}

}  // namespace tvx::com
