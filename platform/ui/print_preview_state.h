// CPrintPreviewState: what print preview changes in a frame and gives back
// when it ends. Frames that lay their bars out themselves keep the record of
// visible bars (visibleBars) across the base's handling.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/ui/framework_ids.h"

// What print preview changes in a frame and gives back afterwards.
struct CPrintPreviewState {
    UINT nIDMainPane = AFX_IDW_PANE_FIRST;
    HMENU hMenu = nullptr;
    // The control bars that were visible when preview began, in the order
    // they were hidden; exactly these are shown again.
    std::vector<HWND> visibleBars;
    HWND hWndFocus = nullptr;
    HACCEL hAccelTable = nullptr;
};
