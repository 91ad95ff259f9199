// What the storage component and the engine ask of a task object beyond
// IQVTask: which version of its task file the task was last read from or
// written as, so that a save of a task whose file another program has
// changed since is refused instead of overwriting that change, and a reload
// of the task from its file. Answered only in process by QvxTask's task
// object (it has no proxy): the storage runs in the task's own process.
#pragma once

#include <objbase.h>

struct IQVTaskFileState : public IUnknown {
    // S_OK and the version of the file the task is based on; S_FALSE when it
    // is based on none (never read from its file, deleted it, or named
    // another file since).
    virtual HRESULT STDMETHODCALLTYPE GetFileVersion(ULONGLONG* version) = 0;
    virtual void STDMETHODCALLTYPE SetFileVersion(ULONGLONG version) = 0;
    virtual void STDMETHODCALLTYPE ForgetFileVersion() = 0;
    // Reads the task again from its own file, its command list replaced by
    // the file's. On failure the task is left as it was.
    virtual HRESULT STDMETHODCALLTYPE ReloadFromStorage() = 0;
};

__CRT_UUID_DECL(IQVTaskFileState, 0x8d3f5b27, 0x61c4, 0x4e0a, 0x9b, 0x72, 0x15, 0xe8, 0xa4, 0x3c, 0x0d, 0x96)
