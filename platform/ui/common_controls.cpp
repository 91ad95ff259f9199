#include "platform/ui/common_controls.h"

BOOL EnsureCommonControls(DWORD classes)
{
    INITCOMMONCONTROLSEX init = {};
    init.dwSize = sizeof(init);
    init.dwICC = classes;
    return ::InitCommonControlsEx(&init);
}
