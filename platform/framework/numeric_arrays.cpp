#include "platform/framework/numeric_arrays.h"

#include "platform/framework/archive.h"

IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)

CByteArray::CByteArray() = default;
CByteArray::~CByteArray() = default;
CWordArray::CWordArray() = default;
CWordArray::~CWordArray() = default;
CDWordArray::CDWordArray() = default;
CDWordArray::~CDWordArray() = default;
