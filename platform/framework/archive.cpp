#include "platform/framework/archive.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

namespace {

constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000u;
constexpr DWORD kMaxMapCount = 0x3FFFFFFEu;
// Class names of serialisable classes are short identifiers; anything
// longer is not one of ours.
constexpr WORD kMaxClassNameLength = 63;
constexpr int kMinBufferSize = 16;
// Long strings are read in chunks so that a damaged length allocates no
// more than the data that actually follows it.
constexpr UINT kStringChunk = 64 * 1024;

}  // namespace

CArchiveException::CArchiveException(Cause cause, const char* file_name)
    : m_cause(cause), m_strFileName(file_name)
{
}

const char* CArchiveException::what() const noexcept
{
    return "archive error";
}

CArchive::CArchive(CFile* file, UINT mode, int buffer_size)
    : m_pFile(file),
      m_bLoading((mode & load) != 0),
      m_bFlushOnDelete((mode & bNoFlushOnDelete) == 0),
      m_buffer(static_cast<size_t>(std::max(buffer_size, kMinBufferSize))),
      m_nBufferPos(0),
      m_nBufferEnd(0),
      m_nMapCount(1),
      m_nObjectSchema(static_cast<UINT>(-1))
{
    // Index 0 is the null object.
    if (m_bLoading)
        m_loadArray.push_back(LoadEntry{nullptr, nullptr, 0});
}

CArchive::~CArchive()
{
    if (m_pFile == nullptr)
        return;
    if (!m_bLoading && !m_bFlushOnDelete)
        return;
    try {
        Flush();
    } catch (...) {
        // A destructor cannot report; Close() is the way to see the error.
    }
    m_pFile = nullptr;
}

bool CArchive::IsLoading() const
{
    return m_bLoading;
}

bool CArchive::IsStoring() const
{
    return !m_bLoading;
}

CFile* CArchive::GetFile() const
{
    return m_pFile;
}

void CArchive::CheckLoading() const
{
    if (!m_bLoading)
        throw CArchiveException(CArchiveException::writeOnly);
    if (m_pFile == nullptr)
        throw CArchiveException(CArchiveException::genericException);
}

void CArchive::CheckStoring() const
{
    if (m_bLoading)
        throw CArchiveException(CArchiveException::readOnly);
    if (m_pFile == nullptr)
        throw CArchiveException(CArchiveException::genericException);
}

UINT CArchive::Read(void* buffer, UINT count)
{
    CheckLoading();
    BYTE* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        if (m_nBufferPos < m_nBufferEnd) {
            const size_t n = std::min<size_t>(count - done, m_nBufferEnd - m_nBufferPos);
            std::memcpy(out + done, m_buffer.data() + m_nBufferPos, n);
            m_nBufferPos += n;
            done += static_cast<UINT>(n);
            continue;
        }
        const UINT wanted = count - done;
        if (wanted >= m_buffer.size()) {
            // Large reads bypass the buffer.
            const UINT n = m_pFile->Read(out + done, wanted);
            if (n == 0)
                break;
            done += std::min(n, wanted);
            continue;
        }
        const UINT n = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
        m_nBufferPos = 0;
        m_nBufferEnd = std::min<size_t>(n, m_buffer.size());
        if (n == 0)
            break;
    }
    return done;
}

void CArchive::ReadExact(void* buffer, UINT count)
{
    if (Read(buffer, count) != count)
        throw CArchiveException(CArchiveException::endOfFile, m_pFile->GetFilePath());
}

void CArchive::Write(const void* buffer, UINT count)
{
    CheckStoring();
    const BYTE* in = static_cast<const BYTE*>(buffer);
    if (count <= m_buffer.size() - m_nBufferPos) {
        std::memcpy(m_buffer.data() + m_nBufferPos, in, count);
        m_nBufferPos += count;
        return;
    }
    Flush();
    if (count >= m_buffer.size()) {
        m_pFile->Write(in, count);
        return;
    }
    std::memcpy(m_buffer.data(), in, count);
    m_nBufferPos = count;
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (m_bLoading) {
        const size_t unread = m_nBufferEnd - m_nBufferPos;
        m_nBufferPos = 0;
        m_nBufferEnd = 0;
        if (unread > 0)
            m_pFile->Seek(-static_cast<LONGLONG>(unread), CFile::current);
        return;
    }
    if (m_nBufferPos > 0) {
        const size_t n = m_nBufferPos;
        m_nBufferPos = 0;
        m_pFile->Write(m_buffer.data(), static_cast<UINT>(n));
    }
}

