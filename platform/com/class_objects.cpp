#include "platform/com/class_objects.h"

#include "platform/com/com_ptr.h"

namespace tvx::com {

HRESULT ClassObjects::Register(const ClassTable& classes, DWORD context)
{
    {
        ScopedLock hold(lock_);
        for (const ClassEntry& entry : classes) {
            ComPtr<IClassFactory> factory;
            HRESULT hr = entry.create_factory(factory.Receive());
            DWORD cookie = 0;
            if (SUCCEEDED(hr))
                hr = CoRegisterClassObject(*entry.clsid, factory.Get(), context, REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED,
                                           &cookie);
            if (FAILED(hr)) {
                for (DWORD registered : cookies_)
                    CoRevokeClassObject(registered);
                cookies_.clear();
                return hr;
            }
            cookies_.push_back(cookie);
        }
    }
    return CoResumeClassObjects();
}

void ClassObjects::Revoke()
{
    std::vector<DWORD> cookies;
    {
        ScopedLock hold(lock_);
        cookies.swap(cookies_);
    }
    for (DWORD cookie : cookies)
        CoRevokeClassObject(cookie);
}

}  // namespace tvx::com
