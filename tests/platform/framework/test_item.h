// An object of the collection tests: it carries a number through archives
// and counts the live instances, so a test sees what a collection deleted,
// kept or leaked.
#pragma once

#include "platform/framework/archive.h"
#include "platform/framework/object.h"

class CTestItem : public CObject {
    DECLARE_SERIAL(CTestItem)
public:
    CTestItem() { ++s_live; }
    explicit CTestItem(LONG id) : m_id(id) { ++s_live; }
    ~CTestItem() override { --s_live; }
    void Serialize(CArchive& ar) override;

    static int Live() { return s_live; }

    LONG m_id = 0;

private:
    static int s_live;
};
