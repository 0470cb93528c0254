#include "app/UninstallRun.h"

#include "app/FolderIdentitySet.h"
#include "app/ProductCatalogue.h"
#include "app/ProductRecord.h"
#include "app/ProductRecordList.h"
#include "app/ProtectedFolders.h"
#include "app/UninstallEntry.h"
#include "app/UninstallFolders.h"
#include "app/UninstallReporter.h"
#include "foundation/FileSystem.h"
#include "foundation/PathText.h"
#include "foundation/RegistryKey.h"
#include "foundation/StringList.h"

namespace {

const char servicesPath[] = "SYSTEM\\CurrentControlSet\\Services";

// Compared byte for byte, case-sensitive, at the end of the name; the match must
// begin a character, so that the second byte of a double-byte character before
// "Config.dat" is not taken for the underscore.
bool isSettingsFile(const String& name)
{
    static const String suffix("_Config.dat");
    int start = name.length() - suffix.length();
    return start >= 0 && name.mid(start, suffix.length()) == suffix && startsCharacter(name, start);
}

bool isLink(const String& path)
{
    DWORD attributes = GetFileAttributesA(path.cStr());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

} // namespace

UninstallRun::UninstallRun(const ProductRecord* product, KeepOptions keep, UninstallReporter& reporter,
                           UninstallActions* actions)
    : product(product), keep(keep), reporter(reporter), defaultActions(reporter),
      actions(actions ? *actions : defaultActions)
{
}

UninstallRun::~UninstallRun() = default;

bool UninstallRun::run()
{
    if (!product) {
        reporter.message(RunMessage::noProductChosen, "");
        return false;
    }
    if (!installFolderGiven && !locateInstallation()) {
        reporter.message(RunMessage::entryMissing, "");
        return false;
    }
    windowsFolder = windowsFolderPath();
    if (!isAbsoluteFolder(windowsFolder))
        windowsFolder = "";
    systemFolder = windowsFolder.length() > 0 ? windowsFolder + "System32\\" : String("");
    locatePluginFolder();
    sweepPluginSettings();
    if (pluginFolderUsable)
        pluginFolder += "\\";
    deleteProductFiles();
    deleteDataFiles();
    if (windowsFolder.length() > 0) {
        reporter.stepStarted(UninstallStep::settingsFile);
        deleteAndReport(windowsFolder + product->iniFile);
    } else {
        skip(UninstallStep::settingsFile, SkipReason::folderUnknown);
    }
    deleteDriver();
    const ShellFolders shell = readShellFolders(windowsFolder);
    programsFolder = shell.programs;
    desktopFolder = shell.desktop;
    deleteShortcutsAndGroup(programsFolder, desktopFolder, true);
    for (const ShellFolders& profile : profiles)
        deleteShortcutsAndGroup(profile.programs, profile.desktop, false);
    deleteServices();
    deletePluginSystem();
    deleteInstallFolder();
    removeBrandFolder(programsFolder, true);
    for (const ShellFolders& profile : profiles)
        removeBrandFolder(profile.programs, false);
    deleteUninstallEntries();
    reporter.message(RunMessage::completed, "");
    return true;
}

void UninstallRun::useInstallFolder(const String& folder)
{
    installFolder = folder;
    installFolderGiven = true;
}

bool UninstallRun::locateInstallation()
{
    // Without a folder the steps in it are skipped; why is the companion's to tell.
    String why;
    return readUninstallEntry(*product, installFolder, why);
}

void UninstallRun::locatePluginFolder()
{
    pluginFolder = pluginFolderSetting();
    if (pluginFolder.length() == 0)
        reporter.message(RunMessage::pluginPathUnknown, "");
    pluginFolderUsable = isAbsoluteFolder(pluginFolder);
}

void UninstallRun::sweepPluginSettings()
{
    if (!pluginFolderUsable)
        return skip(UninstallStep::settingsSweep, SkipReason::folderUnknown);
    if (!mayEmpty(pluginFolder, UninstallStep::settingsSweep))
        return;
    reporter.stepStarted(UninstallStep::settingsSweep);
    // Sub-folders and files land in one list, as the platform delivers them.
    StringList entries;
    listFolder(pluginFolder, entries, entries);
    for (int i = 0; i < entries.count(); ++i) {
        String name = entries.item(i);
        if (!isSettingsFile(name))
            continue;
        if (isPlainName(name))
            actions.deleteFile(pluginFolder + "\\" + name);
        else
            reporter.nameRefused(UninstallStep::settingsSweep, pluginFolder + "\\" + name);
    }
}

void UninstallRun::deleteProductFiles()
{
    deleteNamedFiles(UninstallStep::applicationFiles, installFolder, product->applicationFiles);
    deleteNamedFiles(UninstallStep::systemFiles, systemFolder, product->systemFiles);
    deleteNamedFiles(UninstallStep::pluginFiles, pluginFolderUsable ? pluginFolder : String(""),
                     product->pluginFiles);
    if (keep.shared)
        skip(UninstallStep::sharedFiles, SkipReason::keptByOption);
    else
        deleteNamedFiles(UninstallStep::sharedFiles, systemFolder, product->sharedFiles);
}

void UninstallRun::deleteDataFiles()
{
    if (keep.data)
        return skip(UninstallStep::dataFiles, SkipReason::keptByOption);
    if (installFolder.length() == 0)
        return skip(UninstallStep::dataFiles, SkipReason::folderUnknown);
    if (!mayEmpty(installFolder, UninstallStep::dataFiles))
        return;
    reporter.stepStarted(UninstallStep::dataFiles);
    StringList folders;
    StringList files;
    listFolder(installFolder, folders, files);
    const StringList& extensions = product->dataExtensions;
    for (int i = 0; i < files.count(); ++i) {
        String name = files.item(i);
        String extension = name.extension().toUpper();
        // Every entry is compared, even after a match.
        for (int e = 0; e < extensions.count(); ++e)
            if (extension == extensions.item(e))
                deleteListedAndReport(UninstallStep::dataFiles, installFolder, name);
    }
}

void UninstallRun::deleteDriver()
{
    if (windowsFolder.length() == 0)
        return skip(UninstallStep::driverFile, SkipReason::folderUnknown);
    reporter.stepStarted(UninstallStep::driverFile);
    bool gone = true;
    for (const String& folder : driverFolders(windowsFolder, runsUnderWow64()))
        gone = actions.deleteFile(folder + product->driverFile) && gone;
    if (!gone)
        reporter.message(RunMessage::fileNotDeleted, systemFolder + "Drivers\\" + product->driverFile);
}

void UninstallRun::alsoInProfiles(const std::vector<ShellFolders>& folders)
{
    profiles = folders;
}

void UninstallRun::deleteShortcutsAndGroup(const String& programs, const String& desktop, bool common)
{
    // A profile's folders are its user's to change: a link there would lead the
    // run out of the profile.
    if (!common && programs.length() > 0 && (isLink(programs) || isLink(programs + "\\Vantorix"))) {
        reporter.folderRefused(UninstallStep::menuGroup, programs + "\\Vantorix\\");
        skip(UninstallStep::menuGroup, SkipReason::folderProtected);
    } else if (programs.length() > 0) {
        reporter.stepStarted(UninstallStep::menuGroup);
        actions.deleteFolderTree(programs + "\\Vantorix\\" + product->menuGroup);
    } else if (common) {
        skip(UninstallStep::menuGroup, SkipReason::folderUnknown);
    }
    if (desktop.length() == 0)
        return common ? skip(UninstallStep::shortcuts, SkipReason::folderUnknown) : void();
    if (!common && isLink(desktop)) {
        reporter.folderRefused(UninstallStep::shortcuts, desktop + "\\");
        return skip(UninstallStep::shortcuts, SkipReason::folderProtected);
    }
    reporter.stepStarted(UninstallStep::shortcuts);
    for (int i = 0; i < product->shortcuts.count(); ++i)
        actions.deleteFile(desktop + "\\" + product->shortcuts.item(i));
}

void UninstallRun::removeBrandFolder(const String& programs, bool common)
{
    if (!common && programs.length() > 0 && (isLink(programs) || isLink(programs + "\\Vantorix")))
        return;
    if (programs.length() > 0) {
        reporter.stepStarted(UninstallStep::brandFolder);
        actions.removeEmptyFolder(programs + "\\Vantorix");
    } else if (common) {
        skip(UninstallStep::brandFolder, SkipReason::folderUnknown);
    }
}

void UninstallRun::deleteServices()
{
    reporter.stepStarted(UninstallStep::services);
    RegistryKey services(HKEY_LOCAL_MACHINE);
    if (!services.open(servicesPath, false))
        return;
    actions.deleteKeyTree(services, servicesPath, product->serviceName);
    if (product->extraServiceName.length() > 0)
        actions.deleteKeyTree(services, servicesPath, product->extraServiceName);
}

void UninstallRun::deletePluginSystem()
{
    if (keep.plugins) {
        skip(UninstallStep::pluginKey, SkipReason::keptByOption);
        return skip(UninstallStep::pluginFolder, SkipReason::keptByOption);
    }
    reporter.stepStarted(UninstallStep::pluginKey);
    // Standing on the root instead would aim the delete at the wrong key.
    RegistryKey software(HKEY_LOCAL_MACHINE);
    if (software.open("Software", false))
        actions.deleteKeyTree(software, "Software", "PLX");
    if (!pluginFolderUsable)
        return skip(UninstallStep::pluginFolder, SkipReason::folderUnknown);
    if (!mayEmpty(pluginFolder, UninstallStep::pluginFolder))
        return;
    reporter.stepStarted(UninstallStep::pluginFolder);
    actions.deleteFolderTree(pluginFolder.mid(0, pluginFolder.length() - 1));
}

void UninstallRun::deleteInstallFolder()
{
    if (keep.data || keep.shared || keep.plugins)
        return skip(UninstallStep::installFolder, SkipReason::keptByOption);
    if (installFolder.length() == 0)
        return skip(UninstallStep::installFolder, SkipReason::folderUnknown);
    // A refused folder is reported as one that could not be deleted.
    if (!mayEmpty(installFolder, UninstallStep::installFolder))
        return reporter.message(RunMessage::folderNotDeleted, installFolder);
    reporter.stepStarted(UninstallStep::installFolder);
    if (!actions.deleteFolderTree(installFolder.mid(0, installFolder.length() - 1)))
        reporter.message(RunMessage::folderNotDeleted, installFolder);
}

void UninstallRun::deleteUninstallEntries()
{
    if (reporter.keepsUninstallEntries())
        return skip(UninstallStep::uninstallEntries, SkipReason::runIncomplete);
    reporter.stepStarted(UninstallStep::uninstallEntries);
    RegistryKey entries(HKEY_LOCAL_MACHINE);
    if (!entries.open(uninstallKeyPath, false))
        return;
    actions.deleteKeyTree(entries, uninstallKeyPath, product->displayName);
    if (product->companionName.length() > 0)
        actions.deleteKeyTree(entries, uninstallKeyPath, product->companionName);
}

void UninstallRun::deleteNamedFiles(UninstallStep step, const String& folder, const StringList& names)
{
    if (folder.length() == 0)
        return skip(step, SkipReason::folderUnknown);
    reporter.stepStarted(step);
    for (int i = 0; i < names.count(); ++i)
        deleteAndReport(folder + names.item(i));
}

void UninstallRun::deleteAndReport(const String& path)
{
    if (!actions.deleteFile(path))
        reporter.message(RunMessage::fileNotDeleted, path);
}

// A name that would lead out of its folder is never joined to it: the file is
// left, and counts as one that could not be deleted.
void UninstallRun::deleteListedAndReport(UninstallStep step, const String& folder, const String& name)
{
    if (isPlainName(name))
        return deleteAndReport(folder + name);
    reporter.nameRefused(step, folder + name);
    reporter.message(RunMessage::fileNotDeleted, folder + name);
}

void UninstallRun::skip(UninstallStep step, SkipReason reason)
{
    reporter.stepSkipped(step, reason);
}

bool UninstallRun::mayEmpty(const String& folder, UninstallStep step)
{
    if (!protectedFolders)
        protectedFolders.reset(new ProtectedFolders);
    // The plug-in folder keeps the data the user keeps; the installation folder
    // goes only when nothing is kept.
    bool wholeFolder = step == UninstallStep::pluginFolder || step == UninstallStep::installFolder;
    bool keptHere = step == UninstallStep::pluginFolder && keep.data;
    if (!protectedFolders->refuses(folder) && !(wholeFolder && holdsProductFolder(folder, keptHere)))
        return true;
    reporter.folderRefused(step, folder);
    skip(step, SkipReason::folderProtected);
    return false;
}

// Other products are those whose uninstall entry stays: the companion entry goes
// with this product, and so does its folder.
bool UninstallRun::holdsProductFolder(const String& folder, bool ownToo) const
{
    FolderIdentitySet products;
    ProductRecordList catalogue;
    buildCatalogue(catalogue);
    for (int i = 0; i < catalogue.count(); ++i) {
        const ProductRecord& other = *catalogue.item(i);
        if (other.displayName == product->displayName || other.displayName == product->companionName)
            continue;
        // Read as any text, not only as a string value: what might name a folder is spared.
        RegistryKey entry(HKEY_LOCAL_MACHINE);
        if (entry.open(uninstallEntryPath(other), false)) {
            String otherFolder = installFolderFromIcon(entry.readString("DisplayIcon", ""));
            if (otherFolder.length() > 0)
                products.addWithParents(otherFolder);
        }
    }
    if (ownToo && installFolder.length() > 0)
        products.addWithParents(installFolder);
    FileLookUp candidate = lookUp(folder);
    return candidate.found && products.contains(candidate.identity);
}
