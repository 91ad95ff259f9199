#include "registry_fixture.h"

IMPLEMENT_SERIAL(CTestRecord, CObject, 1)
