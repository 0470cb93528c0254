#include "app/ProtectedFolders.h"

#include "app/UninstallFolders.h"
#include "foundation/FileSystem.h"
#include "foundation/FindHandle.h"
#include "foundation/PathText.h"
#include "foundation/RegistryKey.h"

#include <windows.h>

namespace {

// Every value of these names a folder of the running account (HKEY_CURRENT_USER)
// or of every account (HKEY_LOCAL_MACHINE). They are read, never asked of the
// shell: asking it makes it rewrite "Shell Folders", which the run reads later.
const char* const shellFolderKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
};

const char programFilesKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char* const programFilesValues[] = {"ProgramFilesDir", "ProgramFilesDir (x86)", "ProgramW6432Dir",
                                          "CommonFilesDir",  "CommonFilesDir (x86)",  "CommonW6432Dir"};

// A 32-bit process is told the 32-bit Program Files in both of its views; the
// native folders are known to it only through the "W6432" names.
const char* const folderVariables[] = {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "CommonProgramFiles",
                                       "CommonProgramFiles(x86)", "CommonProgramW6432", "ProgramData",
                                       "ALLUSERSPROFILE", "PUBLIC", "USERPROFILE", "APPDATA", "LOCALAPPDATA"};

const char profileListKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
const char* const profileListValues[] = {"ProfilesDirectory", "Default", "Public", "ProgramData"};

// Below every profile, besides every folder directly inside it.
const char* const profileFolders[] = {
    "AppData\\Roaming", "AppData\\Local", "AppData\\LocalLow", "AppData\\Roaming\\Microsoft\\Windows\\Start Menu",
    "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"};

const char commonStartMenuPrograms[] = "\\Microsoft\\Windows\\Start Menu\\Programs";

String expanded(const String& text)
{
    DWORD needed = ExpandEnvironmentStringsA(text.cStr(), nullptr, 0);
    String result(static_cast<int>(needed));
    DWORD written = ExpandEnvironmentStringsA(text.cStr(), result.cStr(), static_cast<DWORD>(result.capacity()));
    if (needed == 0 || written == 0 || written > static_cast<DWORD>(result.capacity()))
        return String("");
    result.syncLength();
    return result;
}

// The folder a value names, environment variables expanded; empty for a value
// of any type but a string.
String folderValue(const RegistryKey& key, const String& name)
{
    DWORD type = REG_NONE;
    key.readRaw(name, nullptr, 0, &type);
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return String("");
    String text = key.readString(name, "");
    return type == REG_EXPAND_SZ ? expanded(text) : text;
}

String variable(const char* name)
{
    char buffer[MAX_PATH * 2];
    DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? String(buffer, static_cast<int>(length)) : String("");
}

String systemAnswer(UINT (WINAPI* ask)(LPSTR, UINT))
{
    char buffer[MAX_PATH * 2];
    UINT length = ask(buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? String(buffer, static_cast<int>(length)) : String("");
}

} // namespace

ProtectedFolders::ProtectedFolders()
{
    const String windows = systemAnswer(GetWindowsDirectoryA);
    addSystemRoot(windows);
    // On a terminal server the two may differ.
    addSystemRoot(systemAnswer(GetSystemWindowsDirectoryA));
    // The system folders lie inside the Windows folder, but a name may lead into
    // one without passing through it (a drive letter for System32).
    addSystemRoot(systemAnswer(GetSystemDirectoryA));
    addSystemRoot(systemAnswer(GetSystemWow64DirectoryA));
    if (runsUnderWow64())
        addSystemRoot(windows + "\\Sysnative");
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        for (const char* path : shellFolderKeys) {
            RegistryKey key(root);
            if (key.open(path, false))
                for (const String& name : key.valueNames())
                    add(folderValue(key, name));
        }
    RegistryKey programs(HKEY_LOCAL_MACHINE);
    if (programs.open(programFilesKey, false))
        for (const char* name : programFilesValues)
            add(folderValue(programs, name));
    for (const char* name : folderVariables)
        add(variable(name));
    add(variable("ProgramData") + commonStartMenuPrograms);
    addProfiles();
}

void ProtectedFolders::addProfiles()
{
    addProfile(variable("USERPROFILE"));
    RegistryKey list(HKEY_LOCAL_MACHINE);
    if (!list.open(profileListKey, false))
        return;
    for (const char* name : profileListValues)
        addProfile(folderValue(list, name));
    for (const String& account : list.subKeyNames()) {
        RegistryKey profile(HKEY_LOCAL_MACHINE);
        if (profile.open(String(profileListKey) + "\\" + account, false))
            addProfile(folderValue(profile, "ProfileImagePath"));
    }
}

// The profile, every folder directly inside it and its application data.
void ProtectedFolders::addProfile(const String& profile)
{
    if (!add(profile))
        return;
    String folder = withoutTrailingBackslashes(profile);
    WIN32_FIND_DATAA record;
    FindHandle search((folder + "\\*").cStr(), record);
    for (bool more = search.isOpen(); more; more = search.next(record))
        if ((record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && isPlainName(record.cFileName))
            add(folder + "\\" + record.cFileName);
    for (const char* below : profileFolders)
        add(folder + "\\" + below);
}

// Only an absolute folder: a relative one from a hostile value would name the
// current folder, or a folder below it.
bool ProtectedFolders::add(const String& folder)
{
    if (!isAbsoluteFolder(withoutTrailingBackslashes(folder) + "\\"))
        return false;
    known.addWithParents(folder);
    return true;
}

void ProtectedFolders::addSystemRoot(const String& folder)
{
    FileLookUp root = lookUp(folder);
    if (folder.length() > 0 && root.found) {
        systemRoots.push_back(root.identity);
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
    return liesInsideSystemRoot(folder) || liesInsideSystemRoot(candidate.finalPath);
}

// Along the way the path is spelled, so that a link on the way leads there too.
bool ProtectedFolders::liesInsideSystemRoot(const String& path) const
{
    if (path.length() == 0)
        return false;
    for (const String& parent : foldersAbove(path)) {
        FileLookUp found = lookUp(parent);
        for (const FileIdentity& root : systemRoots)
            if (found.found && found.identity == root)
                return true;
    }
    return false;
}
