// CObArray: a growable array of CObject pointers, which it does not own.
//
// Serialize stores the count (CArchive::WriteCount) and then each element
// with CArchive::WriteObject. Loading replaces the content once every object
// has been read; a stream that names one object twice is rejected
// (badIndex), since the owner of a loaded array deletes every element. When
// loading fails, the objects read so far are deleted and the array is left
// as it was.
#pragma once

#include "platform/framework/array.h"
#include "platform/framework/object.h"

class CObArray : public CArray<CObject*, CObject*> {
    DECLARE_SERIAL(CObArray)
public:
    CObArray();
    ~CObArray() override;

    void Serialize(CArchive& ar) override;
};
