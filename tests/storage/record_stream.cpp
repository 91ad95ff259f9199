#include "record_stream.h"

#include <cstdlib>

#include "platform/framework/archive.h"
#include "platform/framework/memfile.h"

Bytes StoreRecord(CObject& record)
{
    CMemFile memory;
    CArchive archive(&memory, CArchive::store);
    record.Serialize(archive);
    archive.Close();
    const size_t size = static_cast<size_t>(memory.GetLength());
    BYTE* block = memory.Detach();
    Bytes bytes(block, block + size);
    std::free(block);
    return bytes;
}

RecordLoad LoadRecord(CObject& record, const Bytes& bytes)
{
    // The memory file reads the caller's block without changing it.
    Bytes copy = bytes;
    CMemFile memory(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
    return LoadRecordStream(memory, record);
}
