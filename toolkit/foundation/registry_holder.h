// CWtkRegistrySP: the scoped holder through which the toolkit gets its
// registry object. The object lives as long as the holder, and deleting it
// closes its current key.
#pragma once

#include <windows.h>

#include <memory>

#include "toolkit/foundation/registry.h"

class CWtkRegistrySP {
public:
    CWtkRegistrySP();
    ~CWtkRegistrySP();

    // The first call creates the registry object on HKEY_LOCAL_MACHINE
    // (bAdmin) or HKEY_CURRENT_USER; a read-only object refuses every change.
    // Later calls return the same object with its first flags.
    CWtkRegistry& Create(BOOL bAdmin, BOOL bReadOnly);

private:
    CWtkRegistrySP(const CWtkRegistrySP&) = delete;
    CWtkRegistrySP& operator=(const CWtkRegistrySP&) = delete;

    std::unique_ptr<CWtkRegistry> m_pRegistry;
};
