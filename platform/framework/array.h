// CArray<TYPE, ARG_TYPE>: a growable array of values.
//
// Serialize stores the count (CArchive::WriteCount) and then each element:
// CString elements as strings, COleDateTime elements in the raw 12-byte
// date form (double, then status), other elements as their raw bytes.
// Loading reads the elements before it replaces the array's content, so a
// damaged stream leaves the array as it was.
#pragma once

#include <type_traits>
#include <utility>
#include <vector>

#include "platform/framework/archive.h"
#include "platform/framework/object.h"
#include "platform/framework/oledatetime.h"
#include "platform/framework/string.h"

// How one element of an array is stored. Overload for element types that
// need a form of their own.
template <typename TYPE>
void SerializeElement(CArchive& ar, TYPE& element)
{
    static_assert(std::is_trivially_copyable<TYPE>::value,
                  "elements stored as raw bytes must be trivially copyable");
    if (ar.IsStoring()) {
        ar.Write(&element, sizeof element);
    } else if (ar.Read(&element, sizeof element) != sizeof element) {
        throw CArchiveException(CArchiveException::endOfFile);
    }
}

inline void SerializeElement(CArchive& ar, CString& element)
{
    if (ar.IsStoring())
        ar << element;
    else
        ar >> element;
}

inline void SerializeElement(CArchive& ar, COleDateTime& element)
{
    if (ar.IsStoring())
        ar.WriteRawDate(element);
    else
        ar.ReadRawDate(element);
}

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;

    int GetSize() const { return static_cast<int>(m_data.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_data.empty(); }

    // grow_by is accepted for compatibility; growth is geometric.
    void SetSize(int new_size, int grow_by = -1)
    {
        (void)grow_by;
        m_data.resize(static_cast<size_t>(new_size < 0 ? 0 : new_size));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    // Indexes outside 0 ... GetUpperBound() throw std::out_of_range.
    const TYPE& GetAt(int index) const { return m_data.at(Checked(index)); }
    TYPE& ElementAt(int index) { return m_data.at(Checked(index)); }
    void SetAt(int index, ARG_TYPE element) { m_data.at(Checked(index)) = element; }
    const TYPE& operator[](int index) const { return GetAt(index); }
    TYPE& operator[](int index) { return ElementAt(index); }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }

    void SetAtGrow(int index, ARG_TYPE element)
    {
        if (index >= GetSize())
            SetSize(index + 1);
        SetAt(index, element);
    }
    int Add(ARG_TYPE element)
    {
        m_data.push_back(element);
        return GetUpperBound();
    }
    int Append(const CArray& source)
    {
        const int first = GetSize();
        m_data.insert(m_data.end(), source.m_data.begin(), source.m_data.end());
        return first;
    }
    void Copy(const CArray& source)
    {
        if (&source != this)
            m_data = source.m_data;
    }
    // An index past the end first grows the array to it.
    void InsertAt(int index, ARG_TYPE element, int count = 1)
    {
        if (index < 0 || count <= 0)
            return;
        if (index > GetSize())
            SetSize(index);
        m_data.insert(m_data.begin() + index, static_cast<size_t>(count), element);
    }
    void RemoveAt(int index, int count = 1)
    {
        if (index < 0 || count <= 0 || index >= GetSize())
            return;
        const int last = index + count > GetSize() ? GetSize() : index + count;
        m_data.erase(m_data.begin() + index, m_data.begin() + last);
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD>(m_data.size()));
            for (TYPE& element : m_data)
                SerializeElement(ar, element);
            return;
        }
        const DWORD count = ar.ReadCount();
        std::vector<TYPE> loaded;
        // Grows as elements arrive: a damaged count must not allocate up front.
        for (DWORD i = 0; i < count; ++i) {
            TYPE element{};
            SerializeElement(ar, element);
            loaded.push_back(std::move(element));
        }
        m_data.swap(loaded);
    }

private:
    static size_t Checked(int index) { return index < 0 ? static_cast<size_t>(-1) : static_cast<size_t>(index); }

    std::vector<TYPE> m_data;
};
