#include "console/LogFile.h"

#include "console/SystemErrors.h"
#include "foundation/FileIdentity.h"
#include "foundation/FileSystem.h"

#include <cstdio>
#include <string>

namespace {

bool isLink(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The folder part of an absolute path; a drive's root keeps its backslash.
String parentFolder(const String& path)
{
    String folder = path.folderPart();
    return folder.length() == 2 && folder.at(1) == ':' ? folder + "\\" : folder;
}

// Without delete sharing, so that the folder cannot be renamed away and another
// (a junction) put in its place while the file is opened in it.
HANDLE openFolder(const String& folder)
{
    return CreateFileA(folder.cStr(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Whether the file lies in the very folder the handle holds, by identity.
bool isInFolder(HANDLE file, HANDLE folder)
{
    FileIdentity held;
    FileLookUp found = lookUp(parentFolder(finalNameOf(file)));
    return identityOf(folder, held) && found.found && found.identity == held;
}

} // namespace

bool LogFile::open(const String& path, String& why)
{
    String full = fullPathName(path);
    if (full.length() == 0) {
        why = errorText(GetLastError()) + " (the path cannot be resolved)";
        return false;
    }
    String folderPath = parentFolder(full);
    HANDLE opened = openFolder(folderPath);
    DWORD error = GetLastError();
    KernelHandle folder(opened);
    if (!folder.isOpen()) {
        why = errorText(error) + " (its folder cannot be opened)";
        return false;
    }
    // Wine tells a folder link only by its path; Windows by both.
    BY_HANDLE_FILE_INFORMATION folderInfo;
    if (GetFileInformationByHandle(folder.get(), &folderInfo) &&
        (isLink(folderInfo.dwFileAttributes) || isLink(GetFileAttributesA(folderPath.cStr())))) {
        why = "its folder is a link";
        return false;
    }
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write lands at the end,
    // even with another run appending to the same file.
    HANDLE handle = CreateFileA(full.cStr(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        why = errorText(GetLastError());
        return false;
    }
    file.reset(handle);
    if (refuses(folder.get(), why)) {
        file.reset();
        return false;
    }
    return true;
}

// Checks the opened file. A device or a pipe the administrator named has no
// links to follow.
bool LogFile::refuses(HANDLE folder, String& why) const
{
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.get(), &info))
        why = errorText(GetLastError());
    else if (isLink(info.dwFileAttributes))
        why = "it is a link";
    else if (info.nNumberOfLinks > 1)
        why = "it has other hard links";
    // The folder cannot be renamed away meanwhile, but it could have been made a
    // link itself: the file must be in the folder that was checked.
    else if (!isInFolder(file.get(), folder))
        why = "its folder is not where its path says";
    else
        return false;
    return true;
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
    std::string line = stamp;
    line.append(text.cStr(), static_cast<size_t>(text.length()));
    line.append("\r\n");
    CriticalSection::Hold hold(lock);
    for (size_t done = 0; done < line.size();) {
        DWORD written = 0;
        BOOL ok = WriteFile(file.get(), line.data() + done, static_cast<DWORD>(line.size() - done), &written, nullptr);
        if (!ok || written == 0) {
            if (failure == 0)
                failure = ok ? ERROR_WRITE_FAULT : GetLastError();
            return;
        }
        done += written;
    }
}
