#include "scratch_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>

namespace {

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder()
{
    static std::atomic<int> counter{0};
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "storage-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter) + "\\";
    RemoveTree(path_);
    EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << path_;
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(path_);
}

CStorageFolder ScratchFolder::Storage() const
{
    return CStorageFolder(CString(path_.c_str()));
}

void ScratchFolder::Write(const std::string& relative, const Bytes& bytes) const
{
    const std::string path = PathOf(relative);
    const size_t slash = relative.rfind('\\');
    if (slash != std::string::npos)
        CreateDirectoryA(PathOf(relative.substr(0, slash)).c_str(), nullptr);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(file.good()) << path;
}

Bytes ScratchFolder::Read(const std::string& relative) const
{
    std::ifstream file(PathOf(relative), std::ios::binary);
    if (!file)
        return Bytes();
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool ScratchFolder::Exists(const std::string& relative) const
{
    return GetFileAttributesA(PathOf(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ScratchFolder::FileNames(const std::string& folder) const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((PathOf(folder) + (folder.empty() ? "*" : "\\*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}
