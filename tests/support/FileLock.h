// A file held open without delete sharing for the life of the object, as a
// running program holds its own executable: DeleteFileA fails on it.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

class FileLock {
public:
    explicit FileLock(const std::string& path)
        : handle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~FileLock()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool isHeld() const { return handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle;
};

}  // namespace testsupport
