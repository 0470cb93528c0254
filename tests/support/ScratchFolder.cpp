#include "tests/support/ScratchFolder.h"

#include "foundation/KernelHandle.h"

#include <windows.h>

#include <cstdio>

namespace testsupport {

namespace {

std::string uniqueName()
{
    static unsigned counter = 0;
    char name[64];
    std::snprintf(name, sizeof name, "t5test-%lu-%lu-%u", GetCurrentProcessId(), GetTickCount(),
                  ++counter);
    return name;
}

bool makeFolders(const std::string& path)
{
    for (std::string::size_type at = path.find('\\', 3); at != std::string::npos;
         at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

ScratchFolder::ScratchFolder()
{
    // The temporary folder's path ends in a backslash.
    char temp[MAX_PATH + 1] = {};
    path_ = std::string(temp, GetTempPathA(MAX_PATH, temp)) + uniqueName();
    makeFolders(path_);
}

ScratchFolder::~ScratchFolder()
{
    removeTree(path_);
}

std::string ScratchFolder::join(const std::string& relative) const
{
    return path_ + "\\" + relative;
}

bool ScratchFolder::writeFile(const std::string& relative, const std::string& content) const
{
    const std::string full = join(relative);
    makeFolders(full.substr(0, full.rfind('\\')));
    const KernelHandle file(CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size();
}

bool ScratchFolder::makeFolder(const std::string& relative) const
{
    return makeFolders(join(relative));
}

bool removeTree(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return DeleteFileA(path.c_str()) != 0;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = entry.cFileName;
                if (name != "." && name != "..")
                    removeTree(path + "\\" + name);
            } while (FindNextFileA(find, &entry));
            FindClose(find);
        }
    }
    return RemoveDirectoryA(path.c_str()) != 0;
}

}  // namespace testsupport
