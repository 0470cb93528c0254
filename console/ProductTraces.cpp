#include "console/ProductTraces.h"

#include "app/ProductRecord.h"
#include "app/UninstallEntry.h"
#include "app/UninstallFolders.h"
#include "console/UserProfiles.h"
#include "foundation/PathText.h"
#include "foundation/RegistryKey.h"
#include "foundation/StringList.h"


namespace {

const char servicesPath[] = "SYSTEM\\CurrentControlSet\\Services\\";

class TraceList {
public:
    void file(const char* kind, const String& path)
    {
        DWORD attributes = GetFileAttributesA(path.cStr());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            found.push_back({kind, withSingleBackslashes(path)});
    }
    void files(const char* kind, const String& folder, const StringList& names)
    {
        for (int i = 0; i < names.count(); ++i)
            file(kind, folder + names.item(i));
    }
    void folder(const char* kind, const String& path)
    {
        DWORD attributes = GetFileAttributesA(path.cStr());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            found.push_back({kind, withSingleBackslashes(path) + "\\"});
    }
    void key(const char* kind, const String& path)
    {
        if (RegistryKey(HKEY_LOCAL_MACHINE).exists(path))
            found.push_back({kind, "HKLM\\" + path});
    }

    std::vector<ProductTrace> found;
};

String usableFolder(const String& folder)
{
    String trimmed = withoutTrailingBackslashes(folder);
    return isAbsoluteFolder(trimmed + "\\") ? trimmed + "\\" : String("");
}

void shellTraces(const ProductRecord& product, const String& programs, const String& desktop, TraceList& traces)
{
    if (programs.length() > 0)
        traces.folder("start-menu group", programs + "Vantorix\\" + product.menuGroup);
    if (desktop.length() > 0)
        traces.files("desktop shortcut", desktop, product.shortcuts);
}

} // namespace

std::vector<ProductTrace> findTraces(const ProductRecord& product, const String& givenFolder)
{
    TraceList traces;
    String installFolder = usableFolder(givenFolder);
    for (const String& entry : {product.displayName, product.companionName})
        if (entry.length() > 0)
            traces.key("uninstall entry", String(uninstallKeyPath) + "\\" + entry);
    String why;
    if (installFolder.length() == 0)
        readUninstallEntry(product, installFolder, why);
    if (installFolder.length() > 0)
        traces.files("application file", installFolder, product.applicationFiles);
    const String windows = windowsFolderPath();
    if (isAbsoluteFolder(windows)) {
        traces.file("settings file", windows + product.iniFile);
        traces.files("system file", windows + "System32\\", product.systemFiles);
        traces.files("shared file", windows + "System32\\", product.sharedFiles);
        for (const String& drivers : driverFolders(windows, runsUnderWow64()))
            traces.file("driver file", drivers + product.driverFile);
    }
    for (const String& service : {product.serviceName, product.extraServiceName})
        if (service.length() > 0)
            traces.key("service key", servicesPath + service);
    String plugins = usableFolder(pluginFolderSetting());
    if (plugins.length() > 0) {
        traces.files("plug-in file", plugins, product.pluginFiles);
        traces.file("plug-in settings file", plugins + product.modelCode + "_Config.dat");
    }
    const ShellFolders common = readShellFolders(isAbsoluteFolder(windows) ? windows : String(""));
    shellTraces(product, usableFolder(common.programs), usableFolder(common.desktop), traces);
    for (const UserProfile& profile : listedProfiles())
        shellTraces(product, usableFolder(profile.programsFolder), usableFolder(profile.desktopFolder), traces);
    return traces.found;
}
