// CByteArray, CWordArray and CDWordArray: growable arrays of 8-, 16- and
// 32-bit unsigned values, serialised as a count (CArchive::WriteCount)
// followed by the values, little-endian.
#pragma once

#include "platform/framework/array.h"

class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_SERIAL(CByteArray)
public:
    CByteArray();
    ~CByteArray() override;
};

class CWordArray : public CArray<WORD, WORD> {
    DECLARE_SERIAL(CWordArray)
public:
    CWordArray();
    ~CWordArray() override;
};

class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_SERIAL(CDWordArray)
public:
    CDWordArray();
    ~CDWordArray() override;
};
