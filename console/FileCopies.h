// Copies of single files for a backup: made and checked before the original may
// go, and put back only when the copy still holds what was saved.
#pragma once

#include "foundation/String.h"

#include <windows.h>

#include <cstdint>

// What a saved file was: enough to put it back as it was and to know the copy.
struct FileRecord {
    DWORD attributes = 0;
    FILETIME created{};
    FILETIME accessed{};
    FILETIME written{};
    uint64_t size = 0;
    uint64_t checksum = 0;
};

// Copies source to copy, a name that must not exist yet, and reads the copy back:
// 0 only when the copy is complete, of the source's size and checksum. A source
// that is a link is not copied (what it leads to is not the item). On failure the
// copy is removed again and the system's error (or ERROR_CRC for a copy that
// read back otherwise) is returned.
DWORD copyChecked(const String& source, const String& copy, FileRecord& record);

// The size and checksum of what lies at path now; false when it cannot be read.
bool measureFile(const String& path, uint64_t& size, uint64_t& checksum);

enum class PutBack {
    restored,  // written anew from the copy, with attributes and times
    unchanged, // already holds the saved content: left as it is
    differs,   // holds other content and force was not given: left alone
    failed,    // the copy is damaged or missing, or the file could not be written
};

// Puts the saved file back at target from copy. The copy is checked against the
// record first, so that a damaged one is never written. A target that is there
// with the saved content is not touched; with other content it is overwritten
// only when forced; a link there is never written through. error tells a failure.
PutBack putBack(const String& copy, const String& target, const FileRecord& record, bool force, DWORD& error);

// Whether path, or a folder above it, is a link (any reparse point): what is
// written there with the system's rights could land anywhere.
bool passesThroughLink(const String& path);
