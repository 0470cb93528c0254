// A set of paths compared as Windows compares them, without regard to case.
#pragma once

#include "foundation/String.h"

#include <string>
#include <unordered_set>

class PathSet {
public:
    void add(const String& path) { paths.insert(key(path)); }
    bool contains(const String& path) const { return paths.count(key(path)) != 0; }
    // Whether folder exists and every entry in it (any name but "." and "..") is in the set.
    bool holdsOnlyMembers(const String& folder) const;

private:
    static std::string key(const String& path);

    std::unordered_set<std::string> paths;
};
