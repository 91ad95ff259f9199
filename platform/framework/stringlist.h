// CStringList: a list of strings (CList of CString), serialised as a count
// (CArchive::WriteCount) followed by the strings; loading appends.
#pragma once

#include "platform/framework/list.h"
#include "platform/framework/string.h"

class CStringList : public CList<CString, const CString&> {
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(int block_size = 10);
    ~CStringList() override;
};
