// What the engine asks of its task list beyond the clients' interface: that
// the condition tests of one scheduling pass share one list of the system's
// processes and one of its windows. Answered only in the engine's process by
// the in-process collection (it has no proxy).
#pragma once

#include <objbase.h>

struct IQVSharedSnapshots : public IUnknown {
    // Opens a scope on the calling thread: from now on its condition tests
    // list the processes, and the windows, once, at the first test that
    // needs them, and reuse that list until the scope ends. Scopes nest;
    // the lists are taken afresh only in the outermost one. Other threads
    // keep listing at every test.
    virtual void STDMETHODCALLTYPE BeginSharedSnapshots() = 0;
    // Ends the scope the calling thread opened last; the outermost End drops
    // the lists. An End without a Begin does nothing.
    virtual void STDMETHODCALLTYPE EndSharedSnapshots() = 0;
};

__CRT_UUID_DECL(IQVSharedSnapshots, 0x5e2c7a91, 0x3d84, 0x4f6b, 0xa1, 0x0e, 0x7c, 0x29, 0xd4, 0x63, 0xb8, 0x15)
