// What an uninstall run tells its front-end, as events: each step started or left
// out (and why), each item with what became of it, and the messages meant for
// the user by name. Each front-end words them itself.
#pragma once

#include "foundation/String.h"

#include <windows.h>

// The steps of a run, in the order they run.
enum class UninstallStep {
    settingsSweep,     // "_Config.dat" files of the plug-in folder
    applicationFiles,  // in the installation folder
    systemFiles,
    pluginFiles,
    sharedFiles,
    dataFiles,         // memory and data files of the installation folder
    settingsFile,      // in the Windows folder
    driverFile,
    menuGroup,
    shortcuts,
    services,          // the product's service keys
    pluginKey,         // the plug-in system's registry key
    pluginFolder,      // the plug-in folder with everything in it
    installFolder,     // the installation folder with everything in it
    brandFolder,       // the brand folder of the start menu
    uninstallEntries,  // the product's keys under the Uninstall key
};

enum class SkipReason {
    keptByOption,     // a "Keep" option is set
    folderUnknown,    // the folder it works in could not be worked out
    folderProtected,  // the folder is a drive root, holds a folder of the system
                      // or another product's, or (plug-in folder) kept data
    runIncomplete,    // the front-end keeps the uninstall entries: something stayed
};

// What became of one item the actions were asked to remove.
enum class ItemOutcome {
    deleted,    // gone now (in a dry run: would be deleted)
    notPresent, // was not there
    notEmpty,   // a folder left because it still holds other things
    failed,     // still there; the error says why
    scheduled,  // deleted when the machine next starts
    // Never touched; told by a front-end that lists each item of such a step.
    keptByOption, // its step is left out by a "Keep" option
    refused,      // a protected folder, or a listed name that leads out of its folder
};

// The messages the user is told, in the words each front-end gives them.
enum class RunMessage {
    noProductChosen,   // the run ends, nothing changed
    entryMissing,      // the product's uninstall entry is gone; the run ends
    pluginPathUnknown, // no plug-in folder is set; the run goes on without it
    fileNotDeleted,    // with the file's path
    folderNotDeleted,  // with the folder's path
    completed,         // the run has gone through its last step
};

class UninstallReporter {
public:
    virtual ~UninstallReporter() = default;
    // One message for the user; path is the file or folder of fileNotDeleted and
    // folderNotDeleted, empty for the others. The run goes on when this returns;
    // completed is its last event, and is not told when it ended early.
    virtual void message(RunMessage message, const String& path) = 0;
    // item is a file, a folder (ending with a backslash) or a key ("HKLM\...");
    // error is the system's code for a failure, 0 otherwise. Told by the actions.
    virtual void itemDone(ItemOutcome, const String& /*item*/, DWORD /*error*/) {}
    // A step that the run left out. A refused installation folder is also shown
    // as a message, as a failed deletion would be.
    virtual void stepSkipped(UninstallStep, SkipReason) {}
    // A step about to change the machine; each step is either started or skipped.
    virtual void stepStarted(UninstallStep) {}
    // The folder a step would work in is protected; stepSkipped follows.
    virtual void folderRefused(UninstallStep, const String& /*folder*/) {}
    // Asked when the run reaches the uninstall entries: true keeps them (the step is
    // skipped as runIncomplete), so that a product of which something stayed is
    // still listed and its removal can be run again.
    virtual bool keepsUninstallEntries() { return false; }
    // A name from a folder listing would lead out of the folder (it holds a
    // separator or a colon): the entry is left, not deleted. path is folder and
    // name as they would have been joined.
    virtual void nameRefused(UninstallStep, const String& /*path*/) {}
};
