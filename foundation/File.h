// One open file handle with positioned reads and writes.
#pragma once

#include "foundation/KernelHandle.h"
#include "foundation/Object.h"

#include <windows.h>

#include <cstdint>

class File : public Object {
public:
    // CreateFileA with these values and no security; throws "File not opened !"
    // when the file cannot be opened.
    File(const char* path, DWORD access, DWORD creationDisposition, DWORD shareMode, DWORD flagsAndAttributes);
    ~File() override;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    HANDLE handle() const { return file.get(); }
    // The current offset; -1 when the system cannot tell.
    int64_t position() const;
    // Moves to offset from the start; false when the system refuses.
    bool seek(int64_t offset);
    // The bytes read or written; 0 on failure.
    uint32_t read(void* buffer, uint32_t count);
    uint32_t write(const void* data, uint32_t count);
    // The file's size; -1 when the system cannot tell.
    int64_t size() const;

    // The same two on any file handle: SetFilePointer to offset from method's
    // origin, giving the new offset, and GetFileSize; -1 on failure. Unlike a
    // bare call, they tell a failure from a valid low part of 0xFFFFFFFF.
    static int64_t movePointer(HANDLE file, int64_t offset, DWORD method);
    static int64_t sizeOf(HANDLE file);

private:
    KernelHandle file;
};
