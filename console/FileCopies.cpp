#include "console/FileCopies.h"

#include "foundation/FileIdentity.h"
#include "foundation/KernelHandle.h"

#include <vector>

namespace {

const DWORD pieceSize = 1 << 20;
const uint64_t checksumStart = 1469598103934665603ull; // FNV-1a, 64 bits
const uint64_t checksumPrime = 1099511628211ull;

using Buffer = std::vector<unsigned char>;

void mix(uint64_t& checksum, const unsigned char* bytes, DWORD count)
{
    for (DWORD i = 0; i < count; ++i)
        checksum = (checksum ^ bytes[i]) * checksumPrime;
}

// Reads file from its start to its end, adding up size and checksum, and hands
// each piece to out when given; the system's error, or 0.
DWORD readThrough(HANDLE file, Buffer& buffer, uint64_t& size, uint64_t& checksum, HANDLE out = nullptr)
{
    size = 0;
    checksum = checksumStart;
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return GetLastError();
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
            return GetLastError();
        if (got == 0)
            return 0;
        DWORD written = 0;
        if (out && (!WriteFile(out, buffer.data(), got, &written, nullptr) || written != got))
            return written != got && GetLastError() == 0 ? ERROR_WRITE_FAULT : GetLastError();
        mix(checksum, buffer.data(), got);
        size += got;
    }
}

// Room for a file of size in one piece, up to pieceSize: most files are small,
// and a zeroed piece for each would cost more than copying them.
size_t roomFor(uint64_t size)
{
    return static_cast<size_t>(size < pieceSize ? size + 1 : pieceSize);
}

uint64_t sizeOf(const BY_HANDLE_FILE_INFORMATION& information)
{
    return (static_cast<uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
}

HANDLE openForReading(const String& path)
{
    return CreateFileA(path.cStr(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

DWORD copyInto(HANDLE in, HANDLE out, FileRecord& record)
{
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(in, &information))
        return GetLastError();
    if ((information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return ERROR_CANT_ACCESS_FILE;
    record.attributes = information.dwFileAttributes;
    record.created = information.ftCreationTime;
    record.accessed = information.ftLastAccessTime;
    record.written = information.ftLastWriteTime;
    Buffer buffer(roomFor(sizeOf(information)));
    DWORD error = readThrough(in, buffer, record.size, record.checksum, out);
    if (error != 0)
        return error;
    if (record.size != sizeOf(information))
        return ERROR_CRC;
    uint64_t size = 0, checksum = 0;
    error = readThrough(out, buffer, size, checksum);
    if (error == 0 && (size != record.size || checksum != record.checksum))
        error = ERROR_CRC;
    return error;
}

bool isLink(const String& path)
{
    DWORD attributes = GetFileAttributesA(path.cStr());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// What is at target now: the saved content (unchanged), other content (differs,
// left alone), or other content to be overwritten (restored, its attributes
// cleared); never a link or a folder.
PutBack putOver(const String& target, const FileRecord& record, bool force, DWORD& error)
{
    DWORD attributes = GetFileAttributesA(target.cStr());
    bool plainFile = attributes != INVALID_FILE_ATTRIBUTES &&
                     (attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) == 0;
    uint64_t size = 0, checksum = 0;
    if (plainFile && measureFile(target, size, checksum) && size == record.size && checksum == record.checksum)
        return PutBack::unchanged;
    if (!force)
        return PutBack::differs;
    error = ERROR_CANT_ACCESS_FILE;
    if (!plainFile || !SetFileAttributesA(target.cStr(), FILE_ATTRIBUTE_NORMAL))
        return PutBack::failed;
    return PutBack::restored;
}

} // namespace

DWORD copyChecked(const String& source, const String& copy, FileRecord& record)
{
    KernelHandle in(openForReading(source));
    if (!in.isOpen())
        return GetLastError();
    KernelHandle out(CreateFileA(copy.cStr(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.isOpen())
        return GetLastError();
    DWORD error = copyInto(in.get(), out.get(), record);
    if (error != 0) {
        out.reset();
        DeleteFileA(copy.cStr());
    }
    return error;
}

bool measureFile(const String& path, uint64_t& size, uint64_t& checksum)
{
    KernelHandle file(openForReading(path));
    LARGE_INTEGER length{};
    if (!file.isOpen() || !GetFileSizeEx(file.get(), &length))
        return false;
    Buffer buffer(roomFor(static_cast<uint64_t>(length.QuadPart)));
    return readThrough(file.get(), buffer, size, checksum) == 0;
}

PutBack putBack(const String& copy, const String& target, const FileRecord& record, bool force, DWORD& error)
{
    // Held from the check to the last byte written, so that what is checked is
    // what is written.
    KernelHandle in(openForReading(copy));
    Buffer buffer(roomFor(record.size));
    uint64_t size = 0, checksum = 0;
    error = in.isOpen() ? readThrough(in.get(), buffer, size, checksum) : GetLastError();
    if (error == 0 && (size != record.size || checksum != record.checksum))
        error = ERROR_CRC;
    if (error != 0)
        return PutBack::failed;
    // Made new where nothing is there; what is there is asked about first.
    KernelHandle out(CreateFileA(target.cStr(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_OPEN_REPARSE_POINT,
                                 nullptr));
    if (!out.isOpen()) {
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return PutBack::failed;
        PutBack there = putOver(target, record, force, error);
        if (there != PutBack::restored)
            return there;
        out.reset(CreateFileA(target.cStr(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!out.isOpen()) {
            error = GetLastError();
            return PutBack::failed;
        }
    }
    error = readThrough(in.get(), buffer, size, checksum, out.get());
    FILE_BASIC_INFO basic{};
    basic.CreationTime.LowPart = record.created.dwLowDateTime;
    basic.CreationTime.HighPart = static_cast<LONG>(record.created.dwHighDateTime);
    basic.LastAccessTime.LowPart = record.accessed.dwLowDateTime;
    basic.LastAccessTime.HighPart = static_cast<LONG>(record.accessed.dwHighDateTime);
    basic.LastWriteTime.LowPart = record.written.dwLowDateTime;
    basic.LastWriteTime.HighPart = static_cast<LONG>(record.written.dwHighDateTime);
    basic.FileAttributes = record.attributes ? record.attributes : FILE_ATTRIBUTE_NORMAL;
    if (error == 0 && !SetFileInformationByHandle(out.get(), FileBasicInfo, &basic, sizeof basic))
        error = GetLastError();
    return error == 0 ? PutBack::restored : PutBack::failed;
}

bool passesThroughLink(const String& path)
{
    if (isLink(path))
        return true;
    for (const String& folder : foldersAbove(path))
        if (isLink(folder))
            return true;
    return false;
}
