#include "foundation/FileIdentity.h"

#include "foundation/FileSystem.h"
#include "foundation/KernelHandle.h"
#include "foundation/PathText.h"

namespace {

// Without the "\\?\" (or "\\?\UNC\") the system puts before a final name.
String withoutLongPrefix(const String& name)
{
    if (name.find("\\\\?\\UNC\\") == 0)
        return "\\\\" + name.mid(8, name.length());
    return name.find("\\\\?\\") == 0 ? name.mid(4, name.length()) : name;
}


// The folder above path, which is absolute and not a root; a drive's root keeps its backslash.
String parentOf(const String& path)
{
    int separator = lastBackslash(path);
    if (separator <= 0)
        return String("");
    String parent = path.mid(0, separator);
    return parent.length() == 2 && parent.at(1) == ':' ? parent + "\\" : parent;
}

} // namespace

String finalNameOf(HANDLE handle)
{
    char buffer[MAX_PATH * 4];
    DWORD length = GetFinalPathNameByHandleA(handle, buffer, sizeof buffer, VOLUME_NAME_DOS);
    if (length == 0 || length >= sizeof buffer)
        return String("");
    return withoutLongPrefix(String(buffer, static_cast<int>(length)));
}

bool operator==(const FileIdentity& a, const FileIdentity& b)
{
    return a.volume == b.volume && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow;
}

bool operator!=(const FileIdentity& a, const FileIdentity& b)
{
    return !(a == b);
}

bool operator<(const FileIdentity& a, const FileIdentity& b)
{
    if (a.volume != b.volume)
        return a.volume < b.volume;
    if (a.indexHigh != b.indexHigh)
        return a.indexHigh < b.indexHigh;
    return a.indexLow < b.indexLow;
}

bool identityOf(HANDLE handle, FileIdentity& identity, DWORD* attributes)
{
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(handle, &information))
        return false;
    identity.volume = information.dwVolumeSerialNumber;
    identity.indexHigh = information.nFileIndexHigh;
    identity.indexLow = information.nFileIndexLow;
    if (attributes)
        *attributes = information.dwFileAttributes;
    return true;
}

FileLookUp lookUp(const String& path)
{
    FileLookUp result;
    KernelHandle handle(CreateFileA(path.cStr(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.isOpen()) {
        result.error = GetLastError();
        return result;
    }
    result.found = identityOf(handle.get(), result.identity);
    if (!result.found) {
        result.error = GetLastError();
        return result;
    }
    result.finalPath = finalNameOf(handle.get());
    return result;
}

bool meansNothingThere(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::vector<String> foldersAbove(const String& path)
{
    std::vector<String> folders;
    String folder = withoutTrailingBackslashes(fullPathName(path));
    // Bounded by the length: each step takes at least one character away.
    while (folder.length() > 0 && !namesDriveRoot(folder)) {
        folder = parentOf(folder);
        if (folder.length() > 0)
            folders.push_back(folder);
    }
    return folders;
}
