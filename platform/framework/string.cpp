#include "platform/framework/string.h"

#include "platform/framework/resource_handle.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <new>

namespace {

bool IsWhiteSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}

std::string AnsiFromWide(const wchar_t* text, int length)
{
    if (text == nullptr || length <= 0)
        return std::string();
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string result(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, length, &result[0], size, nullptr, nullptr);
    return result;
}

// Lower case by the ANSI code page, as the runtime's case-insensitive
// comparison folds to lower case (so '_' sorts before letters).
std::string FoldCase(const char* text)
{
    std::string folded(text != nullptr ? text : "");
    if (!folded.empty())
        ::CharLowerBuffA(&folded[0], static_cast<DWORD>(folded.size()));
    return folded;
}

const char* NonNull(const char* text)
{
    return text != nullptr ? text : "";
}

}  // namespace

CString::CString() = default;

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // LoadString cuts a text that does not fit without telling: a text that
    // fills the buffer is read again into a larger one. Resource strings
    // hold at most 65535 characters.
    for (const int size : {256, 4096, 65537}) {
        std::string buffer(static_cast<size_t>(size), '\0');
        const int length = ::LoadStringA(hInstance, nID, &buffer[0], size);
        if (length <= 0) {
            Empty();
            return FALSE;
        }
        if (length < size - 1 || size == 65537) {
            m_text.assign(buffer.data(), static_cast<size_t>(length));
            return TRUE;
        }
    }
    return FALSE;
}
CString::CString(const CString& other) = default;
CString::CString(CString&& other) noexcept = default;
CString::~CString() = default;

CString::CString(const char* text) : m_text(NonNull(text)) {}

CString::CString(const char* text, int length)
{
    if (text != nullptr && length > 0)
        m_text.assign(text, static_cast<size_t>(length));
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0)
        m_text.assign(static_cast<size_t>(repeat), ch);
}

CString::CString(const wchar_t* text)
    : m_text(AnsiFromWide(text, text != nullptr ? static_cast<int>(wcslen(text)) : 0))
{
}

CString& CString::operator=(const CString& other) = default;
CString& CString::operator=(CString&& other) noexcept = default;

CString& CString::operator=(const char* text)
{
    m_text = NonNull(text);
    return *this;
}

CString& CString::operator=(const wchar_t* text)
{
    m_text = AnsiFromWide(text, text != nullptr ? static_cast<int>(wcslen(text)) : 0);
    return *this;
}

CString& CString::operator=(char ch)
{
    m_text.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(const char* text)
{
    m_text += NonNull(text);
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}

int CString::GetLength() const
{
    return static_cast<int>(m_text.size());
}

bool CString::IsEmpty() const
{
    return m_text.empty();
}

void CString::Empty()
{
    m_text.clear();
    m_text.shrink_to_fit();
}

char CString::GetAt(int index) const
{
    return index >= 0 && index < GetLength() ? m_text[static_cast<size_t>(index)] : '\0';
}

void CString::SetAt(int index, char ch)
{
    if (index >= 0 && index < GetLength())
        m_text[static_cast<size_t>(index)] = ch;
}

char CString::operator[](int index) const
{
    return GetAt(index);
}

CString::operator const char*() const
{
    return m_text.c_str();
}

int CString::Compare(const char* text) const
{
    return std::strcmp(m_text.c_str(), NonNull(text));
}

int CString::CompareNoCase(const char* text) const
{
    return std::strcmp(FoldCase(m_text.c_str()).c_str(), FoldCase(text).c_str());
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    const int length = GetLength();
    if (first < 0)
        first = 0;
    if (count < 0 || first >= length)
        return CString();
    count = std::min(count, length - first);
    return CString(m_text.data() + first, count);
}

CString CString::Left(int count) const
{
    return Mid(0, count < 0 ? 0 : count);
}

CString CString::Right(int count) const
{
    const int length = GetLength();
    if (count <= 0)
        return CString();
    if (count >= length)
        return *this;
    return CString(m_text.data() + (length - count), count);
}

CString CString::SpanIncluding(const char* set) const
{
    return Left(static_cast<int>(std::strspn(m_text.c_str(), NonNull(set))));
}

CString CString::SpanExcluding(const char* set) const
{
    return Left(static_cast<int>(std::strcspn(m_text.c_str(), NonNull(set))));
}

void CString::MakeUpper()
{
    if (!m_text.empty())
        ::CharUpperBuffA(&m_text[0], static_cast<DWORD>(m_text.size()));
}

void CString::MakeLower()
{
    if (!m_text.empty())
        ::CharLowerBuffA(&m_text[0], static_cast<DWORD>(m_text.size()));
}

void CString::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
}

void CString::TrimLeft()
{
    size_t first = 0;
    while (first < m_text.size() && IsWhiteSpace(m_text[first]))
        ++first;
    m_text.erase(0, first);
}

void CString::TrimLeft(char ch)
{
    size_t first = 0;
    while (first < m_text.size() && m_text[first] == ch)
        ++first;
    m_text.erase(0, first);
}

void CString::TrimLeft(const char* set)
{
    const size_t first = m_text.find_first_not_of(NonNull(set));
    m_text.erase(0, first == std::string::npos ? m_text.size() : first);
}

