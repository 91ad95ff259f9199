// CCmdTarget: an object that handles commands through a message map. Windows,
// the application and documents are command targets; OnCmdMsg looks a
// command, a command-UI update or a notification up in the target's map.
#pragma once

#include <windows.h>

#include "platform/framework/object.h"
#include "platform/ui/message_map.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Routes a command (nCode CN_COMMAND or a control's notification code),
    // a command-UI update (CN_UPDATE_COMMAND_UI, pExtra the CCmdUI) or a
    // notification (CN_NOTIFY_CODE(code), pExtra an AFX_NOTIFY) to this
    // target's handler. With pHandlerInfo the handler is only looked up and
    // described there. TRUE when handled: an _EX handler that answers FALSE
    // and an update handler that asks to continue routing leave it FALSE, so
    // that the next target is asked.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The wait cursor of the application, counted: shown from the first
    // Begin to the matching End; Restore shows it again after a dialog box
    // or message box changed the cursor.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // The entry of this target's map chain for the message, or null.
    const MessageMapEntry* FindMessageEntry(UINT message) const;
    // The entry for a command-like kind (Command, UpdateCommandUI, Notify,
    // ReflectedCommand, ReflectedNotify) with that code and id, or null.
    const MessageMapEntry* FindCommandEntry(MessageEntryKind kind, UINT code, UINT id) const;

protected:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;
};
