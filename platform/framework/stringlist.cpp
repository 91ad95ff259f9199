#include "platform/framework/stringlist.h"

#include "platform/framework/archive.h"

IMPLEMENT_SERIAL(CStringList, CObject, 0)

CStringList::CStringList(int block_size) : CList<CString, const CString&>(block_size) {}
CStringList::~CStringList() = default;
