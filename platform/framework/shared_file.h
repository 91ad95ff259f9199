// CSharedFile: a memory file in a block of movable global memory, the kind
// the clipboard and OLE data transfer hand from one program to another.
#pragma once

#include "platform/framework/memfile.h"

class CSharedFile : public CMemFile {
public:
    // An empty file whose block is allocated with alloc_flags and grows in
    // steps of grow_bytes.
    explicit CSharedFile(UINT alloc_flags = GMEM_MOVEABLE | GMEM_SHARE, UINT grow_bytes = 4096);
    ~CSharedFile() override;

    // Hands the block to the caller and leaves the file empty; null when the
    // file is empty. The block is cut to the file's length, so
    // GlobalSize tells a reader how much was written. The caller frees it
    // (GlobalFree) or passes it on (a data source caches it).
    HGLOBAL Detach();
    // Makes the block the file's content; the file owns it from then on and
    // frees it when closed. Without allow_grow a write past the block's end
    // fails (diskFull). A handle that can't be locked throws CFileException
    // and stays the caller's.
    void SetHandle(HGLOBAL memory, BOOL allow_grow = TRUE);

protected:
    BYTE* Alloc(size_t bytes) override;
    BYTE* Realloc(BYTE* block, size_t bytes) override;
    void Free(BYTE* block) override;

private:
    UINT m_nAllocFlags;
    UINT m_nSharedGrowBytes;
    // The block behind the buffer, locked while the file holds it.
    HGLOBAL m_hGlobalMemory;
};
