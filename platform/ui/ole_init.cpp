#include "platform/ui/ole_init.h"

#include <ole2.h>

namespace {

// One thread's OLE initialisation; no other thread can use or end it.
thread_local bool oleInitialized = false;

}  // namespace

BOOL AfxOleInit()
{
    if (oleInitialized)
        return TRUE;
    if (FAILED(::OleInitialize(nullptr)))
        return FALSE;
    oleInitialized = true;
    return TRUE;
}

void AfxOleTerm()
{
    if (!oleInitialized)
        return;
    oleInitialized = false;
    ::OleUninitialize();
}

BOOL AfxOleIsInitialized()
{
    return oleInitialized ? TRUE : FALSE;
}
