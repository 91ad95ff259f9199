#include "platform/framework/shared_file.h"

CSharedFile::CSharedFile(UINT alloc_flags, UINT grow_bytes)
    : CMemFile(grow_bytes),
      m_nAllocFlags(alloc_flags),
      m_nSharedGrowBytes(grow_bytes),
      m_hGlobalMemory(nullptr)
{
}

CSharedFile::~CSharedFile()
{
    // The base destructor would free through its own Free.
    Close();
}

BYTE* CSharedFile::Alloc(size_t bytes)
{
    HGLOBAL memory = ::GlobalAlloc(m_nAllocFlags, bytes);
    if (memory == nullptr)
        return nullptr;
    BYTE* block = static_cast<BYTE*>(::GlobalLock(memory));
    if (block == nullptr) {
        ::GlobalFree(memory);
        return nullptr;
    }
    m_hGlobalMemory = memory;
    return block;
}

BYTE* CSharedFile::Realloc(BYTE*, size_t bytes)
{
    ::GlobalUnlock(m_hGlobalMemory);
    HGLOBAL grown = ::GlobalReAlloc(m_hGlobalMemory, bytes, GMEM_MOVEABLE);
    if (grown == nullptr) {
        // The old block is intact: lock it again for the file.
        ::GlobalLock(m_hGlobalMemory);
        return nullptr;
    }
    m_hGlobalMemory = grown;
    return static_cast<BYTE*>(::GlobalLock(grown));
}

void CSharedFile::Free(BYTE*)
{
    if (m_hGlobalMemory == nullptr)
        return;
    ::GlobalUnlock(m_hGlobalMemory);
    ::GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = nullptr;
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL memory = m_hGlobalMemory;
    const size_t length = m_nFileSize;
    if (memory == nullptr || !m_bOwnsBuffer || length == 0) {
        // An empty file hands over nothing: a block of left-over bytes would
        // read as content.
        Close();
        return nullptr;
    }
    m_hGlobalMemory = nullptr;
    CMemFile::Detach();
    ::GlobalUnlock(memory);
    // The block is whole grow steps; a reader goes by its size.
    if (length < ::GlobalSize(memory)) {
        if (HGLOBAL cut = ::GlobalReAlloc(memory, length, GMEM_MOVEABLE))
            memory = cut;
    }
    return memory;
}

void CSharedFile::SetHandle(HGLOBAL memory, BOOL allow_grow)
{
    BYTE* block = memory != nullptr ? static_cast<BYTE*>(::GlobalLock(memory)) : nullptr;
    if (block == nullptr)
        throw CFileException(CFileException::genericException, ERROR_INVALID_HANDLE);
    Close();
    const size_t size = ::GlobalSize(memory);
    m_hGlobalMemory = memory;
    m_lpBuffer = block;
    m_nBufferSize = size;
    m_nFileSize = size;
    m_nPosition = 0;
    m_nGrowBytes = allow_grow ? m_nSharedGrowBytes : 0;
    m_bOwnsBuffer = true;
}
