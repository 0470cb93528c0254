#include "foundation/File.h"

int64_t File::movePointer(HANDLE file, int64_t offset, DWORD method)
{
    LONG high = static_cast<LONG>(offset >> 32);
    SetLastError(NO_ERROR);
    const DWORD low = SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFF), &high, method);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return -1;
    return (int64_t(high) << 32) | low;
}

int64_t File::sizeOf(HANDLE file)
{
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return -1;
    return (int64_t(high) << 32) | low;
}

File::File(const char* path, DWORD access, DWORD creationDisposition, DWORD shareMode, DWORD flagsAndAttributes)
    : file(CreateFileA(path, access, shareMode, nullptr, creationDisposition, flagsAndAttributes, nullptr))
{
    if (!file.isOpen())
        throw "File not opened !";
}

File::~File() = default;

int64_t File::position() const
{
    return movePointer(file.get(), 0, FILE_CURRENT);
}

bool File::seek(int64_t offset)
{
    return movePointer(file.get(), offset, FILE_BEGIN) >= 0;
}

uint32_t File::read(void* buffer, uint32_t count)
{
    DWORD done = 0;
    return ReadFile(file.get(), buffer, count, &done, nullptr) ? done : 0;
}

uint32_t File::write(const void* data, uint32_t count)
{
    DWORD done = 0;
    return WriteFile(file.get(), data, count, &done, nullptr) ? done : 0;
}

int64_t File::size() const
{
    return sizeOf(file.get());
}
