#include "platform/framework/resource_handle.h"

#include <atomic>

namespace {

std::atomic<HINSTANCE> g_resources{nullptr};

}  // namespace

HINSTANCE AfxGetResourceHandle()
{
    HINSTANCE resources = g_resources.load();
    return resources ? resources : ::GetModuleHandleA(nullptr);
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_resources.store(hInstResource);
}
