// OleStgMedium: owns one STGMEDIUM, released with ReleaseStgMedium.
#pragma once

#include <ole2.h>

class OleStgMedium : public STGMEDIUM {
public:
    OleStgMedium() : STGMEDIUM() {}
    // Adopts the medium (its handle or its pUnkForRelease reference).
    explicit OleStgMedium(const STGMEDIUM& medium) : STGMEDIUM(medium) {}
    OleStgMedium(OleStgMedium&& other) noexcept : STGMEDIUM(other) { other.Forget(); }
    OleStgMedium& operator=(OleStgMedium&& other) noexcept
    {
        if (this != &other) {
            Reset();
            static_cast<STGMEDIUM&>(*this) = other;
            other.Forget();
        }
        return *this;
    }
    OleStgMedium(const OleStgMedium&) = delete;
    OleStgMedium& operator=(const OleStgMedium&) = delete;
    ~OleStgMedium() { Reset(); }

    // For an out parameter (IDataObject::GetData).
    STGMEDIUM* Receive()
    {
        Reset();
        return this;
    }
    void Reset()
    {
        if (tymed != TYMED_NULL || pUnkForRelease != nullptr)
            ::ReleaseStgMedium(this);
        Forget();
    }

private:
    void Forget() { static_cast<STGMEDIUM&>(*this) = STGMEDIUM(); }
};

// A new movable block with the bytes of memory, for a receiver that must own
// what it gets; null when either block can't be had.
HGLOBAL OleCopyGlobalMemory(HGLOBAL memory);
