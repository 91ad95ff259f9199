// CString: an 8-bit string in the ANSI code page, the text type of the
// records, archives and helpers. Conversions to and from UTF-16 (BSTR,
// LPCWSTR) go through the ANSI code page.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdarg>
#include <cstdio>
#include <string>

class CString {
public:
    CString();
    CString(const CString& other);
    CString(CString&& other) noexcept;
    CString(const char* text);              // null gives an empty string
    CString(const char* text, int length);  // exactly length bytes
    CString(char ch, int repeat = 1);
    // UTF-16 through the ANSI code page; also takes a BSTR (up to its first
    // null character); null gives an empty string.
    CString(const wchar_t* text);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* text);
    CString& operator=(const wchar_t* text);
    CString& operator=(char ch);

    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    // The string resource nID of the resource module (AfxGetResourceHandle)
    // or of hInstance; FALSE, leaving the string empty, when there is none.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    int GetLength() const;
    bool IsEmpty() const;
    void Empty();
    char GetAt(int index) const;
    void SetAt(int index, char ch);
    char operator[](int index) const;
    operator const char*() const;

    // Byte-wise comparison: <0, 0, >0.
    int Compare(const char* text) const;
    // Comparison after folding the case of the ANSI code page's letters.
    int CompareNoCase(const char* text) const;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    // The leading run of characters that are (not) in the set.
    CString SpanIncluding(const char* set) const;
    CString SpanExcluding(const char* set) const;

    // Case of the ANSI code page's letters.
    void MakeUpper();
    void MakeLower();
    void MakeReverse();

    // Without argument white space (space, tab, CR, LF, VT, FF).
    void TrimLeft();
    void TrimLeft(char ch);
    void TrimLeft(const char* set);
    void TrimRight();
    void TrimRight(char ch);
    void TrimRight(const char* set);

    // Number of replacements made.
    int Replace(char old_ch, char new_ch);
    int Replace(const char* old_text, const char* new_text);
    int Remove(char ch);
    // New length.
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    // Index of the match, or -1.
    int Find(char ch) const;
    int Find(char ch, int start) const;
    int Find(const char* text) const;
    int Find(const char* text, int start) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    // printf-style. A CString argument must be passed as (const char*):
    // the compiler checks the arguments against the format.
    void Format(const char* format, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)));
    void FormatV(const char* format, va_list args) __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 0)));

    // Direct access to the characters: room for at least min_length
    // characters plus a terminator. ReleaseBuffer sets the length to
    // new_length, or to the first null character when -1.
    char* GetBuffer(int min_length);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int new_length = -1);

    // A new BSTR the caller frees (SysFreeString); null when out of memory.
    BSTR AllocSysString() const;
    // Frees *target and replaces it with a new BSTR of this text.
    BSTR SetSysString(BSTR* target) const;

private:
    std::string m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, const char* b);
bool operator<(const char* a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, const char* b);
bool operator>(const char* a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, const char* b);
bool operator<=(const char* a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, const char* b);
bool operator>=(const char* a, const CString& b);
