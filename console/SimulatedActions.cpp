#include "console/SimulatedActions.h"

#include "foundation/RegistryHandle.h"
#include "foundation/RegistryKey.h"

namespace {

// Where the system keeps what it deletes at the next start (MoveFileEx).
const char sessionManagerPath[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";

// What opening the item for deletion answers: a file held open without delete
// sharing, or a folder that is some process's current folder, refuses it, as
// DeleteFileA and RemoveDirectoryA then do; the read-only attribute refuses the
// deletion itself.
DWORD deletionRefusal(const String& path, DWORD flags)
{
    HANDLE handle = CreateFileA(path.cStr(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError();
    CloseHandle(handle);
    DWORD attributes = GetFileAttributesA(path.cStr());
    bool readOnly = flags == 0 && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    return readOnly ? ERROR_ACCESS_DENIED : 0;
}

bool sessionManagerWritable()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, sessionManagerPath, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS)
        return false;
    RegistryHandle closer(key);
    return true;
}

} // namespace

SimulatedActions::SimulatedActions(UninstallReporter& reporter, bool scheduleLocked)
    : RemovalActions(reporter, scheduleLocked), mayScheduleAtAll(scheduleLocked && sessionManagerWritable())
{
}

DWORD SimulatedActions::removeFile(const String& path)
{
    if (removed.contains(path))
        return ERROR_FILE_NOT_FOUND;
    DWORD error = deletionRefusal(path, 0);
    if (error == 0) {
        removed.add(path);
        return 0;
    }
    return failedDeletion(path, error) == FileDeletion::notPresent ? ERROR_FILE_NOT_FOUND : error;
}

DWORD SimulatedActions::removeFolder(const String& path)
{
    if (removed.contains(path))
        return ERROR_FILE_NOT_FOUND;
    DWORD attributes = GetFileAttributesA(path.cStr());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError();
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return ERROR_DIRECTORY;
    // Emptied by the run so far, or not: what is scheduled is still there.
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && !removed.holdsOnlyMembers(path))
        return ERROR_DIR_NOT_EMPTY;
    DWORD error = deletionRefusal(path, FILE_FLAG_BACKUP_SEMANTICS);
    if (error == 0)
        removed.add(path);
    return error;
}

LONG SimulatedActions::removeKeyTree(RegistryKey& key, const String& name, const String& item)
{
    if (removed.contains(item))
        return ERROR_FILE_NOT_FOUND;
    LONG status = key.deleteTreeOutcome(name);
    if (status == ERROR_SUCCESS)
        removed.add(item);
    return status;
}

bool SimulatedActions::schedule(const String& path, DWORD& error)
{
    if (scheduledName(path).length() == 0)
        return false;
    if (!mayScheduleAtAll)
        error = ERROR_ACCESS_DENIED;
    return mayScheduleAtAll;
}
