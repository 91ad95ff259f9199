// CMemFile: a file in a block of memory.
#pragma once

#include "platform/framework/file.h"

class CMemFile : public CFile {
public:
    // An empty file whose block grows in steps of grow_bytes.
    explicit CMemFile(UINT grow_bytes = 1024);
    // A file over the caller's block; see Attach.
    CMemFile(BYTE* buffer, UINT buffer_size, UINT grow_bytes = 0);
    ~CMemFile() override;

    // Uses the caller's block, which stays the caller's. With grow_bytes 0
    // the file is the block's content and cannot grow beyond it (a write past
    // its end throws diskFull); otherwise the file starts empty and grows
    // into a block of its own, allocated with malloc, once the caller's
    // block is full.
    void Attach(BYTE* buffer, UINT buffer_size, UINT grow_bytes = 0);
    // Hands the current block to the caller and leaves the file empty. A
    // block the file allocated itself must be released with free(). Take the
    // length with GetLength before detaching.
    BYTE* Detach();

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG new_length) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

protected:
    // Where the file's own block comes from: malloc, realloc and free here;
    // a derived file keeps its block elsewhere (global memory). Alloc and
    // Realloc answer null when there is no memory; a failed Realloc leaves
    // the block as it was.
    virtual BYTE* Alloc(size_t bytes);
    virtual BYTE* Realloc(BYTE* block, size_t bytes);
    virtual void Free(BYTE* block);

    // Frees a block the file owns and leaves the file empty. A derived file
    // that overrides Free calls it (through Close) in its own destructor.
    void Release();
    void GrowTo(size_t new_capacity);

    BYTE* m_lpBuffer;
    size_t m_nBufferSize;  // capacity of the block
    size_t m_nFileSize;
    size_t m_nPosition;
    UINT m_nGrowBytes;
    bool m_bOwnsBuffer;
};
