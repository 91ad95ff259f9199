#include "command/dialup/ras_library.h"

#include <mutex>

namespace dialup {
namespace {

const char kLibraryName[] = "RASAPI32.DLL";

template <typename Function>
Function Entry(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

RasLibraryReference::RasLibraryReference() : m_module(::LoadLibraryA(kLibraryName))
{
}

RasLibraryReference::~RasLibraryReference()
{
    if (m_module != nullptr)
        ::FreeLibrary(m_module);
}

const RasLibrary* RasLibrary::Bound()
{
    static std::mutex lock;
    static RasLibrary library;
    static bool bound = false;

    std::lock_guard<std::mutex> guard(lock);
    if (bound)
        return &library;
    HMODULE module = ::LoadLibraryA(kLibraryName);
    if (module == nullptr)
        return nullptr;
    library.Dial = Entry<RasDialFunction>(module, "RasDialA");
    library.EnumConnections = Entry<RasEnumConnectionsFunction>(module, "RasEnumConnectionsA");
    library.GetConnectStatus = Entry<RasGetConnectStatusFunction>(module, "RasGetConnectStatusA");
    library.HangUp = Entry<RasHangUpFunction>(module, "RasHangUpA");
    library.GetErrorString = Entry<RasGetErrorStringFunction>(module, "RasGetErrorStringA");
    if (!library.Dial || !library.EnumConnections || !library.GetConnectStatus ||
        !library.HangUp || !library.GetErrorString) {
        ::FreeLibrary(module);
        return nullptr;
    }
    // Deliberately never freed: see the declaration.
    bound = true;
    return &library;
}

}  // namespace dialup
