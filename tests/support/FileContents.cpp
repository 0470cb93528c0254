#include "tests/support/FileContents.h"

#include "foundation/KernelHandle.h"

#include <windows.h>

namespace testsupport {

std::string fileContents(const std::string& path)
{
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (!file)
        return "<missing>";
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD done = 0;
    if (!bytes.empty())
        ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &done, nullptr);
    bytes.resize(done);
    return bytes;
}

}  // namespace testsupport
