#include "storage/old_task.h"

#include "platform/framework/archive.h"

IMPLEMENT_SERIAL(COldTask, CObject, VERSIONABLE_SCHEMA | 1)

COldTask::COldTask()
    : m_Version(1),
      m_WindowState(0),
      m_Action(0),
      m_SendKeysNumber(0),
      m_Force(0),
      m_Unused1(0),
      m_Unused2(0),
      m_Unused3(0),
      m_MessageNumber(0),
      m_RunAsSystem(0),
      m_IsInteractive(0)
{
}

void COldTask::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_Version << m_Program << m_Parameters << m_QuitProgram << m_Keys << m_WindowState << m_Action
           << m_SendKeysNumber << m_Force << m_Unused1 << m_Unused2 << m_Unused3 << m_Message << m_MessageNumber
           << m_DDEThird << m_DDEFirst << m_DDESecond << m_UserName << m_Password << m_Unused4 << m_RunAsSystem
           << m_IsInteractive;
        return;
    }
    ar >> m_Version >> m_Program >> m_Parameters >> m_QuitProgram >> m_Keys >> m_WindowState >> m_Action >>
        m_SendKeysNumber >> m_Force >> m_Unused1 >> m_Unused2 >> m_Unused3 >> m_Message >> m_MessageNumber >>
        m_DDEThird >> m_DDEFirst >> m_DDESecond >> m_UserName >> m_Password >> m_Unused4 >> m_RunAsSystem >>
        m_IsInteractive;
}
