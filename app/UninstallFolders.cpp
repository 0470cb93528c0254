#include "app/UninstallFolders.h"

#include "foundation/PathText.h"
#include "foundation/RegistryKey.h"

#include <windows.h>

#include <cstdlib>

namespace {

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// Where the blanks before end begin.
int blanksBefore(const String& value, int end)
{
    while (end > 0 && value.at(end - 1) == ' ')
        --end;
    return end;
}

// The value without a trailing icon index: a comma, then a number with an
// optional minus sign, with blanks around either (",0", ", -101"). None of these
// bytes can be the second byte of a double-byte character.
String withoutIconIndex(const String& value)
{
    int end = value.length();
    int digitsEnd = end;
    while (end > 0 && isDigit(value.at(end - 1)))
        --end;
    if (end == digitsEnd)
        return value;
    if (end > 0 && value.at(end - 1) == '-')
        --end;
    end = blanksBefore(value, end);
    if (end > 0 && value.at(end - 1) == ',')
        return value.mid(0, blanksBefore(value, end - 1));
    return value;
}

// The value without the blanks around it.
String trimmed(const String& value)
{
    int start = 0;
    while (value.at(start) == ' ')
        ++start;
    int end = blanksBefore(value, value.length());
    return end > start ? value.mid(start, end - start) : String("");
}

String withoutQuotes(const String& value)
{
    int last = value.length() - 1;
    if (last >= 1 && value.at(0) == '"' && value.at(last) == '"')
        return value.mid(1, last - 1);
    return value;
}

bool isLetter(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

// \\server\share: two names, neither of them the "." or "?" of a device path.
bool isServerShare(const String& folder)
{
    if (folder.at(0) != '\\' || folder.at(1) != '\\')
        return false;
    int serverEnd = findBackslash(folder, 2);
    if (serverEnd <= 2 || folder.at(serverEnd + 1) == '\\' || folder.at(serverEnd + 1) == '\0')
        return false;
    String server = folder.mid(2, serverEnd - 2);
    return server != "." && server != "?";
}

} // namespace

String installFolderFromIcon(const String& displayIcon)
{
    String file = withoutQuotes(withoutIconIndex(trimmed(displayIcon)));
    String folder = file.folderPart() + "\\";
    return isAbsoluteFolder(folder) ? folder : String("");
}

bool isAbsoluteFolder(const String& folder)
{
    // None of these bytes can be the second byte of a double-byte character.
    for (int i = 0; i < folder.length(); ++i)
        for (const char* invalid = "*?\"<>"; *invalid; ++invalid)
            if (folder.at(i) == *invalid)
                return false;
    bool drive = isLetter(folder.at(0)) && folder.at(1) == ':' && folder.at(2) == '\\';
    return drive || isServerShare(folder);
}

std::vector<String> driverFolders(const String& windowsFolder, bool underWow64)
{
    std::vector<String> folders{windowsFolder + "System32\\Drivers\\"};
    if (underWow64)
        folders.push_back(windowsFolder + "Sysnative\\Drivers\\");
    return folders;
}

bool runsUnderWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

String windowsFolderPath()
{
    String folder(1024);
    UINT length = GetWindowsDirectoryA(folder.cStr(), 1023);
    if (length == 0 || length >= 1023)
        return String("");
    folder.cStr()[length] = '\0';
    folder.syncLength();
    return folder + "\\";
}

String pluginFolderSetting()
{
    if (const char* fromEnvironment = std::getenv("PLX_PLUGIN_PATH"))
        return fromEnvironment;
    String folder;
    RegistryKey plx(HKEY_LOCAL_MACHINE);
    if (plx.open("Software\\PLX", false))
        plx.readText("SearchPath", folder);
    return folder;
}

ShellFolders readShellFolders(const String& windowsFolder)
{
    ShellFolders folders;
    RegistryKey key(HKEY_LOCAL_MACHINE);
    if (!key.open("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", false))
        return folders;
    folders.programs = key.readString("Programs", windowsFolder + "Start Menu\\Programs");
    folders.desktop = key.readString("Desktop", windowsFolder + "Desktop");
    folders.programs = key.readString("Common Programs", folders.programs);
    folders.desktop = key.readString("Common Desktop", folders.desktop);
    if (!isAbsoluteFolder(folders.programs + "\\"))
        folders.programs = "";
    if (!isAbsoluteFolder(folders.desktop + "\\"))
        folders.desktop = "";
    return folders;
}
