#include "platform/framework/stringarray.h"

#include "platform/framework/archive.h"

namespace {

size_t Checked(int index)
{
    return index < 0 ? static_cast<size_t>(-1) : static_cast<size_t>(index);
}

}  // namespace

IMPLEMENT_SERIAL(CStringArray, CObject, 0)

CStringArray::CStringArray() = default;
CStringArray::~CStringArray() = default;

int CStringArray::GetSize() const
{
    return static_cast<int>(m_data.size());
}

int CStringArray::GetCount() const
{
    return GetSize();
}

int CStringArray::GetUpperBound() const
{
    return GetSize() - 1;
}

bool CStringArray::IsEmpty() const
{
    return m_data.empty();
}

void CStringArray::SetSize(int new_size, int)
{
    m_data.resize(static_cast<size_t>(new_size < 0 ? 0 : new_size));
}

void CStringArray::FreeExtra()
{
    m_data.shrink_to_fit();
}

void CStringArray::RemoveAll()
{
    m_data.clear();
}

const CString& CStringArray::GetAt(int index) const
{
    return m_data.at(Checked(index));
}

CString& CStringArray::ElementAt(int index)
{
    return m_data.at(Checked(index));
}

void CStringArray::SetAt(int index, const char* text)
{
    m_data.at(Checked(index)) = text;
}

const CString& CStringArray::operator[](int index) const
{
    return GetAt(index);
}

CString& CStringArray::operator[](int index)
{
    return ElementAt(index);
}

void CStringArray::SetAtGrow(int index, const char* text)
{
    if (index >= GetSize())
        SetSize(index + 1);
    SetAt(index, text);
}

int CStringArray::Add(const char* text)
{
    m_data.emplace_back(text);
    return GetUpperBound();
}

int CStringArray::Add(const CString& text)
{
    m_data.push_back(text);
    return GetUpperBound();
}

int CStringArray::Append(const CStringArray& source)
{
    const int first = GetSize();
    if (&source == this) {
        const std::vector<CString> copy = m_data;
        m_data.insert(m_data.end(), copy.begin(), copy.end());
    } else {
        m_data.insert(m_data.end(), source.m_data.begin(), source.m_data.end());
    }
    return first;
}

void CStringArray::Copy(const CStringArray& source)
{
    if (&source != this)
        m_data = source.m_data;
}

void CStringArray::InsertAt(int index, const char* text, int count)
{
    if (index < 0 || count <= 0)
        return;
    if (index > GetSize())
        SetSize(index);
    m_data.insert(m_data.begin() + index, static_cast<size_t>(count), CString(text));
}

void CStringArray::RemoveAt(int index, int count)
{
    if (index < 0 || count <= 0 || index >= GetSize())
        return;
    const int last = index + count > GetSize() ? GetSize() : index + count;
    m_data.erase(m_data.begin() + index, m_data.begin() + last);
}

void CStringArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_data.size()));
        for (const CString& text : m_data)
            ar << text;
        return;
    }
    const DWORD count = ar.ReadCount();
    std::vector<CString> loaded;
    // Grows as strings arrive: a damaged count must not allocate up front.
    for (DWORD i = 0; i < count; ++i) {
        CString text;
        ar >> text;
        loaded.push_back(std::move(text));
    }
    m_data.swap(loaded);
}
