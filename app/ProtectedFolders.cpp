#include "app/ProtectedFolders.h"

#include "foundation/FileSystem.h"
#include "foundation/PathText.h"
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

String upperCase(String text)
{
    text.makeWritable(0);
    CharUpperBuffA(text.cStr(), static_cast<DWORD>(text.length()));
    return text;
}

String longName(const String& path)
{
    char buffer[MAX_PATH * 4];
    DWORD length = GetLongPathNameA(path.cStr(), buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? String(buffer, static_cast<int>(length)) : path;
}

// The absolute long name, upper case, without trailing backslash; empty on failure.
String resolve(const String& path)
{
    String full = fullPathName(path);
    return full.length() == 0 ? full : upperCase(withoutTrailingBackslashes(longName(full)));
}

// Whether outer is inner or one of the folders above it.
bool holds(const String& outer, const String& inner)
{
    if (inner.length() < outer.length() || inner.mid(0, outer.length()) != outer)
        return false;
    return inner.length() == outer.length() ||
           (inner.at(outer.length()) == '\\' && startsCharacter(inner, outer.length()));
}

} // namespace

ProtectedFolders::ProtectedFolders()
{
    char buffer[MAX_PATH];
    for (int folder : wellKnown)
        if (shellFolderPath(folder | CSIDL_FLAG_DONT_VERIFY, SHGFP_TYPE_CURRENT, buffer) == S_OK)
            known.push_back(resolve(buffer));
    for (const char* variable : nativeFolderVariables) {
        DWORD length = GetEnvironmentVariableA(variable, buffer, sizeof buffer);
        if (length > 0 && length < sizeof buffer)
            known.push_back(resolve(buffer));
    }
}

bool ProtectedFolders::refuses(const String& folder) const
{
    String resolved = resolve(folder);
    if (resolved.length() == 0 || refusesResolved(resolved))
        return true;
    // Where the folder really is once links on its way are followed.
    String target = finalPathName(folder);
    return target.length() > 0 && refusesResolved(resolve(target));
}

bool ProtectedFolders::refusesResolved(const String& folder) const
{
    if (namesDriveRoot(folder))
        return true;
    for (const String& entry : known)
        if (entry.length() > 0 && holds(folder, entry))
            return true;
    return false;
}
