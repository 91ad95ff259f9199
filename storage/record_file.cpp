#include "storage/record_file.h"

#include <cstdlib>
#include <exception>
#include <memory>

#include "platform/framework/archive.h"
#include "platform/framework/memfile.h"
#include "storage/file_replacement.h"

namespace {

constexpr int kArchiveBufferSize = 4096;

struct FreeBlock {
    void operator()(BYTE* block) const { std::free(block); }
};

bool IsMissing(LONG osError)
{
    return osError == ERROR_FILE_NOT_FOUND || osError == ERROR_PATH_NOT_FOUND;
}

}  // namespace

RecordLoad LoadRecordFile(const CString& path, CObject& record, DWORD* osError)
{
    CFile file;
    CFileException openError;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &openError)) {
        if (osError != nullptr)
            *osError = static_cast<DWORD>(openError.m_lOsError);
        return IsMissing(openError.m_lOsError) ? RecordLoad::missing : RecordLoad::notOpened;
    }
    return LoadRecordStream(file, record);
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

bool SaveRecordFile(const CString& path, CObject& record, DWORD* error)
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
    return WriteFileReplacing(path, bytes.get(), size, error);
}
