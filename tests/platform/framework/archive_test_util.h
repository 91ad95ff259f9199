// Helpers of the archive tests: storing into and loading from memory files.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/framework/archive.h"
#include "platform/framework/memfile.h"

using Bytes = std::vector<BYTE>;

inline Bytes StoreBytes(const std::function<void(CArchive&)>& write, int buffer_size = 4096)
{
    CMemFile file(1024);
    CArchive ar(&file, CArchive::store, buffer_size);
    write(ar);
    ar.Close();
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

inline void LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& read, int buffer_size = 4096)
{
    // A copy of exactly the stream's size, so that a read past its end
    // would leave the block (and show up under a memory checker).
    Bytes copy(bytes);
    CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load, buffer_size);
    read(ar);
    ar.Close();
}

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

inline Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

inline Bytes Le32(DWORD value)
{
    return Bytes{static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                 static_cast<BYTE>(value >> 24)};
}

inline Bytes Le16(WORD value)
{
    return Bytes{static_cast<BYTE>(value), static_cast<BYTE>(value >> 8)};
}
