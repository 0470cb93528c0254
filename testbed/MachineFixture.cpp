#include "testbed/MachineFixture.h"

#include "app/ProductCatalogue.h"
#include "app/ProductRecord.h"
#include "app/UninstallEntry.h"
#include "foundation/FileSystem.h"
#include "foundation/RegistryKey.h"

namespace {

const char shellFoldersPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// The shell rewrites "Shell Folders" from this key whenever it is asked for a folder.
const char userShellFoldersPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char* const folderValues[] = {"Programs", "Desktop", "Common Programs", "Common Desktop"};
const char servicesPath[] = "SYSTEM\\CurrentControlSet\\Services\\";
const char pluginKeyPath[] = "Software\\PLX";

std::string windowsFolderPath()
{
    char buffer[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return std::string(buffer, length < MAX_PATH ? length : 0) + "\\";
}

std::string folderOf(const std::string& path)
{
    return path.substr(0, path.rfind('\\'));
}

bool writeFile(const std::string& path)
{
    createFolderPath(folderOf(path).c_str());
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(file, path.data(), static_cast<DWORD>(path.size()), &written, nullptr);
    CloseHandle(file);
    return true;
}

bool writeString(const std::string& keyPath, const char* name, const std::string& value)
{
    RegistryKey key(HKEY_LOCAL_MACHINE);
    return key.open(keyPath.c_str(), true) && key.writeString(name, value.c_str());
}

void writeShellFolder(const char* name, const std::string& folder)
{
    writeString(shellFoldersPath, name, folder);
    RegistryKey key(HKEY_LOCAL_MACHINE);
    if (key.open(userShellFoldersPath, true))
        key.writeRaw(name, folder.c_str(), static_cast<DWORD>(folder.size() + 1), REG_EXPAND_SZ);
}

std::string readString(const char* keyPath, const char* name)
{
    RegistryKey key(HKEY_LOCAL_MACHINE);
    return key.open(keyPath, false) ? text(key.readString(name, "")) : std::string();
}

// Names of the list joined to folder.
std::vector<std::string> pathsIn(const std::string& folder, const StringList& names)
{
    std::vector<std::string> paths;
    for (int i = 0; i < names.count(); ++i)
        paths.push_back(folder + text(names.item(i)));
    return paths;
}

} // namespace

std::string text(const String& value)
{
    return std::string(value.cStr(), static_cast<size_t>(value.length()));
}

MachineFixture::MachineFixture(const MachineLayout& layout)
    : where(layout), windows(windowsFolderPath()), system(windows + "System32\\")
{
    buildCatalogue(records);
    saveShellFolders();
    if (!layout.programsFolder.empty())
        writeShellFolder("Common Programs", layout.programsFolder);
    if (!layout.desktopFolder.empty())
        writeShellFolder("Common Desktop", layout.desktopFolder);
    programs = readString(shellFoldersPath, "Common Programs");
    desktop = readString(shellFoldersPath, "Common Desktop");
}

MachineFixture::~MachineFixture()
{
    if (keeping)
        return;
    removeAll();
    restoreShellFolders();
}

const ProductRecord* MachineFixture::product(const std::string& modelCode) const
{
    return findProductByModelCode(records, modelCode.c_str());
}

std::string MachineFixture::install(const std::string& modelCode, std::string folder)
{
    const ProductRecord* p = product(modelCode);
    if (!p)
        return std::string();
    const int id = p->id;
    if (folder.empty())
        folder = where.productsFolder + "\\" + modelCode;
    addFolder(folder, ItemKind::installFolder, id);
    for (const std::string& path : pathsIn(folder + "\\", p->applicationFiles))
        addFile(path, ItemKind::applicationFile, id);
    for (const std::string& path : pathsIn(folder + "\\Data.", p->dataExtensions))
        addFile(path, ItemKind::dataFile, id);
    for (const std::string& path : pathsIn(system, p->systemFiles))
        addFile(path, ItemKind::systemFile, id);
    for (const std::string& path : pathsIn(system, p->sharedFiles))
        addFile(path, ItemKind::sharedFile, id);
    addFile(windows + text(p->iniFile), ItemKind::settingsFile, id);
    addFile(system + "Drivers\\" + text(p->driverFile), ItemKind::driverFile, id);

    const std::string icon = folder + "\\" + text(p->applicationFiles.item(0));
    for (const String& entry : {p->displayName, p->companionName}) {
        if (entry.length() == 0)
            continue;
        const std::string key = std::string(uninstallKeyPath) + "\\" + text(entry);
        addKey(key, ItemKind::uninstallEntry, id);
        writeString(key, "DisplayIcon", icon);
        writeString(key, "DisplayName", text(entry));
    }
    for (const String& service : {p->serviceName, p->extraServiceName}) {
        if (service.length() == 0)
            continue;
        const std::string key = servicesPath + text(service);
        addKey(key, ItemKind::serviceKey, id);
        writeString(key + "\\Parameters", "Device", "\\Device\\" + text(service));
        writeString(key + "\\Enum", "0", "Root\\LEGACY_" + text(service) + "\\0000");
    }

    if (!where.pluginFolder.empty()) {
        addFolder(where.pluginFolder, ItemKind::pluginFolder);
        addKey(pluginKeyPath, ItemKind::pluginKey);
        writeString(pluginKeyPath, "SearchPath", where.pluginFolder);
        for (const std::string& path : pathsIn(where.pluginFolder + "\\", p->pluginFiles))
            addFile(path, ItemKind::pluginFile, id);
        addFile(where.pluginFolder + "\\" + modelCode + "_Config.dat", ItemKind::pluginSettings, id);
    }
    if (!programs.empty()) {
        addFolder(programs + "\\Vantorix", ItemKind::brandFolder);
        const std::string group = programs + "\\Vantorix\\" + text(p->menuGroup);
        addFolder(group, ItemKind::menuGroup, id);
        writeFile(group + "\\" + modelCode + ".lnk");
        writeFile(group + "\\" + modelCode + " Help.lnk");
    }
    if (!desktop.empty())
        for (const std::string& path : pathsIn(desktop + "\\", p->shortcuts))
            addFile(path, ItemKind::shortcut, id);
    return folder;
}

void MachineFixture::addFile(const std::string& path, ItemKind kind, int productId)
{
    writeFile(path);
    record(path, kind, ItemType::file, productId);
}

void MachineFixture::addFolder(const std::string& path, ItemKind kind, int productId)
{
    createFolderPath(path.c_str());
    record(path, kind, ItemType::folder, productId);
}

void MachineFixture::addKey(const std::string& path, ItemKind kind, int productId)
{
    RegistryKey key(HKEY_LOCAL_MACHINE);
    key.open(path.c_str(), true);
    record(path, kind, ItemType::key, productId);
}

// Items shared by several products (a library, the plug-in folder) are recorded
// once, for the first.
bool MachineFixture::record(const std::string& path, ItemKind kind, ItemType type, int productId)
{
    for (const MachineItem& item : made)
        if (item.type == type && lstrcmpiA(item.path.c_str(), path.c_str()) == 0)
            return false;
    made.push_back(MachineItem{kind, type, productId, path});
    return true;
}

bool MachineFixture::exists(const MachineItem& item) const
{
    if (item.type == ItemType::key)
        return RegistryKey(HKEY_LOCAL_MACHINE).exists(item.path.c_str());
    DWORD attributes = GetFileAttributesA(item.path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == (item.type == ItemType::folder);
}

std::vector<MachineItem> MachineFixture::remaining() const
{
    std::vector<MachineItem> left;
    for (const MachineItem& item : made)
        if (exists(item))
            left.push_back(item);
    return left;
}

// Newest first, so that files go before the folders that hold them.
void MachineFixture::removeAll()
{
    for (size_t i = made.size(); i-- > 0;) {
        const MachineItem& item = made[i];
        if (item.type == ItemType::key) {
            RegistryKey(HKEY_LOCAL_MACHINE).deleteTree(item.path.c_str());
        } else if (item.type == ItemType::file) {
            SetFileAttributesA(item.path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(item.path.c_str());
        } else {
            deleteFolderTree(item.path.c_str());
        }
    }
    made.clear();
}

void MachineFixture::saveShellFolders()
{
    for (const char* path : {shellFoldersPath, userShellFoldersPath}) {
        RegistryKey key(HKEY_LOCAL_MACHINE);
        if (!key.open(path, false))
            continue;
        for (const String& name : key.valueNames()) {
            BYTE data[4096];
            DWORD type = 0;
            const DWORD size = key.readRaw(name, data, sizeof data, &type);
            savedFolders.push_back(SavedValue{path, text(name), type, std::vector<BYTE>(data, data + size)});
        }
    }
}

// Both keys as they were, recreated if a test removed one: the folder values the
// fixture or a test may have written are taken out and every saved value put back.
void MachineFixture::restoreShellFolders()
{
    for (const char* path : {shellFoldersPath, userShellFoldersPath}) {
        RegistryKey key(HKEY_LOCAL_MACHINE);
        key.open(path, true);
        for (const char* name : folderValues)
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, path, name);
    }
    for (const SavedValue& value : savedFolders) {
        RegistryKey key(HKEY_LOCAL_MACHINE);
        if (key.open(value.keyPath.c_str(), false))
            key.writeRaw(value.name.c_str(), value.data.data(), static_cast<DWORD>(value.data.size()), value.type);
    }
}
