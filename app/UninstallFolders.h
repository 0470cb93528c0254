// How an uninstall run works out the folders it deletes in, from the registry
// values and the system's answers it is given.
#pragma once

#include "foundation/String.h"

#include <vector>

// The installation folder named by a "DisplayIcon" value, with its backslash: the
// folder part once the blanks around the value, a trailing icon index (",0",
// ", -101") and one pair of surrounding quotes are taken off. Empty when no
// usable folder can be had.
String installFolderFromIcon(const String& displayIcon);

// Whether folder is an absolute path the run may work in: a drive letter with its
// backslash (C:\...) or a server share (\\server\share...), with no wildcard.
// An empty, relative or drive-relative path never is, so the run never falls
// back on the root of the current drive or the current folder.
bool isAbsoluteFolder(const String& folder);

// The folders, each ending with a backslash, that the driver file is deleted
// from. A 32-bit program under WOW64 sees System32 redirected, its Drivers folder
// included, while 64-bit Windows loads drivers only from the real one: there the
// native folder, reached through the Sysnative alias, is added.
std::vector<String> driverFolders(const String& windowsFolder, bool underWow64);

// Whether this process is a 32-bit one on 64-bit Windows.
bool runsUnderWow64();

// The Windows folder with its backslash, or empty when the system gives none.
String windowsFolderPath();

// The plug-in folder as set: PLX_PLUGIN_PATH when the environment has it, else
// "SearchPath" of the plug-in system's key; empty when neither is set.
String pluginFolderSetting();

// The start menu's programs folder and the desktop folder as "Shell Folders"
// names them, without a backslash: the all-users ("Common") values wherever they
// are set, else the per-user ones, else their places in windowsFolder. Each is
// empty when the key is missing or the folder is no absolute one.
struct ShellFolders {
    String programs;
    String desktop;
};
ShellFolders readShellFolders(const String& windowsFolder);
