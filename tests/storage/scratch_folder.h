// A folder of its own for one test, made under the temporary folder and
// removed with everything in it at the end.
#pragma once

#include <string>

#include "byte_image.h"
#include "storage/storage_folder.h"

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, ending with a backslash.
    const std::string& Path() const { return path_; }
    std::string PathOf(const std::string& relative) const { return path_ + relative; }
    // The folder as a storage host directory.
    CStorageFolder Storage() const;

    void Write(const std::string& relative, const Bytes& bytes) const;
    // Empty when the file can't be read.
    Bytes Read(const std::string& relative) const;
    bool Exists(const std::string& relative) const;
    // The names of the files in a sub-folder ("" for the folder itself).
    std::vector<std::string> FileNames(const std::string& folder) const;

private:
    std::string path_;
};
