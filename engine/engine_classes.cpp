#include "engine/engine_classes.h"

#include "engine/scheduler.h"
#include "platform/com/class_factory.h"
#include "tarvex.h"

const GUID kEngineAppId = {0xddad4f17, 0x333e, 0x4ad0, {0xa4, 0x23, 0xbd, 0x74, 0x77, 0xfa, 0xe7, 0x9f}};

namespace {

const tvx::com::ClassEntry kEngineClasses[] = {
    {&CLSID_QVScheduler, &tvx::com::SingletonClassFactory<CQVScheduler>::Create, L"QVScheduler Class",
     L"Tarvex.QVScheduler.1", L"Tarvex.QVScheduler"},
};

// COM passes these to the service's main function when it starts the
// service for a client.
constexpr wchar_t kServiceParameters[] = L"-Service";

}  // namespace

tvx::com::ClassTable EngineClasses()
{
    return kEngineClasses;
}

EngineAppId::EngineAppId(const std::wstring& service_name, bool service_mode) : service_name_(service_name)
{
    registration_.app_id = &kEngineAppId;
    registration_.name = L"Tarvex";
    registration_.exe_name = kEngineExeName;
    if (service_mode) {
        registration_.local_service = service_name_.c_str();
        registration_.service_parameters = kServiceParameters;
    }
}
