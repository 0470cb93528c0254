// A file held open without delete sharing for the life of the object, as a
// running program holds its own executable: DeleteFileA fails on it.
#pragma once

#include "foundation/KernelHandle.h"

#include <windows.h>

#include <string>

namespace testsupport {

class FileLock {
public:
    explicit FileLock(const std::string& path)
        : handle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}

    bool isHeld() const { return handle.isOpen(); }

private:
    KernelHandle handle;
};

}  // namespace testsupport
