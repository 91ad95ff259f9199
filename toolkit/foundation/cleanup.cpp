#include "toolkit/foundation/cleanup.h"

#include "toolkit/foundation/global_data.h"

void WtkCleanUp()
{
    // The order of the whole clean-up: the display data, the state cache's
    // files, the toolbar statics and menu images, the command manager's
    // images, the keyboard manager's statics, and last the visual manager
    // (asking for it would create one, so nothing may ask after it).
    WtkGlobalData().CleanUp();
}
