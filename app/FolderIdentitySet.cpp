#include "app/FolderIdentitySet.h"

#include "foundation/PathText.h"

void FolderIdentitySet::addWithParents(const String& folder)
{
    FileLookUp found = lookUp(folder);
    if (found.found) {
        add(found.identity);
        addParentsAlong(found.finalPath);
    }
    addParentsAlong(folder);
}

void FolderIdentitySet::addParentsAlong(const String& path)
{
    if (path.length() == 0)
        return;
    for (const String& parent : foldersAbove(path)) {
        // The rest of the way up has been asked along with this one.
        if (!walked.insert(caseFoldedPath(parent)).second)
            return;
        FileLookUp found = lookUp(parent);
        if (found.found)
            add(found.identity);
    }
}
