// CStringArray: a growable array of strings, serialised as a count
// (CArchive::WriteCount) followed by the strings.
#pragma once

#include <vector>

#include "platform/framework/object.h"
#include "platform/framework/string.h"

class CStringArray : public CObject {
    DECLARE_SERIAL(CStringArray)
public:
    CStringArray();
    ~CStringArray() override;

    int GetSize() const;
    int GetCount() const;
    int GetUpperBound() const;
    bool IsEmpty() const;
    void SetSize(int new_size, int grow_by = -1);
    void FreeExtra();
    void RemoveAll();

    // Indexes outside 0 ... GetUpperBound() throw std::out_of_range.
    const CString& GetAt(int index) const;
    CString& ElementAt(int index);
    void SetAt(int index, const char* text);
    const CString& operator[](int index) const;
    CString& operator[](int index);

    void SetAtGrow(int index, const char* text);
    int Add(const char* text);
    int Add(const CString& text);
    int Append(const CStringArray& source);
    void Copy(const CStringArray& source);
    // An index past the end first grows the array to it.
    void InsertAt(int index, const char* text, int count = 1);
    void RemoveAt(int index, int count = 1);

    // Loading replaces the content only once every string has been read.
    void Serialize(CArchive& ar) override;

private:
    std::vector<CString> m_data;
};