void CArchive::Close()
{
    if (m_pFile == nullptr)
        return;
    try {
        Flush();
    } catch (...) {
        m_pFile = nullptr;
        throw;
    }
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_nBufferPos = 0;
    m_nBufferEnd = 0;
}

template <typename T>
T CArchive::ReadValue()
{
    CheckLoading();
    T value;
    ReadExact(&value, sizeof value);
    return value;
}

template <typename T>
void CArchive::WriteValue(T value)
{
    // The build targets are little-endian, which is the stored byte order.
    Write(&value, sizeof value);
}

void CArchive::WriteCount(DWORD count)
{
    if (count < 0xFFFF) {
        WriteValue<WORD>(static_cast<WORD>(count));
    } else {
        WriteValue<WORD>(0xFFFF);
        WriteValue<DWORD>(count);
    }
}

DWORD CArchive::ReadCount()
{
    const WORD short_count = ReadValue<WORD>();
    if (short_count != 0xFFFF)
        return short_count;
    return ReadValue<DWORD>();
}

void CArchive::WriteString(const CString& text)
{
    const DWORD length = static_cast<DWORD>(text.GetLength());
    if (length < 0xFF) {
        WriteValue<BYTE>(static_cast<BYTE>(length));
    } else if (length < 0xFFFE) {
        WriteValue<BYTE>(0xFF);
        WriteValue<WORD>(static_cast<WORD>(length));
    } else {
        WriteValue<BYTE>(0xFF);
        WriteValue<WORD>(0xFFFF);
        WriteValue<DWORD>(length);
    }
    Write(static_cast<const char*>(text), length);
}

CString CArchive::ReadString()
{
    DWORD length = ReadValue<BYTE>();
    if (length == 0xFF) {
        length = ReadValue<WORD>();
        if (length == 0xFFFE) {
            // Marks a string of 16-bit characters, which this program
            // never writes.
            throw CArchiveException(CArchiveException::genericException, m_pFile->GetFilePath());
        }
        if (length == 0xFFFF)
            length = ReadValue<DWORD>();
    }
    if (length > static_cast<DWORD>(INT_MAX))
        throw CArchiveException(CArchiveException::genericException, m_pFile->GetFilePath());
    std::vector<char> text;
    while (text.size() < length) {
        const UINT chunk = static_cast<UINT>(std::min<size_t>(length - text.size(), kStringChunk));
        const size_t at = text.size();
        text.resize(at + chunk);
        ReadExact(text.data() + at, chunk);
    }
    return CString(text.data(), static_cast<int>(text.size()));
}

void CArchive::WriteRawDate(const COleDateTime& date)
{
    WriteValue<double>(date.m_dt);
    WriteValue<LONG>(static_cast<LONG>(date.m_status));
}

namespace {

COleDateTime::DateTimeStatus StatusFromStored(LONG stored)
{
    switch (stored) {
    case COleDateTime::valid:
        return COleDateTime::valid;
    case COleDateTime::null:
        return COleDateTime::null;
    default:
        return COleDateTime::invalid;
    }
}

}  // namespace

void CArchive::ReadRawDate(COleDateTime& date)
{
    const double dt = ReadValue<double>();
    const LONG status = ReadValue<LONG>();
    date.m_dt = dt;
    date.m_status = StatusFromStored(status);
}

DWORD CArchive::NextMapIndex()
{
    if (m_nMapCount > kMaxMapCount)
        throw CArchiveException(CArchiveException::badIndex, m_pFile != nullptr ? m_pFile->GetFilePath() : CString());
    return m_nMapCount++;
}

