// CWtkRegistry: the toolkit's access to its saved state in the registry.
//
// A registry object works on one current key: the root that its holder
// (CWtkRegistrySP, registry_holder.h) chose, then the key that Open or
// CreateKey opened below it. Paths may end in one backslash (the form that
// WtkGetRegPath builds). Every operation returns FALSE on failure and leaves
// the registry's error code in GetLastResult; nothing is shown to the user.
//
// Value forms (all integers little-endian, the same bytes in both builds):
// - int, DWORD: REG_DWORD;
// - string: REG_SZ with its terminating NUL;
// - raw bytes: REG_BINARY as given;
// - rectangle: REG_BINARY, 16 bytes: left, top, right, bottom (32-bit each);
// - point: REG_BINARY, 22 bytes: the archive image of a five-element DWORD
//   array (16-bit count 5, then x, y, 0, 0, 0 as 32-bit values);
// - word array: REG_BINARY, a 32-bit count, then each element in 16 bits;
// - object pointer: REG_BINARY, the archive image of CArchive::WriteObject
//   (class tag, schema and name, then the object's Serialize output);
// - object reference or collection: REG_BINARY, the object's Serialize
//   output alone.
// Reading an archive image never trusts it: a truncated or damaged value
// reads as FALSE, and no count makes the read allocate more than the value
// could hold.
#pragma once

#include <windows.h>

#include "platform/framework/numeric_arrays.h"
#include "platform/framework/object.h"
#include "platform/framework/oblist.h"
#include "platform/framework/string.h"
#include "platform/framework/stringarray.h"
#include "platform/framework/stringlist.h"

class CWtkRegistrySP;

class CWtkRegistry : public CObject {
    DECLARE_DYNCREATE(CWtkRegistry)
public:
    // Only the path is set here; the holder sets the rest.
    CWtkRegistry();
    // Closes the current key.
    ~CWtkRegistry() override;

    // Appends the names of the current key's values; FALSE when there is none
    // or the first enumeration fails.
    virtual BOOL ReadValueNames(CStringArray& names);
    virtual BOOL KeyExists(LPCSTR lpszPath);
    virtual BOOL ValueExists(LPCSTR lpszValueName);
    // Creates or opens the key below the current key for writing; it becomes
    // the current key.
    virtual BOOL CreateKey(LPCSTR lpszPath);
    // Opens the key below the current key (read access only on a read-only
    // object); it becomes the current key.
    virtual BOOL Open(LPCSTR lpszPath);
    virtual void Close();
    virtual BOOL DeleteValue(LPCSTR lpszValueName);
    // Deletes the key and everything below it. The path is relative to the
    // root (HKEY_LOCAL_MACHINE when bAdmin is set, else HKEY_CURRENT_USER),
    // never to the current key.
    virtual BOOL DeleteKey(LPCSTR lpszPath, BOOL bAdmin = FALSE);

    virtual BOOL Write(LPCSTR lpszValueName, CObject* pObject);
    virtual BOOL Write(LPCSTR lpszValueName, CObject& object);
    virtual BOOL Write(LPCSTR lpszValueName, CStringList& list);
    virtual BOOL Write(LPCSTR lpszValueName, const BYTE* pData, UINT nBytes);
    virtual BOOL Write(LPCSTR lpszValueName, const POINT* pPoint);
    virtual BOOL Write(LPCSTR lpszValueName, const RECT* pRect);
    virtual BOOL Write(LPCSTR lpszValueName, CWordArray& array);
    virtual BOOL Write(LPCSTR lpszValueName, CByteArray& array);
    virtual BOOL Write(LPCSTR lpszValueName, CStringArray& array);
    virtual BOOL Write(LPCSTR lpszValueName, CDWordArray& array);
    virtual BOOL Write(LPCSTR lpszValueName, CObList& list);
    virtual BOOL Write(LPCSTR lpszValueName, LPCSTR lpszValue);
    virtual BOOL Write(LPCSTR lpszValueName, int nValue);
    virtual BOOL Write(LPCSTR lpszValueName, DWORD dwValue);

    // The object read, of any serialisable class; the caller owns it. Null
    // when the value holds the null object, or is missing or damaged (FALSE).
    virtual BOOL Read(LPCSTR lpszValueName, CObject*& pObject);
    virtual BOOL Read(LPCSTR lpszValueName, CObject& object);
    // Deletes the list's objects and empties it first.
    virtual BOOL Read(LPCSTR lpszValueName, CObList& list);
    // *ppData is allocated with new[] (the caller deletes it with delete[]);
    // null and 0 when nothing was read.
    virtual BOOL Read(LPCSTR lpszValueName, BYTE** ppData, UINT* pBytes);
    // A missing or damaged value leaves the rectangle unchanged.
    virtual BOOL Read(LPCSTR lpszValueName, RECT& rect);
    // Fills the point pPoint points to.
    virtual BOOL Read(LPCSTR lpszValueName, POINT* pPoint);
    // The collections are emptied first.
    virtual BOOL Read(LPCSTR lpszValueName, CByteArray& array);
    virtual BOOL Read(LPCSTR lpszValueName, CWordArray& array);
    virtual BOOL Read(LPCSTR lpszValueName, CDWordArray& array);
    virtual BOOL Read(LPCSTR lpszValueName, CStringArray& array);
    virtual BOOL Read(LPCSTR lpszValueName, CStringList& list);
    // A missing value empties the string; a value of size 0 is an empty
    // string and TRUE.
    virtual BOOL Read(LPCSTR lpszValueName, CString& strValue);
    // Any value of up to four bytes, whatever its type, zero-extended; a
    // missing or longer value leaves the number unchanged.
    virtual BOOL Read(LPCSTR lpszValueName, int& nValue);
    virtual BOOL Read(LPCSTR lpszValueName, DWORD& dwValue);

    // Appends the names of the current key's sub-keys; FALSE when there is
    // none or the first enumeration fails.
    virtual BOOL ReadSubKeyNames(CStringArray& names);

    // The registry's code of the last call (ERROR_SUCCESS = 0).
    LONG GetLastResult() const { return m_lLastResult; }
    // Type and byte size of the last value read or written.
    DWORD GetLastType() const { return m_dwLastType; }
    DWORD GetLastSize() const { return m_dwLastSize; }
    HKEY GetKey() const { return m_hKey; }
    const CString& GetPath() const { return m_strPath; }
    BOOL IsReadOnly() const { return m_bReadOnly; }

private:
    friend class CWtkRegistrySP;

    // Writes the archive image that store() puts into a growing memory file.
    template <typename Store>
    BOOL WriteImage(LPCSTR lpszValueName, Store store);
    // Reads the value as raw bytes and hands them to load() in a loading
    // archive; load gets the byte count too, to check counts against it.
    template <typename Load>
    BOOL ReadImage(LPCSTR lpszValueName, Load load);
    REGSAM OpenAccess() const;
    // Makes key the current key, closing the one it replaces.
    void ReplaceKey(HKEY key);

    LONG m_lLastResult;
    DWORD m_dwLastType;
    DWORD m_dwLastSize;
    HKEY m_hKey;
    BOOL m_bAdmin;
    CString m_strPath;
    BOOL m_bReadOnly;
};
