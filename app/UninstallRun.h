// One uninstall of one product: works out the folders the product lives in and
// removes its files, folders and registry keys in a fixed order, telling its
// reporter each message. Nothing of it needs a window.
#pragma once

#include "app/UninstallActions.h"
#include "app/UninstallFolders.h"
#include "foundation/String.h"

#include <memory>
#include <vector>

class ProductRecord;
class ProtectedFolders;
class StringList;
class UninstallReporter;
enum class UninstallStep;
enum class SkipReason;

// What the user chose to keep; each true skips the steps it names.
struct KeepOptions {
    bool data = true;    // memory and data files of the installation folder
    bool shared = true;  // libraries shared with other products
    bool plugins = true; // the plug-in system: its key and its folder
};

class UninstallRun {
public:
    // product may be null (none chosen). actions defaults to the real changes.
    UninstallRun(const ProductRecord* product, KeepOptions keep, UninstallReporter& reporter,
                 UninstallActions* actions = nullptr);
    ~UninstallRun();
    UninstallRun(const UninstallRun&) = delete;
    UninstallRun& operator=(const UninstallRun&) = delete;

    // Works in folder (with its backslash; empty: none known) instead of the
    // installation folder the uninstall entry names, and without needing the entry:
    // for the traces of a product whose entry is gone.
    void useInstallFolder(const String& folder);

    // Also deletes the product's start-menu group and desktop shortcuts in each of
    // these folders (a profile's programs and desktop folders, without a
    // backslash; an empty one is passed over), and each profile's brand folder
    // once it is empty, in the same steps as the common ones.
    void alsoInProfiles(const std::vector<ShellFolders>& folders);

    // Runs every step; once per object. False, with nothing changed, when no product
    // was given or its uninstall entry is missing (and no folder given); otherwise the run always reaches
    // its end.
    bool run();

private:
    bool locateInstallation();
    void locatePluginFolder();
    void sweepPluginSettings();
    void deleteProductFiles();
    void deleteDataFiles();
    void deleteDriver();
    // In the common folders (common: each one not known is a step left out) or a
    // profile's (passed over).
    void deleteShortcutsAndGroup(const String& programs, const String& desktop, bool common);
    void removeBrandFolder(const String& programs, bool common);
    void deleteServices();
    void deletePluginSystem();
    void deleteInstallFolder();
    void deleteUninstallEntries();

    // Each name of names in folder, a message for every file still there; the
    // step is skipped when the folder is unknown (empty).
    void deleteNamedFiles(UninstallStep step, const String& folder, const StringList& names);
    void deleteAndReport(const String& path);
    void deleteListedAndReport(UninstallStep step, const String& folder, const String& name);
    void skip(UninstallStep step, SkipReason reason);
    // Whether a pattern or folder deletion may work in folder; reports the refusal.
    // A whole folder (the plug-in or the installation folder) is also refused when
    // it is, or holds, another installed product's installation folder, or, for
    // the plug-in folder, this product's while its data is kept.
    bool mayEmpty(const String& folder, UninstallStep step);
    bool holdsProductFolder(const String& folder, bool ownToo) const;

    const ProductRecord* product;
    KeepOptions keep;
    UninstallReporter& reporter;
    UninstallActions defaultActions;
    UninstallActions& actions;
    std::unique_ptr<ProtectedFolders> protectedFolders; // asked for on first use

    // Each ends with a backslash, or is empty when it could not be worked out.
    String installFolder;
    bool installFolderGiven = false;
    String windowsFolder;
    String systemFolder;
    String pluginFolder; // without its backslash until the settings sweep is done
    bool pluginFolderUsable = false;
    // As read, without a backslash; empty when unknown.
    String programsFolder;
    String desktopFolder;
    std::vector<ShellFolders> profiles;
};
