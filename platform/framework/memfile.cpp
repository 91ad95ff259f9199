#include "platform/framework/memfile.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// A memory file never exceeds what a UINT-sized read or write can address.
constexpr size_t kMaxMemFileSize = UINT_MAX;

}  // namespace

CMemFile::CMemFile(UINT grow_bytes)
    : m_lpBuffer(nullptr),
      m_nBufferSize(0),
      m_nFileSize(0),
      m_nPosition(0),
      m_nGrowBytes(grow_bytes),
      m_bOwnsBuffer(false)
{
}

CMemFile::CMemFile(BYTE* buffer, UINT buffer_size, UINT grow_bytes) : CMemFile(grow_bytes)
{
    Attach(buffer, buffer_size, grow_bytes);
}

CMemFile::~CMemFile()
{
    Release();
}

void CMemFile::Release()
{
    if (m_bOwnsBuffer)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bOwnsBuffer = false;
}

void CMemFile::Attach(BYTE* buffer, UINT buffer_size, UINT grow_bytes)
{
    Release();
    m_lpBuffer = buffer;
    m_nBufferSize = buffer != nullptr ? buffer_size : 0;
    m_nFileSize = grow_bytes == 0 ? m_nBufferSize : 0;
    m_nGrowBytes = grow_bytes;
}

BYTE* CMemFile::Detach()
{
    BYTE* block = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_bOwnsBuffer = false;
    Release();
    return block;
}

void CMemFile::GrowTo(size_t new_capacity)
{
    if (new_capacity <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0 || new_capacity > kMaxMemFileSize)
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL);
    // Round up to whole grow steps.
    const size_t steps = (new_capacity + m_nGrowBytes - 1) / m_nGrowBytes;
    size_t capacity = steps * m_nGrowBytes;
    if (capacity / m_nGrowBytes != steps || capacity > kMaxMemFileSize)
        capacity = kMaxMemFileSize;
    BYTE* block;
    if (m_bOwnsBuffer) {
        block = Realloc(m_lpBuffer, capacity);
        if (block == nullptr)
            throw std::bad_alloc();
    } else {
        // The caller's block is never reallocated: it may not come from malloc.
        block = Alloc(capacity);
        if (block == nullptr)
            throw std::bad_alloc();
        if (m_nFileSize > 0)
            std::memcpy(block, m_lpBuffer, m_nFileSize);
    }
    m_lpBuffer = block;
    m_nBufferSize = capacity;
    m_bOwnsBuffer = true;
}

BYTE* CMemFile::Alloc(size_t bytes)
{
    return static_cast<BYTE*>(std::malloc(bytes));
}

BYTE* CMemFile::Realloc(BYTE* block, size_t bytes)
{
    return static_cast<BYTE*>(std::realloc(block, bytes));
}

void CMemFile::Free(BYTE* block)
{
    std::free(block);
}

UINT CMemFile::Read(void* buffer, UINT count)
{
    if (m_nPosition >= m_nFileSize || count == 0)
        return 0;
    const size_t available = m_nFileSize - m_nPosition;
    const size_t n = count < available ? count : available;
    std::memcpy(buffer, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return;
    const size_t end = m_nPosition + count;
    if (end < m_nPosition || end > kMaxMemFileSize)
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL);
    GrowTo(end);
    // A write after a seek past the end leaves zeros in the gap.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, buffer, count);
    m_nPosition = end;
    if (end > m_nFileSize)
        m_nFileSize = end;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from)
{
    LONGLONG base = 0;
    if (from == current)
        base = static_cast<LONGLONG>(m_nPosition);
    else if (from == end)
        base = static_cast<LONGLONG>(m_nFileSize);
    const LONGLONG target = base + offset;
    if (target < 0 || static_cast<ULONGLONG>(target) > kMaxMemFileSize)
        throw CFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK);
    m_nPosition = static_cast<size_t>(target);
    return static_cast<ULONGLONG>(target);
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG new_length)
{
    if (new_length > kMaxMemFileSize)
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL);
    const size_t length = static_cast<size_t>(new_length);
    GrowTo(length);
    if (length > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, length - m_nFileSize);
    m_nFileSize = length;
    if (m_nPosition > length)
        m_nPosition = length;
}

void CMemFile::Flush() {}

void CMemFile::Close()
{
    Release();
}

void CMemFile::Abort()
{
    Release();
}