void CString::TrimRight()
{
    size_t end = m_text.size();
    while (end > 0 && IsWhiteSpace(m_text[end - 1]))
        --end;
    m_text.erase(end);
}

void CString::TrimRight(char ch)
{
    size_t end = m_text.size();
    while (end > 0 && m_text[end - 1] == ch)
        --end;
    m_text.erase(end);
}

void CString::TrimRight(const char* set)
{
    const size_t last = m_text.find_last_not_of(NonNull(set));
    m_text.erase(last == std::string::npos ? 0 : last + 1);
}

int CString::Replace(char old_ch, char new_ch)
{
    int count = 0;
    for (char& ch : m_text) {
        if (ch == old_ch) {
            ch = new_ch;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* old_text, const char* new_text)
{
    const size_t old_length = old_text != nullptr ? std::strlen(old_text) : 0;
    if (old_length == 0)
        return 0;
    const std::string replacement(NonNull(new_text));
    std::string result;
    int count = 0;
    size_t from = 0;
    for (size_t at = m_text.find(old_text, 0, old_length); at != std::string::npos;
         at = m_text.find(old_text, from, old_length)) {
        result.append(m_text, from, at - from);
        result += replacement;
        from = at + old_length;
        ++count;
    }
    if (count > 0) {
        result.append(m_text, from, std::string::npos);
        m_text.swap(result);
    }
    return count;
}

int CString::Remove(char ch)
{
    const size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, char ch)
{
    index = std::max(0, std::min(index, GetLength()));
    m_text.insert(static_cast<size_t>(index), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* text)
{
    index = std::max(0, std::min(index, GetLength()));
    m_text.insert(static_cast<size_t>(index), NonNull(text));
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index < 0)
        index = 0;
    if (count > 0 && index < GetLength())
        m_text.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

int CString::Find(char ch) const
{
    return Find(ch, 0);
}

int CString::Find(char ch, int start) const
{
    if (ch == '\0' || start < 0 || start >= GetLength())
        return -1;
    // Like a C string, the text ends at its first null character.
    const char* found = std::strchr(m_text.c_str() + start, ch);
    return found != nullptr ? static_cast<int>(found - m_text.c_str()) : -1;
}

int CString::Find(const char* text) const
{
    return Find(text, 0);
}

int CString::Find(const char* text, int start) const
{
    if (text == nullptr || start < 0 || start > GetLength())
        return -1;
    const char* found = std::strstr(m_text.c_str() + start, text);
    return found != nullptr ? static_cast<int>(found - m_text.c_str()) : -1;
}

int CString::ReverseFind(char ch) const
{
    const char* found = std::strrchr(m_text.c_str(), ch);
    if (ch == '\0' || found == nullptr)
        return -1;
    return static_cast<int>(found - m_text.c_str());
}

int CString::FindOneOf(const char* set) const
{
    if (set == nullptr || *set == '\0')
        return -1;
    const char* found = std::strpbrk(m_text.c_str(), set);
    return found != nullptr ? static_cast<int>(found - m_text.c_str()) : -1;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, NonNull(format), measure);
    va_end(measure);
    if (length <= 0) {
        m_text.clear();
        return;
    }
    std::string result(static_cast<size_t>(length), '\0');
    std::vsnprintf(&result[0], result.size() + 1, NonNull(format), args);
    m_text.swap(result);
}

char* CString::GetBuffer(int min_length)
{
    if (min_length > GetLength())
        m_text.resize(static_cast<size_t>(min_length), '\0');
    return &m_text[0];
}

char* CString::GetBufferSetLength(int length)
{
    m_text.resize(static_cast<size_t>(std::max(0, length)), '\0');
    return &m_text[0];
}

void CString::ReleaseBuffer(int new_length)
{
    size_t length;
    if (new_length < 0)
        length = ::strnlen(m_text.c_str(), m_text.size());
    else
        length = std::min(static_cast<size_t>(new_length), m_text.size());
    m_text.resize(length);
}

BSTR CString::AllocSysString() const
{
    const int length = GetLength();
    if (length == 0)
        return ::SysAllocStringLen(L"", 0);
    const int wide_length = ::MultiByteToWideChar(CP_ACP, 0, m_text.data(), length, nullptr, 0);
    if (wide_length <= 0)
        return ::SysAllocStringLen(L"", 0);
    BSTR result = ::SysAllocStringLen(nullptr, static_cast<UINT>(wide_length));
    if (result != nullptr)
        ::MultiByteToWideChar(CP_ACP, 0, m_text.data(), length, result, wide_length);
    return result;
}

BSTR CString::SetSysString(BSTR* target) const
{
    BSTR fresh = AllocSysString();
    if (target != nullptr) {
        ::SysFreeString(*target);
        *target = fresh;
    }
    return fresh;
}

CString operator+(const CString& a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const char* b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const char* a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, char b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(char a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
bool operator!=(const CString& a, const char* b) { return a.Compare(b) != 0; }
bool operator!=(const char* a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
bool operator<(const char* a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, const char* b) { return a.Compare(b) > 0; }
bool operator>(const char* a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, const char* b) { return a.Compare(b) <= 0; }
bool operator<=(const char* a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, const char* b) { return a.Compare(b) >= 0; }
bool operator>=(const char* a, const CString& b) { return b.Compare(a) <= 0; }
