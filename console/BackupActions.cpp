#include "console/BackupActions.h"

#include "console/BackupFolder.h"
#include "foundation/FileIdentity.h"

DWORD BackupActions::removeFile(const String& path)
{
    DWORD error = unsavedError(path, backup.saveFile(path));
    return error != 0 ? error : DeletingActions::removeFile(path);
}

DWORD BackupActions::removeFolder(const String& path)
{
    DWORD error = unsavedError(path, backup.saveFolder(path));
    return error != 0 ? error : DeletingActions::removeFolder(path);
}

LONG BackupActions::removeKeyTree(RegistryKey& key, const String& name, const String& item)
{
    // item is "HKLM\" and the key's path.
    DWORD saved = backup.saveKeyTree(item.mid(5, item.length() - 5));
    if (saved != 0 && !meansNothingThere(saved))
        return static_cast<LONG>(saved);
    return DeletingActions::removeKeyTree(key, name, item);
}

bool BackupActions::schedule(const String& path, DWORD& error)
{
    return !unsaved.contains(path) && DeletingActions::schedule(path, error);
}

DWORD BackupActions::unsavedError(const String& path, DWORD saved)
{
    if (saved == 0 || meansNothingThere(saved))
        return 0;
    unsaved.add(path);
    return saved;
}
