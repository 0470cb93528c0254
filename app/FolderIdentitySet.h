// Folders known by what they are, not by how they are spelled. Each folder comes
// with every folder above it, along the name it was given and along the name the
// system gives it in the end, so that a candidate can be asked whether it is, or
// holds, one of them.
#pragma once

#include "foundation/FileIdentity.h"

#include <set>
#include <string>

class FolderIdentitySet {
public:
    // The folder, when it is there, and each folder above it that is there.
    void addWithParents(const String& folder);
    void add(const FileIdentity& identity) { identities.insert(identity); }
    bool contains(const FileIdentity& identity) const { return identities.count(identity) != 0; }

private:
    void addParentsAlong(const String& path);

    std::set<FileIdentity> identities;
    std::set<std::string> walked; // folders asked already, upper case: their parents were too
};
