// CWtkGlobalUtils: the toolkit's docking utilities, one global instance.
#pragma once

#include <windows.h>

class CWtkGlobalUtils {
public:
    // Set once bars were met that live in a dialog rather than in a frame:
    // requests that concern a frame then succeed without doing anything.
    BOOL m_bDialogApp = FALSE;
};

extern CWtkGlobalUtils g_wtkGlobalUtils;
