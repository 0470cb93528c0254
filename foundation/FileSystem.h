// Free functions over backslash-separated ANSI paths: existence tests, sizes,
// folder creation, listing, recursive deletion and the current folder.
#pragma once

#include "foundation/String.h"

#include <windows.h>

#include <cstdint>

class PointerArray;
class StringList;

// True when the first entry matching path is a file; that entry goes to record when given.
bool fileExists(String path, WIN32_FIND_DATAA* record = nullptr);
// The folder bit (non-zero) when the first entry matching path is a folder, else 0.
DWORD folderExists(String path, WIN32_FIND_DATAA* record = nullptr);
// Size in bytes of the first entry matching path; 0 when nothing matches.
uint64_t fileSize(String path);

// Creates every missing folder along path; true when path is a folder afterwards.
bool createFolderPath(String path);

// Appends the names of the folder's entries, skipping every name that begins with
// a full stop: sub-folders to folders, everything else to files. False when the
// folder cannot be searched.
bool listFolder(String path, StringList& folders, StringList& files);
// Like listFolder, but appends one heap copy of each WIN32_FIND_DATAA record;
// the caller owns the copies and frees them with delete.
bool listFolderEntries(String path, PointerArray& entries);

// Deletes the folder and everything below it; true when the folder is gone.
// Anything that cannot be deleted stays, with every folder above it.
// A link (any reparse point) is removed itself and never entered, and an entry
// whose listed name would lead out of its folder (isPlainName) is left, so
// nothing outside the tree is touched. An empty path and a drive or share root are
// refused: false, nothing deleted.
bool deleteFolderTree(String path);

// Takes away one entry of a tree that deleteFolderTree walks: a file, a link or
// a folder whose entries have all been offered. Returns whether it is gone.
class FolderTreeRemover {
public:
    enum class Entry { file, link, folder };
    virtual ~FolderTreeRemover() = default;
    virtual bool remove(const String& path, Entry entry) = 0;
    // Told of each sub-folder once its folder has been listed, just before the
    // walk opens it to go in; does nothing unless overridden.
    virtual void entering(const String& /*folder*/) {}
};

// deleteFolderTree's walk, in its order (each folder's files, then its
// sub-folders' trees, then its links, then the folder itself), with every removal
// left to remover. Returns the remover's answer for the folder (or the link)
// named by path; false, with nothing offered, for an empty path or a root.
bool deleteFolderTree(String path, FolderTreeRemover& remover);

// Where path really is, following links on the way (GetFinalPathNameByHandleA,
// without the "\\?\" prefix); empty when it cannot be opened.
String finalPathName(String path);

// True when path, resolved against the current folder, is nothing or the root of
// a drive or share ("", "\\", "C:", "C:\\", "C:\\dir\\..", "\\\\server\\share\\").
bool namesDriveRoot(String path);

// path made absolute against the current folder, with "." and ".." resolved;
// empty when the system cannot resolve it.
String fullPathName(String path);

// The process's current folder.
String currentFolder();
