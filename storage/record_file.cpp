#include "storage/record_file.h"

#include <cstdlib>
#include <exception>
#include <memory>
#include <vector>

#include "platform/framework/archive.h"
#include "platform/framework/memfile.h"
#include "storage/file_replacement.h"

namespace {

constexpr int kArchiveBufferSize = 4096;

struct FreeBlock {
    void operator()(BYTE* block) const { std::free(block); }
};

// No record file comes near this; a longer one is not read into memory.
constexpr ULONGLONG kLargestVersionedFile = 64ull * 1024 * 1024;

bool IsMissing(LONG osError)
{
    return osError == ERROR_FILE_NOT_FOUND || osError == ERROR_PATH_NOT_FOUND;
}

RecordLoad OpenForLoad(CFile& file, const CString& path, DWORD* osError)
{
    CFileException openError;
    if (file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &openError))
        return RecordLoad::loaded;
    if (osError != nullptr)
        *osError = static_cast<DWORD>(openError.m_lOsError);
    return IsMissing(openError.m_lOsError) ? RecordLoad::missing : RecordLoad::notOpened;
}

// The whole file from its start; false when it is too long or can't be read.
bool ReadWhole(CFile& file, std::vector<BYTE>& bytes)
{
    try {
        const ULONGLONG length = file.GetLength();
        if (length > kLargestVersionedFile)
            return false;
        bytes.resize(static_cast<size_t>(length));
        size_t done = 0;
        while (done < bytes.size()) {
            const UINT got = file.Read(bytes.data() + done, static_cast<UINT>(bytes.size() - done));
            if (got == 0)
                return false;
            done += got;
        }
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

}  // namespace

ULONGLONG RecordVersion(const void* bytes, size_t size)
{
    // FNV-1a, 64 bits.
    ULONGLONG hash = 0xcbf29ce484222325ull;
    const BYTE* data = static_cast<const BYTE*>(bytes);
    for (size_t i = 0; i < size; ++i) {
        hash ^= data[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}

RecordLoad LoadRecordFile(const CString& path, CObject& record, DWORD* osError, ULONGLONG* version)
{
    CFile file;
    const RecordLoad opened = OpenForLoad(file, path, osError);
    if (opened != RecordLoad::loaded)
        return opened;
    if (version == nullptr)
        return LoadRecordStream(file, record);
    // The version is that of the bytes loaded, not of whatever the file
    // holds a moment later: the record is loaded from the bytes read.
    std::vector<BYTE> bytes;
    if (!ReadWhole(file, bytes))
        return RecordLoad::damaged;
    if (bytes.empty())
        return RecordLoad::empty;
    CMemFile memory(bytes.data(), static_cast<UINT>(bytes.size()));
    const RecordLoad loaded = LoadRecordStream(memory, record);
    if (loaded == RecordLoad::loaded)
        *version = RecordVersion(bytes.data(), bytes.size());
    return loaded;
}

RecordLoad ReadRecordFileVersion(const CString& path, ULONGLONG* version, DWORD* osError)
{
    CFile file;
    const RecordLoad opened = OpenForLoad(file, path, osError);
    if (opened != RecordLoad::loaded)
        return opened;
    std::vector<BYTE> bytes;
    if (!ReadWhole(file, bytes)) {
        if (osError != nullptr)
            *osError = ERROR_READ_FAULT;
        return RecordLoad::notOpened;
    }
    *version = RecordVersion(bytes.data(), bytes.size());
    return RecordLoad::loaded;
}

RecordLoad LoadRecordStream(CFile& file, CObject& record)
{
    try {
        if (file.GetLength() == 0)
            return RecordLoad::empty;
        CArchive archive(&file, CArchive::load, kArchiveBufferSize);
        record.Serialize(archive);
        // Gives back what the archive buffered beyond the record, so that
        // the file position tells where the record ended.
        archive.Flush();
        archive.Close();
        if (file.GetPosition() != file.GetLength())
            return RecordLoad::damaged;
    } catch (const std::exception&) {
        // The framework's archive and file errors, and allocations a damaged
        // length asked for.
        return RecordLoad::damaged;
    }
    return RecordLoad::loaded;
}

bool SaveRecordFile(const CString& path, CObject& record, DWORD* error, ULONGLONG* version)
{
    std::unique_ptr<BYTE, FreeBlock> bytes;
    size_t size = 0;
    try {
        CMemFile memory;
        CArchive archive(&memory, CArchive::store, kArchiveBufferSize);
        record.Serialize(archive);
        archive.Close();
        size = static_cast<size_t>(memory.GetLength());
        bytes.reset(memory.Detach());
    } catch (const std::exception&) {
        if (error != nullptr)
            *error = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    }
    if (!WriteFileReplacing(path, bytes.get(), size, error))
        return false;
    if (version != nullptr)
        *version = RecordVersion(bytes.get(), size);
    return true;
}
