// CArchive: the binary stream in which records and objects are stored.
//
// Encodings (all little-endian, as the files of the scheduler have always
// been written):
// - BYTE/char 1 byte, WORD/short 2, LONG/DWORD/int/UINT/float 4, double 8;
// - a string: its length (1 byte below 255; else 0xFF and a 2-byte length
//   below 0xFFFE; else 0xFF, 0xFFFF and a 4-byte length), then its 8-bit
//   characters, no terminator;
// - a count (WriteCount/ReadCount): 2 bytes below 0xFFFF, else 0xFFFF and
//   a 4-byte count;
// - a date (operator<<): the 4-byte status, then the 8-byte double; the raw
//   12-byte form (WriteRawDate) is the double first, then the status;
// - an object (WriteObject): the null tag 0 for a null pointer; for an
//   object not stored before, its class (0xFFFF, the 2-byte schema, the
//   2-byte length of the class name, the name; or 0x8000 | the class's index
//   when the class was stored before) and then the object's Serialize
//   output; for an object stored before, its index alone. Classes and
//   objects are numbered from 1 in the order they first appear; an index of
//   0x7FFF or more is written as 0x7FFF followed by a 4-byte index (with
//   0x80000000 for a class).
//
// Reading never trusts the data: every read is bounded by what the stream
// holds, lengths and counts allocate only as data arrives, and a short or
// malformed stream throws CArchiveException. I/O errors of the underlying
// file throw CFileException; catch CException to handle both.
#pragma once

#include <windows.h>

#include <unordered_map>
#include <vector>

#include "platform/framework/exception.h"
#include "platform/framework/file.h"
#include "platform/framework/object.h"
#include "platform/framework/oledatetime.h"
#include "platform/framework/string.h"

class CArchiveException : public CException {
public:
    enum Cause {
        none,
        genericException,
        generic = genericException,
        readOnly,   // a write to a loading archive
        endOfFile,  // the data ended inside a value
        writeOnly,  // a read from a storing archive
        badIndex,   // an object or class index that the stream never introduced
        badClass,   // an unknown class name, or an object of an unexpected class
        badSchema   // a stored schema that the class does not accept
    };

    explicit CArchiveException(Cause cause = none, const char* file_name = nullptr);

    const char* what() const noexcept override;

    Cause m_cause;
    CString m_strFileName;
};

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // The archive does not own the file. A storing archive must be closed
    // (or flushed) to write its buffer: the destructor flushes too, unless
    // bNoFlushOnDelete is set, but cannot report a failure.
    CArchive(CFile* file, UINT mode, int buffer_size = 4096);
    ~CArchive();

    bool IsLoading() const;
    bool IsStoring() const;
    CFile* GetFile() const;

    // Raw bytes. Read returns fewer bytes than asked only at the end of the
    // data.
    UINT Read(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);

    // Storing: writes the buffer to the file. Loading: gives back to the
    // file what was buffered but not read, so the file position is where
    // the archive stopped.
    void Flush();
    void Close();
    // Ends the archive without writing the buffer.
    void Abort();

    void WriteCount(DWORD count);
    DWORD ReadCount();

    void WriteRawDate(const COleDateTime& date);
    void ReadRawDate(COleDateTime& date);

    void WriteObject(const CObject* object);
    // The object read (created with its class's factory, owned by the
    // caller) or null for the null tag. Throws badClass when the object is
    // not of class_requested (any class when null).
    CObject* ReadObject(const CRuntimeClass* class_requested);
    // Like ReadObject, but a reference to an object read before throws
    // badIndex: for owners that delete every object they load, which a
    // stream naming one object twice would otherwise make delete it twice.
    CObject* ReadNewObject(const CRuntimeClass* class_requested);
    void WriteClass(const CRuntimeClass* runtime_class);
    // Null when the tag read is an object tag; *object_tag then holds it.
    const CRuntimeClass* ReadClass(const CRuntimeClass* class_requested = nullptr, UINT* schema = nullptr,
                                   DWORD* object_tag = nullptr);

    // The schema number stored for the object being loaded (for classes
    // with VERSIONABLE_SCHEMA); (UINT)-1 once it has been asked for.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT schema);

    CArchive& operator<<(BYTE value);
    CArchive& operator<<(char value);
    CArchive& operator<<(WORD value);
    CArchive& operator<<(short value);
    CArchive& operator<<(int value);
    CArchive& operator<<(UINT value);
    CArchive& operator<<(LONG value);
    CArchive& operator<<(DWORD value);
    CArchive& operator<<(float value);
    CArchive& operator<<(double value);
    CArchive& operator<<(const CString& value);
    CArchive& operator<<(const COleDateTime& value);
    CArchive& operator<<(const CObject* object);

    CArchive& operator>>(BYTE& value);
    CArchive& operator>>(char& value);
    CArchive& operator>>(WORD& value);
    CArchive& operator>>(short& value);
    CArchive& operator>>(int& value);
    CArchive& operator>>(UINT& value);
    CArchive& operator>>(LONG& value);
    CArchive& operator>>(DWORD& value);
    CArchive& operator>>(float& value);
    CArchive& operator>>(double& value);
    CArchive& operator>>(CString& value);
    // An unknown stored status reads as invalid.
    CArchive& operator>>(COleDateTime& value);
    CArchive& operator>>(CObject*& object);

private:
    struct LoadEntry {
        CObject* object;
        const CRuntimeClass* runtime_class;  // null for an object entry
        UINT schema;
    };

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    void WriteString(const CString& text);
    CString ReadString();
    CObject* ReadObjectOrReference(const CRuntimeClass* class_requested, bool allow_reference);
    void CheckLoading() const;
    void CheckStoring() const;
    void ReadExact(void* buffer, UINT count);
    template <typename T>
    T ReadValue();
    template <typename T>
    void WriteValue(T value);
    DWORD NextMapIndex();

    CFile* m_pFile;
    bool m_bLoading;
    bool m_bFlushOnDelete;
    std::vector<BYTE> m_buffer;
    size_t m_nBufferPos;  // next byte to read or write
    size_t m_nBufferEnd;  // loading: end of the valid bytes
    DWORD m_nMapCount;
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray;
    UINT m_nObjectSchema;
};
