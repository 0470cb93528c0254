// One entry of the product catalogue: everything the uninstaller removes for one model.
#pragma once

#include "foundation/String.h"
#include "foundation/StringList.h"

class ProductRecord {
public:
    ProductRecord();
    ProductRecord(const ProductRecord&) = delete;
    ProductRecord& operator=(const ProductRecord&) = delete;

    int id = 0;                  // unique, never 0 in the catalogue; 0 means none
    String modelCode;            // item text of the product selector, command-line argument
    String displayName;          // key under the Uninstall key; its presence means installed
    String companionName;        // second uninstall key, deleted when not empty
    StringList systemFiles;      // in the system folder, always deleted
    StringList applicationFiles; // in the installation folder, always deleted
    StringList dataExtensions;   // upper case, no full stop: memory and data files
    StringList pluginFiles;      // in the plug-in folder, always deleted
    StringList sharedFiles;      // in the system folder, kept on request
    String iniFile;              // settings file in the Windows folder
    String driverFile;           // in the system folder's Drivers\ folder
    String serviceName;          // key under SYSTEM\CurrentControlSet\Services
    String extraServiceName;     // second service key, deleted when not empty
    String menuGroup;            // start-menu group inside the "Vantorix" folder
    StringList shortcuts;        // desktop shortcut file names
};
