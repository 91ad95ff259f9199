// CPtrList: a list of untyped pointers, which it does not own. It cannot be
// stored: addresses mean nothing to another process.
#pragma once

#include "platform/framework/archive.h"
#include "platform/framework/list.h"

class CPtrList : public CList<void*, void*> {
public:
    explicit CPtrList(int block_size = 10) : CList<void*, void*>(block_size) {}

    void Serialize(CArchive&) override { throw CArchiveException(CArchiveException::badClass); }
};
