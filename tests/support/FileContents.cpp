#include "tests/support/FileContents.h"

#include <windows.h>

namespace testsupport {

std::string fileContents(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD done = 0;
    if (!bytes.empty())
        ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(file);
    bytes.resize(done);
    return bytes;
}

}  // namespace testsupport
