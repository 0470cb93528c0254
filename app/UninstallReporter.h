// What an uninstall run tells its front-end: every message for the user, the steps
// it left out and why, and that it went through to its end.
#pragma once

#include "foundation/String.h"

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

class UninstallReporter {
public:
    virtual ~UninstallReporter() = default;
    // One message for the user; the run goes on when this returns.
    virtual void showMessage(const String& text) = 0;
    // The run has gone through its last step and shown its last message. Not
    // called when it ended early (no product, no uninstall entry).
    virtual void runCompleted() = 0;
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
