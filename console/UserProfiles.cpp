#include "console/UserProfiles.h"

#include "app/UninstallFolders.h"
#include "console/FileCopies.h"
#include "foundation/FileIdentity.h"
#include "foundation/FileSystem.h"
#include "foundation/PathText.h"
#include "foundation/RegistryHandle.h"

#include <windows.h>

#include <set>

namespace {

const char programsBelowProfile[] = "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";

RegistryHandle openList(const String& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.cStr(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        key = nullptr;
    return RegistryHandle(key);
}

// A string value as Windows writes it, expanded when it is REG_EXPAND_SZ; empty
// for any other type, a value without its terminator, or one too long for a path.
String folderValue(HKEY key, const char* name)
{
    char text[MAX_PATH * 2] = {};
    DWORD type = REG_NONE, size = sizeof text - 1;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0 || text[size - 1] != '\0')
        return String("");
    if (type == REG_SZ)
        return String(text);
    char expanded[MAX_PATH * 2];
    DWORD length = ExpandEnvironmentStringsA(text, expanded, sizeof expanded);
    return length > 0 && length <= sizeof expanded ? String(expanded) : String("");
}

std::vector<String> subKeys(HKEY key)
{
    std::vector<String> names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        names.push_back(String(name, static_cast<int>(length)));
    }
}

bool isFolder(const String& path, const FileIdentity& identity)
{
    FileLookUp found = lookUp(path);
    return found.found && found.identity == identity;
}

bool insideWindows(const String& folder, const FileIdentity& windows)
{
    if (isFolder(folder, windows))
        return true;
    for (const String& above : foldersAbove(folder))
        if (isFolder(above, windows))
            return true;
    return false;
}

} // namespace

const char* profileListKey()
{
    return "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
}

std::vector<UserProfile> listedProfiles()
{
    std::vector<UserProfile> profiles;
    RegistryHandle list = openList(profileListKey());
    if (!list.isOpen())
        return profiles;
    FileLookUp windows = lookUp(windowsFolderPath());
    std::set<FileIdentity> seen;
    for (const String& account : subKeys(list.get())) {
        RegistryHandle entry = openList(String(profileListKey()) + "\\" + account);
        String folder = entry.isOpen() ? folderValue(entry.get(), "ProfileImagePath") : String("");
        folder = withSingleBackslashes(folder);
        DWORD attributes = GetFileAttributesA(folder.cStr());
        if (!isAbsoluteFolder(folder + "\\") || namesDriveRoot(folder) || attributes == INVALID_FILE_ATTRIBUTES ||
            (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || passesThroughLink(folder))
            continue;
        FileLookUp found = lookUp(folder);
        if (!found.found || (windows.found && insideWindows(folder, windows.identity)) ||
            !seen.insert(found.identity).second)
            continue;
        UserProfile profile{account, folder, folder + programsBelowProfile, folder + "\\Desktop"};
        if (passesThroughLink(profile.programsFolder))
            profile.programsFolder = "";
        if (passesThroughLink(profile.desktopFolder))
            profile.desktopFolder = "";
        profiles.push_back(profile);
    }
    return profiles;
}
