#include "storage/old_condition.h"

#include "platform/framework/archive.h"

IMPLEMENT_SERIAL(COldCondition, CObject, VERSIONABLE_SCHEMA | 1)

COldCondition::COldCondition()
    : m_Version(1), m_Enabled(0), m_OldType(0), m_Action(0), m_Reserved(0), m_Frequency(0), m_HasToggled(0)
{
}

void COldCondition::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_Version << m_Enabled << m_OldType << m_Action << m_CondName << m_Reserved << m_Frequency
           << m_HasToggled;
        return;
    }
    ar >> m_Version >> m_Enabled >> m_OldType >> m_Action >> m_CondName >> m_Reserved >> m_Frequency >>
        m_HasToggled;
}

LONG COldCondition::CondTypeOf(LONG oldType)
{
    // By old type: file changed, file exists, file missing, DDE value,
    // application not running, application running, 6 (no counterpart),
    // window active, window inactive, 9 (no counterpart), file exists and
    // not locked, file changed and not locked.
    static const LONG kCondTypes[] = {2, 5, 4, 9, 0, 1, 0, 7, 8, 0, 6, 3};
    if (oldType < 0 || oldType >= static_cast<LONG>(sizeof kCondTypes / sizeof kCondTypes[0]))
        return 0;
    return kCondTypes[oldType];
}
