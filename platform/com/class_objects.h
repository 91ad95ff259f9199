#pragma once

#include <objbase.h>

#include <vector>

#include "platform/com/class_table.h"
#include "platform/com/critical_section.h"

namespace tvx::com {

// The class objects a local server has registered with COM; revoked at the
// end of the scope at the latest.
class ClassObjects {
public:
    ClassObjects() = default;
    ~ClassObjects() { Revoke(); }
    ClassObjects(const ClassObjects&) = delete;
    ClassObjects& operator=(const ClassObjects&) = delete;

    // Registers a factory per class (multiple use), suspended until all are
    // in place, then resumes them together. On failure nothing stays
    // registered.
    HRESULT Register(const ClassTable& classes, DWORD context = CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER);
    void Revoke();

private:
    CriticalSection lock_;
    std::vector<DWORD> cookies_;
};

}  // namespace tvx::com
