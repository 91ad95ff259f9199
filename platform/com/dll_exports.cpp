// The entry points of an in-process server, compiled into each server DLL
// (tarvex_com_inproc_server) and exported by dll_exports.def.
#include <objbase.h>
#include <olectl.h>

#include "platform/com/inproc_server.h"
#include "platform/com/module.h"
#include "platform/com/registration.h"

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    return tvx::com::GetClassObject(tvx::com::ServerClasses(), clsid, iid, out);
}

STDAPI DllCanUnloadNow()
{
    return tvx::com::Module::Current().CanUnloadNow();
}

STDAPI DllRegisterServer()
{
    HRESULT hr = tvx::com::RegisterInprocServer(tvx::com::ServerClasses());
    if (FAILED(hr))
        tvx::com::UnregisterInprocServer(tvx::com::ServerClasses());  // no half registration left behind
    return hr;
}

STDAPI DllUnregisterServer()
{
    return tvx::com::UnregisterInprocServer(tvx::com::ServerClasses());
}
