#include "engine/service_mode.h"

#include <atomic>

namespace {

std::atomic<bool> service_mode{true};

}  // namespace

void SetEngineServiceMode(bool mode)
{
    service_mode.store(mode);
}

bool EngineServiceMode()
{
    return service_mode.load();
}
