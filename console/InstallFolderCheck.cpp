#include "console/InstallFolderCheck.h"

#include "app/ProductRecord.h"
#include "app/ProtectedFolders.h"
#include "app/UninstallFolders.h"
#include "foundation/FileSystem.h"
#include "foundation/PathText.h"

String acceptedInstallFolder(const ProductRecord& product, const String& given, String& why)
{
    String full = fullPathName(given);
    String folder = withSingleBackslashes(full);
    folder = endsWithBackslash(folder) ? folder : folder + "\\";
    bool holdsOne = false;
    for (int i = 0; i < product.applicationFiles.count() && !holdsOne; ++i) {
        DWORD attributes = GetFileAttributesA((folder + product.applicationFiles.item(i)).cStr());
        holdsOne = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
    if (full.length() == 0 || !isAbsoluteFolder(folder))
        why = given + " is no absolute folder";
    else if (!holdsOne)
        why = given + " holds none of the application files of " + product.displayName;
    else if (ProtectedFolders().refuses(folder))
        why = given + " is a protected folder (a drive root, a folder of the system, or one that holds a "
                      "well-known folder)";
    else
        return folder;
    return String("");
}
