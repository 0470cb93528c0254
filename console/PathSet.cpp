#include "console/PathSet.h"

#include "foundation/FindHandle.h"
#include "foundation/PathText.h"

#include <windows.h>

std::string PathSet::key(const String& path)
{
    return caseFoldedPath(path);
}

bool PathSet::holdsOnlyMembers(const String& folder) const
{
    WIN32_FIND_DATAA record;
    FindHandle search((folder + "\\*").cStr(), record);
    if (!search.isOpen())
        return false;
    do {
        const char* name = record.cFileName;
        bool dots = name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
        if (!dots && !contains(folder + "\\" + name))
            return false;
    } while (search.next(record));
    return true;
}