void CArchive::WriteClass(const CRuntimeClass* runtime_class)
{
    CheckStoring();
    if (runtime_class == nullptr || !runtime_class->IsSerializable())
        throw CArchiveException(CArchiveException::badClass, m_pFile->GetFilePath());
    const auto known = m_storeMap.find(runtime_class);
    if (known != m_storeMap.end()) {
        const DWORD index = known->second;
        if (index < kBigObjectTag) {
            WriteValue<WORD>(static_cast<WORD>(kClassTag | index));
        } else {
            WriteValue<WORD>(kBigObjectTag);
            WriteValue<DWORD>(kBigClassTag | index);
        }
        return;
    }
    const size_t name_length = std::strlen(runtime_class->m_lpszClassName);
    if (name_length > kMaxClassNameLength)
        throw CArchiveException(CArchiveException::badClass, m_pFile->GetFilePath());
    const DWORD index = NextMapIndex();
    WriteValue<WORD>(kNewClassTag);
    WriteValue<WORD>(runtime_class->GetStoredSchema());
    WriteValue<WORD>(static_cast<WORD>(name_length));
    Write(runtime_class->m_lpszClassName, static_cast<UINT>(name_length));
    m_storeMap[runtime_class] = index;
}

void CArchive::WriteObject(const CObject* object)
{
    CheckStoring();
    if (object == nullptr) {
        WriteValue<WORD>(kNullTag);
        return;
    }
    const auto known = m_storeMap.find(object);
    if (known != m_storeMap.end()) {
        const DWORD index = known->second;
        if (index < kBigObjectTag) {
            WriteValue<WORD>(static_cast<WORD>(index));
        } else {
            WriteValue<WORD>(kBigObjectTag);
            WriteValue<DWORD>(index);
        }
        return;
    }
    WriteClass(object->GetRuntimeClass());
    m_storeMap[object] = NextMapIndex();
    // Serialize stores; it does not change the object.
    const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* class_requested, UINT* schema, DWORD* object_tag)
{
    CheckLoading();
    const WORD tag = ReadValue<WORD>();
    DWORD full_tag;
    if (tag == kBigObjectTag)
        full_tag = ReadValue<DWORD>();
    else
        full_tag = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag);

    if ((full_tag & kBigClassTag) == 0) {
        // An object tag (or the null tag): no class to read.
        if (object_tag != nullptr)
            *object_tag = full_tag;
        return nullptr;
    }

    const CRuntimeClass* runtime_class;
    UINT stored_schema;
    if (tag == kNewClassTag) {
        stored_schema = ReadValue<WORD>();
        const WORD name_length = ReadValue<WORD>();
        if (name_length > kMaxClassNameLength)
            throw CArchiveException(CArchiveException::badClass, m_pFile->GetFilePath());
        char name[kMaxClassNameLength + 1] = {};
        ReadExact(name, name_length);
        name[name_length] = '\0';
        runtime_class = CRuntimeClass::FromName(name);
        if (runtime_class == nullptr || runtime_class->m_pfnCreateObject == nullptr)
            throw CArchiveException(CArchiveException::badClass, m_pFile->GetFilePath());
        if (runtime_class->GetStoredSchema() != stored_schema &&
            (runtime_class->m_wSchema & VERSIONABLE_SCHEMA) == 0)
            throw CArchiveException(CArchiveException::badSchema, m_pFile->GetFilePath());
        NextMapIndex();
        m_loadArray.push_back(LoadEntry{nullptr, runtime_class, stored_schema});
    } else {
        const DWORD index = full_tag & ~kBigClassTag;
        if (index == 0 || index >= m_loadArray.size() || m_loadArray[index].runtime_class == nullptr)
            throw CArchiveException(CArchiveException::badIndex, m_pFile->GetFilePath());
        runtime_class = m_loadArray[index].runtime_class;
        stored_schema = m_loadArray[index].schema;
    }

    if (class_requested != nullptr && !runtime_class->IsDerivedFrom(class_requested))
        throw CArchiveException(CArchiveException::badClass, m_pFile->GetFilePath());
    if (schema != nullptr)
        *schema = stored_schema;
    return runtime_class;
}

CObject* CArchive::ReadObject(const CRuntimeClass* class_requested)
{
    return ReadObjectOrReference(class_requested, true);
}

CObject* CArchive::ReadNewObject(const CRuntimeClass* class_requested)
{
    return ReadObjectOrReference(class_requested, false);
}

