// CWtkRegistry: values stored as archive images (objects, collections,
// rectangles, points and word arrays) in binary values.
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "platform/framework/archive.h"
#include "platform/framework/memfile.h"
#include "toolkit/foundation/registry.h"

namespace {

// The sizes the stored images have always been written with.
constexpr UINT kMemFileGrowBytes = 1024;
constexpr int kArchiveBufferBytes = 4096;
constexpr DWORD kPointElements = 5;

struct FreeBlock {
    void operator()(BYTE* block) const { std::free(block); }
};

[[noreturn]] void ThrowDamaged()
{
    throw CArchiveException(CArchiveException::genericException);
}

}  // namespace

template <typename Store>
BOOL CWtkRegistry::WriteImage(LPCSTR lpszValueName, Store store)
{
    if (m_bReadOnly)
        return FALSE;
    std::unique_ptr<BYTE, FreeBlock> block;
    UINT nBytes = 0;
    try {
        CMemFile file(kMemFileGrowBytes);
        CArchive ar(&file, CArchive::store, kArchiveBufferBytes);
        store(ar);
        ar.Close();
        nBytes = static_cast<UINT>(file.GetLength());
        block.reset(file.Detach());
    } catch (const CException&) {
        return FALSE;
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    return Write(lpszValueName, block.get(), nBytes);
}

template <typename Load>
BOOL CWtkRegistry::ReadImage(LPCSTR lpszValueName, Load load)
{
    BYTE* raw = nullptr;
    UINT nBytes = 0;
    if (!Read(lpszValueName, &raw, &nBytes))
        return FALSE;
    const std::unique_ptr<BYTE[]> data(raw);
    try {
        CMemFile file(data.get(), nBytes);
        CArchive ar(&file, CArchive::load, kArchiveBufferBytes);
        load(ar, nBytes);
        ar.Close();
    } catch (const CException&) {
        return FALSE;
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    return TRUE;
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, CObject* pObject)
{
    return WriteImage(lpszValueName, [pObject](CArchive& ar) { ar.WriteObject(pObject); });
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, CObject& object)
{
    return WriteImage(lpszValueName, [&object](CArchive& ar) { object.Serialize(ar); });
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, CStringList& list)
{
    return Write(lpszValueName, static_cast<CObject&>(list));
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, CByteArray& array)
{
    return Write(lpszValueName, static_cast<CObject&>(array));
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, CStringArray& array)
{
    return Write(lpszValueName, static_cast<CObject&>(array));
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, CDWordArray& array)
{
    return Write(lpszValueName, static_cast<CObject&>(array));
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, CObList& list)
{
    return Write(lpszValueName, static_cast<CObject&>(list));
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, const RECT* pRect)
{
    if (!pRect)
        return FALSE;
    const RECT rect = *pRect;
    return WriteImage(lpszValueName, [&rect](CArchive& ar) {
        ar << static_cast<LONG>(rect.left) << static_cast<LONG>(rect.top) << static_cast<LONG>(rect.right)
           << static_cast<LONG>(rect.bottom);
    });
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, const POINT* pPoint)
{
    if (!pPoint)
        return FALSE;
    // Stored as a five-element DWORD array, as the value was always written.
    CDWordArray array;
    array.SetSize(kPointElements);
    array[0] = static_cast<DWORD>(pPoint->x);
    array[1] = static_cast<DWORD>(pPoint->y);
    return Write(lpszValueName, static_cast<CObject&>(array));
}

BOOL CWtkRegistry::Write(LPCSTR lpszValueName, CWordArray& array)
{
    return WriteImage(lpszValueName, [&array](CArchive& ar) {
        const int count = array.GetSize();
        ar << static_cast<DWORD>(count);
        for (int i = 0; i < count; ++i)
            ar << array[i];
    });
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, CObject*& pObject)
{
    pObject = nullptr;
    CObject* loaded = nullptr;
    if (!ReadImage(lpszValueName, [&loaded](CArchive& ar, UINT) { loaded = ar.ReadObject(nullptr); }))
        return FALSE;
    pObject = loaded;
    return TRUE;
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, CObject& object)
{
    return ReadImage(lpszValueName, [&object](CArchive& ar, UINT) { object.Serialize(ar); });
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, CObList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
    return Read(lpszValueName, static_cast<CObject&>(list));
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, CByteArray& array)
{
    array.SetSize(0);
    return Read(lpszValueName, static_cast<CObject&>(array));
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, CDWordArray& array)
{
    array.SetSize(0);
    return Read(lpszValueName, static_cast<CObject&>(array));
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, CStringArray& array)
{
    array.SetSize(0);
    return Read(lpszValueName, static_cast<CObject&>(array));
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, CStringList& list)
{
    list.RemoveAll();
    return Read(lpszValueName, static_cast<CObject&>(list));
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, RECT& rect)
{
    LONG left = 0, top = 0, right = 0, bottom = 0;
    if (!ReadImage(lpszValueName, [&](CArchive& ar, UINT) { ar >> left >> top >> right >> bottom; }))
        return FALSE;
    rect.left = left;
    rect.top = top;
    rect.right = right;
    rect.bottom = bottom;
    return TRUE;
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, POINT* pPoint)
{
    if (!pPoint)
        return FALSE;
    DWORD type = 0;
    DWORD size = 0;
    m_lLastResult = ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, &type, nullptr, &size);
    if (m_lLastResult != ERROR_SUCCESS || type != REG_BINARY)
        return FALSE;
    std::vector<DWORD> elements;
    const BOOL read = ReadImage(lpszValueName, [&elements](CArchive& ar, UINT nBytes) {
        // The array's count, in the archive's count form.
        WORD short_count = 0;
        ar >> short_count;
        DWORD count = short_count;
        UINT header = sizeof(WORD);
        if (short_count == 0xFFFF) {
            ar >> count;
            header += sizeof(DWORD);
        }
        if (count < 2 || count > (nBytes - header) / sizeof(DWORD))
            ThrowDamaged();
        elements.resize(count);
        for (DWORD& element : elements)
            ar >> element;
    });
    if (!read)
        return FALSE;
    pPoint->x = static_cast<LONG>(elements[0]);
    pPoint->y = static_cast<LONG>(elements[1]);
    return TRUE;
}

BOOL CWtkRegistry::Read(LPCSTR lpszValueName, CWordArray& array)
{
    array.SetSize(0);
    std::vector<WORD> elements;
    const BOOL read = ReadImage(lpszValueName, [&elements](CArchive& ar, UINT nBytes) {
        DWORD count = 0;
        ar >> count;
        if (count > (nBytes - sizeof(DWORD)) / sizeof(WORD))
            ThrowDamaged();
        elements.resize(count);
        for (WORD& element : elements)
            ar >> element;
    });
    if (!read)
        return FALSE;
    array.SetSize(static_cast<int>(elements.size()));
    for (size_t i = 0; i < elements.size(); ++i)
        array[static_cast<int>(i)] = elements[i];
    return TRUE;
}
