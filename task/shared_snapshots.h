// The process and window lists that the condition tests of one thread share
// while a snapshot scope is open (see IQVSharedSnapshots). Outside a scope
// the accessors give null and each test lists afresh.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "task/shared/process_list.h"

// One top-level window as the window list saw it.
struct WindowEntry {
    HWND window = nullptr;
    std::string title;
    // Visible and without an owner: a window the title-pattern search takes.
    bool searchable = false;
};

void BeginSharedSnapshots();
void EndSharedSnapshots();

// The calling thread's shared lists, taken at the first call in the scope;
// null outside a scope.
const std::vector<ProcessEntry>* SharedProcessList();
const std::vector<WindowEntry>* SharedWindowList();
