#include "toolkit/foundation/cleanup.h"

#include "toolkit/controls/command_manager.h"
#include "toolkit/controls/menu_images.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/extras/keyboard_manager.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/placeholder_docking_bar.h"
#include "toolkit/foundation/state_cache.h"
#include "toolkit/foundation/visual_manager.h"

void WtkCleanUp()
{
    // The order of the whole clean-up: the display data, the state cache's
    // files, the toolbar statics and menu images, the command manager's
    // images, the keyboard manager's statics, the drag placeholder bar, and
    // last the visual manager.
    WtkGlobalData().CleanUp();
    CWtkStateCache::CloseAll();
    CWtkToolBar::CleanUpStatics();
    CWtkMenuImages::CleanUp();
    if (CWtkCommandManager* commands = CWtkCommandManager::GetExisting())
        commands->ClearAllImages();
    CWtkKeyboardManager::CleanUp();
    CWtkPlaceholderDockingBar::DestroyGlobal();
    // Asking for the visual manager would create one only to delete it.
    CWtkVisualManager::DestroyAutoCreatedInstance();
}
