// What storage members hand back to their COM callers. Nothing may leave a
// COM method as a C++ exception (the caller is another module, often
// another language): members run their work through GuardedCall, which
// turns an escaping exception into an HRESULT. A failure carries its reason
// as the thread's error info.
#pragma once

#include <objbase.h>

#include <new>

#include "platform/framework/string.h"

template <class Work>
HRESULT GuardedCall(Work&& work) noexcept
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// hr unchanged; for a failure the text (or a general one when empty) is set
// as error info of the interface iid, from the class progId.
HRESULT ReportStorageResult(HRESULT hr, REFIID iid, const CString& text, const wchar_t* progId);
