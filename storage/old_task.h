// COldTask: the action of a task file of the old layout (record versions 1
// and 2), where a task ran one action instead of a command script. Only
// CSchedItem::ConvertOldFormat reads it; storing mirrors loading.
#pragma once

#include <windows.h>

#include "platform/framework/object.h"
#include "platform/framework/string.h"

// Old action codes.
enum OldTaskAction : LONG {
    kOldActionRunProgram = 0,
    kOldActionRunDOSCommand = 1,
    kOldActionDisplayMessage = 2,
    kOldActionShutDown = 3,
    kOldActionLogOff = 4,
    kOldActionReBoot = 5,
    kOldActionPowerOff = 6,
    kOldActionQuitProgram = 7,
    kOldActionDDECommand = 8,
    kOldActionDDEScript = 9,
    kOldActionSendKeys = 10,
};

class COldTask : public CObject {
    DECLARE_SERIAL(COldTask)

public:
    COldTask();

    void Serialize(CArchive& ar) override;

    LONG m_Version;  // written 1, not checked on reading
    CString m_Program;
    CString m_Parameters;
    CString m_QuitProgram;
    CString m_Keys;
    LONG m_WindowState;  // 0 normal, 1 maximised, 2 minimised, 3 hidden
    LONG m_Action;
    LONG m_SendKeysNumber;
    LONG m_Force;  // 1: forced shutdown, log-off or restart
    LONG m_Unused1;
    LONG m_Unused2;
    LONG m_Unused3;
    CString m_Message;
    LONG m_MessageNumber;
    CString m_DDEThird;
    CString m_DDEFirst;
    CString m_DDESecond;
    CString m_UserName;  // plain
    CString m_Password;  // plain
    CString m_Unused4;
    LONG m_RunAsSystem;
    LONG m_IsInteractive;
};
