#include "app/ProtectedFolders.h"

#include "foundation/FileSystem.h"
#include "toolkit/SystemLibraries.h"

#include <windows.h>

#include <shlobj.h>

namespace {

// The Windows and system folders, Program Files and Common Files (this process's
// view and the 32-bit one), ProgramData, the profile with its Documents, AppData
// and Desktop, and the start menu with its Programs folder, per user and common.
const int wellKnown[] = {
    CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_SYSTEMX86, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86,
    CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROGRAM_FILES_COMMONX86, CSIDL_COMMON_APPDATA, CSIDL_PROFILE,
    CSIDL_PERSONAL, CSIDL_COMMON_DOCUMENTS, CSIDL_APPDATA, CSIDL_LOCAL_APPDATA, CSIDL_DESKTOPDIRECTORY,
    CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_STARTMENU, CSIDL_COMMON_STARTMENU, CSIDL_PROGRAMS,
    CSIDL_COMMON_PROGRAMS,
};

// A 32-bit process is told the 32-bit Program Files for both of its views; the
// native folders are known to it only through these variables.
const char* const nativeFolderVariables[] = {"ProgramW6432", "CommonProgramW6432"};

} // namespace

ProtectedFolders::ProtectedFolders()
{
    char buffer[MAX_PATH];
    for (int folder : wellKnown)
        if (shellFolderPath(folder | CSIDL_FLAG_DONT_VERIFY, SHGFP_TYPE_CURRENT, buffer) == S_OK)
            known.addWithParents(buffer);
    for (const char* variable : nativeFolderVariables) {
        DWORD length = GetEnvironmentVariableA(variable, buffer, sizeof buffer);
        if (length > 0 && length < sizeof buffer)
            known.addWithParents(buffer);
    }
    // On a terminal server the two may differ.
    UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    addWindowsFolder(length > 0 && length < sizeof buffer ? String(buffer) : String(""));
    length = GetSystemWindowsDirectoryA(buffer, sizeof buffer);
    addWindowsFolder(length > 0 && length < sizeof buffer ? String(buffer) : String(""));
}

void ProtectedFolders::addWindowsFolder(const String& folder)
{
    FileLookUp windows = lookUp(folder);
    if (folder.length() > 0 && windows.found) {
        windowsFolders.push_back(windows.identity);
        known.addWithParents(folder);
    }
}

bool ProtectedFolders::refuses(const String& folder) const
{
    if (namesDriveRoot(folder))
        return true;
    FileLookUp candidate = lookUp(folder);
    if (!candidate.found)
        return !meansNothingThere(candidate.error);
    if (known.contains(candidate.identity))
        return true;
    return liesInsideWindows(folder) || liesInsideWindows(candidate.finalPath);
}

// Along the way the path is spelled, so that a link on the way leads there too.
bool ProtectedFolders::liesInsideWindows(const String& path) const
{
    if (path.length() == 0)
        return false;
    for (const String& parent : foldersAbove(path)) {
        FileLookUp found = lookUp(parent);
        for (const FileIdentity& windows : windowsFolders)
            if (found.found && found.identity == windows)
                return true;
    }
    return false;
}
