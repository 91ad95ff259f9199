// OLE for the calling thread: the framework's initialisation and the query
// that decides whether windows register drop targets.
#pragma once

#include <windows.h>

// Initialises OLE for the calling thread (a single-threaded apartment,
// OleInitialize) and records it; FALSE when the thread can't have it (it is
// in the multithreaded apartment, for one). Balanced by AfxOleTerm.
BOOL AfxOleInit();
// Ends what AfxOleInit began on this thread; nothing when it did not succeed.
void AfxOleTerm();
// Whether AfxOleInit succeeded on this thread and AfxOleTerm has not run:
// drag and drop needs OLE, not only COM.
BOOL AfxOleIsInitialized();
