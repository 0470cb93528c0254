// A machine with Vantorix products installed as their installers leave them, for
// the tests, the benchmark and the demo. Every file, folder and key it makes is
// recorded, so that what is left can be checked and all of it removed again.
// It changes machine-wide state: use it only in a throwaway machine.
#pragma once

#include "app/ProductRecordList.h"

#include <windows.h>

#include <string>
#include <vector>

class ProductRecord;
class String;

// The string's bytes, for the tests' comparisons and messages.
std::string text(const String& value);

enum class ItemKind {
    uninstallEntry, // a product's key under the Uninstall key
    applicationFile,
    dataFile,       // a memory or data file of the installation folder
    systemFile,
    sharedFile,
    pluginFile,
    pluginSettings, // a "_Config.dat" file of the plug-in folder
    settingsFile,   // the ".INI" file in the Windows folder
    driverFile,
    menuGroup,      // the product's group in the brand folder of the start menu
    shortcut,       // on the desktop
    serviceKey,
    pluginKey,      // Software\PLX
    pluginFolder,
    installFolder,
    brandFolder,    // "Vantorix" in the programs folder
    other,          // belongs to no product
};

enum class ItemType { file, folder, key };

struct MachineItem {
    ItemKind kind;
    ItemType type;
    int productId;    // 0 when the item belongs to no one product
    std::string path; // a file or folder, or a key below HKEY_LOCAL_MACHINE
};

// Where the products go. Empty shell folders mean the machine's own values.
struct MachineLayout {
    std::string productsFolder; // each product in productsFolder\<model code>
    std::string pluginFolder;   // written as "SearchPath"; empty: no plug-in system
    std::string programsFolder; // written as "Common Programs"
    std::string desktopFolder;  // written as "Common Desktop"
};

class MachineFixture {
public:
    // Writes the layout's shell folders; their previous values come back when the
    // fixture goes.
    explicit MachineFixture(const MachineLayout& layout);
    // Removes every item and restores the shell folders, unless keep() was called.
    ~MachineFixture();
    MachineFixture(const MachineFixture&) = delete;
    MachineFixture& operator=(const MachineFixture&) = delete;

    // Null for a model code that is not in the catalogue.
    const ProductRecord* product(const std::string& modelCode) const;
    // Installs the product: uninstall entries, files, driver, plug-ins and plug-in
    // system, start-menu group, shortcuts and service keys. The installation
    // folder is folder, or productsFolder\<model code> when folder is empty.
    // Returns the installation folder, or empty for an unknown model.
    std::string install(const std::string& modelCode, std::string folder = std::string());

    // Makes and records one more item; folders on the way are made.
    void addFile(const std::string& path, ItemKind kind = ItemKind::other, int productId = 0);
    void addFolder(const std::string& path, ItemKind kind = ItemKind::other, int productId = 0);
    void addKey(const std::string& path, ItemKind kind = ItemKind::other, int productId = 0);

    const std::vector<MachineItem>& items() const { return made; }
    bool exists(const MachineItem& item) const;
    // The recorded items still on the machine, in the order they were made.
    std::vector<MachineItem> remaining() const;

    // The Windows folder and its System32 folder, each with a backslash.
    const std::string& windowsFolder() const { return windows; }
    const std::string& systemFolder() const { return system; }
    const MachineLayout& layout() const { return where; }
    // The programs and desktop folders products go to.
    const std::string& programsFolder() const { return programs; }
    const std::string& desktopFolder() const { return desktop; }

    // Leaves everything in place when the fixture goes (for a demo machine).
    void keep() { keeping = true; }

private:
    struct SavedValue {
        std::string keyPath;
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };

    bool record(const std::string& path, ItemKind kind, ItemType type, int productId);
    void saveShellFolders();
    void restoreShellFolders();
    void removeAll();

    ProductRecordList records;
    MachineLayout where;
    std::string windows;
    std::string system;
    std::string programs;
    std::string desktop;
    std::vector<MachineItem> made;
    std::vector<SavedValue> savedFolders;
    bool keeping = false;
};
