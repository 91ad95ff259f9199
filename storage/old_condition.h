// COldCondition: the condition of a task file of the old layout (record
// versions 1 and 2), with its own numbering of condition types. Only
// CSchedItem::ConvertOldFormat reads it; storing mirrors loading.
#pragma once

#include <windows.h>

#include "platform/framework/object.h"
#include "platform/framework/string.h"

class COldCondition : public CObject {
    DECLARE_SERIAL(COldCondition)

public:
    COldCondition();

    void Serialize(CArchive& ar) override;

    // The current CondType of the old condition type (0 for an unknown one).
    static LONG CondTypeOf(LONG oldType);

    LONG m_Version;  // written 1, not checked on reading
    LONG m_Enabled;
    LONG m_OldType;
    LONG m_Action;
    CString m_CondName;
    LONG m_Reserved;
    LONG m_Frequency;
    LONG m_HasToggled;
};
