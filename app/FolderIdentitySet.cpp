#include "app/FolderIdentitySet.h"

#include <windows.h>

namespace {

std::string upperCase(const String& text)
{
    std::string upper(text.cStr(), static_cast<size_t>(text.length()));
    if (!upper.empty())
        CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    return upper;
}

} // namespace

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
        if (!walked.insert(upperCase(parent)).second)
            return;
        FileLookUp found = lookUp(parent);
        if (found.found)
            add(found.identity);
    }
}