CObject* CArchive::ReadObjectOrReference(const CRuntimeClass* class_requested, bool allow_reference)
{
    UINT schema = 0;
    DWORD object_tag = 0;
    const CRuntimeClass* runtime_class = ReadClass(class_requested, &schema, &object_tag);

    if (runtime_class == nullptr) {
        if (object_tag >= m_loadArray.size() || m_loadArray[object_tag].runtime_class != nullptr)
            throw CArchiveException(CArchiveException::badIndex, m_pFile->GetFilePath());
        CObject* object = m_loadArray[object_tag].object;
        if (object != nullptr && !allow_reference)
            throw CArchiveException(CArchiveException::badIndex, m_pFile->GetFilePath());
        if (object != nullptr && class_requested != nullptr && !object->IsKindOf(class_requested))
            throw CArchiveException(CArchiveException::badClass, m_pFile->GetFilePath());
        return object;
    }

    std::unique_ptr<CObject> object(runtime_class->CreateObject());
    if (object == nullptr)
        throw CArchiveException(CArchiveException::badClass, m_pFile->GetFilePath());
    // Entered before its own data is read, so that the data may refer back
    // to the object.
    NextMapIndex();
    m_loadArray.push_back(LoadEntry{object.get(), nullptr, 0});
    const size_t entry = m_loadArray.size() - 1;
    const UINT saved_schema = m_nObjectSchema;
    m_nObjectSchema = schema;
    try {
        object->Serialize(*this);
    } catch (...) {
        // The archive is unusable after a failure; make sure no later read
        // could hand out the object being destroyed.
        m_loadArray[entry].object = nullptr;
        m_nObjectSchema = saved_schema;
        throw;
    }
    m_nObjectSchema = saved_schema;
    return object.release();
}

UINT CArchive::GetObjectSchema()
{
    const UINT schema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return schema;
}

void CArchive::SetObjectSchema(UINT schema)
{
    m_nObjectSchema = schema;
}

CArchive& CArchive::operator<<(BYTE value) { WriteValue(value); return *this; }
CArchive& CArchive::operator<<(char value) { WriteValue(value); return *this; }
CArchive& CArchive::operator<<(WORD value) { WriteValue(value); return *this; }
CArchive& CArchive::operator<<(short value) { WriteValue(value); return *this; }
CArchive& CArchive::operator<<(int value) { WriteValue<LONG>(value); return *this; }
CArchive& CArchive::operator<<(UINT value) { WriteValue<DWORD>(value); return *this; }
CArchive& CArchive::operator<<(LONG value) { WriteValue(value); return *this; }
CArchive& CArchive::operator<<(DWORD value) { WriteValue(value); return *this; }
CArchive& CArchive::operator<<(float value) { WriteValue(value); return *this; }
CArchive& CArchive::operator<<(double value) { WriteValue(value); return *this; }
CArchive& CArchive::operator<<(const CString& value) { WriteString(value); return *this; }

CArchive& CArchive::operator<<(const COleDateTime& value)
{
    WriteValue<LONG>(static_cast<LONG>(value.m_status));
    WriteValue<double>(value.m_dt);
    return *this;
}

CArchive& CArchive::operator<<(const CObject* object)
{
    WriteObject(object);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& value) { value = ReadValue<BYTE>(); return *this; }
CArchive& CArchive::operator>>(char& value) { value = ReadValue<char>(); return *this; }
CArchive& CArchive::operator>>(WORD& value) { value = ReadValue<WORD>(); return *this; }
CArchive& CArchive::operator>>(short& value) { value = ReadValue<short>(); return *this; }
CArchive& CArchive::operator>>(int& value) { value = ReadValue<LONG>(); return *this; }
CArchive& CArchive::operator>>(UINT& value) { value = ReadValue<DWORD>(); return *this; }
CArchive& CArchive::operator>>(LONG& value) { value = ReadValue<LONG>(); return *this; }
CArchive& CArchive::operator>>(DWORD& value) { value = ReadValue<DWORD>(); return *this; }
CArchive& CArchive::operator>>(float& value) { value = ReadValue<float>(); return *this; }
CArchive& CArchive::operator>>(double& value) { value = ReadValue<double>(); return *this; }
CArchive& CArchive::operator>>(CString& value) { value = ReadString(); return *this; }

CArchive& CArchive::operator>>(COleDateTime& value)
{
    const LONG status = ReadValue<LONG>();
    const double dt = ReadValue<double>();
    value.m_status = StatusFromStored(status);
    value.m_dt = dt;
    return *this;
}

CArchive& CArchive::operator>>(CObject*& object)
{
    object = ReadObject(nullptr);
    return *this;
}
