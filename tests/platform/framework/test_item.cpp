#include "tests/platform/framework/test_item.h"

int CTestItem::s_live = 0;

IMPLEMENT_SERIAL(CTestItem, CObject, 1)

void CTestItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_id;
    else
        ar >> m_id;
}
