#include "console/LogFile.h"

#include <cstdio>

namespace {

const size_t gathered = 64 * 1024;

} // namespace

LogFile::~LogFile()
{
    flush();
}

bool LogFile::open(const String& path)
{
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write lands at the end,
    // even with another run appending to the same file.
    HANDLE handle = CreateFileA(path.cStr(), FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD error = GetLastError();
    file.reset(handle);
    SetLastError(error);
    return isOpen();
}

void LogFile::writeLine(const String& text)
{
    if (!isOpen())
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u ", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    pending.append(stamp);
    pending.append(text.cStr(), static_cast<size_t>(text.length()));
    pending.append("\r\n");
    if (pending.size() >= gathered)
        flush();
}

void LogFile::flush()
{
    if (pending.empty() || !isOpen())
        return;
    DWORD written = 0;
    WriteFile(file.get(), pending.data(), static_cast<DWORD>(pending.size()), &written, nullptr);
    pending.clear();
}
