#include "platform/ui/ui_thread_state.h"

#include "platform/ui/dc.h"
#include "platform/ui/gdi_object.h"
#include "platform/ui/image_list.h"
#include "platform/ui/menu.h"
#include "platform/ui/tool_tip_ctrl.h"
#include "platform/ui/wnd.h"

UiThreadState::UiThreadState()
    : currentMessage(),
      creating(nullptr),
      creatingDialogOnly(false),
      creationHook(nullptr),
      creatingSheet(nullptr),
      toolOwner(nullptr),
      toolId(0),
      toolRect(),
      thread(nullptr)
{
}

UiThreadState::~UiThreadState()
{
    // The thread is ending, perhaps with the whole process: the system takes
    // the thread's windows and hooks along, and calling it now can hang the
    // process's exit. The objects only let go of their handles.
    for (auto& entry : temporaryWindows)
        entry.second->m_hWnd = nullptr;
    for (auto& entry : temporaryMenus)
        entry.second->m_hMenu = nullptr;
    for (auto& entry : temporaryDCs)
        entry.second->m_hDC = nullptr;
    for (auto& entry : temporaryGdiObjects)
        entry.second->m_hObject = nullptr;
    for (auto& entry : temporaryImageLists)
        entry.second->m_hImageList = nullptr;
    if (toolTip)
        toolTip->m_hWnd = nullptr;
}

UiThreadState& ThisUiThread()
{
    thread_local UiThreadState state;
    return state;
}
