#include "console/SimulatedActions.h"

#include "console/ItemReporter.h"
#include "foundation/FileSystem.h"
#include "foundation/RegistryKey.h"

class SimulatedActions::Remover : public FolderTreeRemover {
public:
    explicit Remover(SimulatedActions& owner) : owner(owner) {}

    bool remove(const String& path, Entry entry) override
    {
        // Taken by an earlier step: a real walk would not come across it.
        if (owner.removed.contains(path))
            return true;
        if (entry == Entry::file)
            return owner.deleteFile(path);
        // A folder goes only when nothing but what the run takes is left in it;
        // a name the walk passes over (".name") keeps it.
        DWORD attributes = GetFileAttributesA(path.cStr());
        bool present = attributes != INVALID_FILE_ATTRIBUTES;
        if (present && entry == Entry::folder && !owner.removed.holdsOnlyMembers(path)) {
            owner.reporter.itemDone(ItemOutcome::notEmpty, path + "\\", 0);
            return false;
        }
        owner.remove(path, path + "\\", present);
        return true;
    }

private:
    SimulatedActions& owner;
};

SimulatedActions::SimulatedActions(ItemReporter& reporter) : reporter(reporter) {}

bool SimulatedActions::deleteFile(const String& path)
{
    DWORD attributes = GetFileAttributesA(path.cStr());
    remove(path, path, attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0);
    return true;
}

bool SimulatedActions::deleteFolderTree(const String& path)
{
    Remover remover(*this);
    ::deleteFolderTree(path, remover);
    return true;
}

void SimulatedActions::removeEmptyFolder(const String& path)
{
    bool present = GetFileAttributesA(path.cStr()) != INVALID_FILE_ATTRIBUTES;
    if (present && !removed.holdsOnlyMembers(path))
        reporter.itemDone(ItemOutcome::notEmpty, path + "\\", 0);
    else
        remove(path, path + "\\", present);
}

void SimulatedActions::deleteKeyTree(RegistryKey& key, const String& keyPath, const String& name)
{
    String item = "HKLM\\" + keyPath + "\\" + name;
    remove(item, item, key.exists(name));
}

void SimulatedActions::remove(const String& path, const String& item, bool present)
{
    if (!present || removed.contains(path)) {
        reporter.itemDone(ItemOutcome::notPresent, item, 0);
        return;
    }
    removed.add(path);
    reporter.itemDone(ItemOutcome::deleted, item, 0);
}
