// What a file or folder is, whatever name reaches it: the serial number of its
// volume and its index there. Drive aliases, shares, short names and links spell
// one folder in many ways; its identity is one.
#pragma once

#include "foundation/String.h"

#include <windows.h>

#include <vector>

struct FileIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
};

bool operator==(const FileIdentity& a, const FileIdentity& b);
bool operator!=(const FileIdentity& a, const FileIdentity& b);
bool operator<(const FileIdentity& a, const FileIdentity& b);

// The identity of what the handle stands on and, when asked, its attributes as
// the handle reports them; false when the system does not tell.
bool identityOf(HANDLE handle, FileIdentity& identity, DWORD* attributes = nullptr);

// The name the system gives what the handle stands on, links followed, without
// the "\\?\" prefix; empty when it gives none.
String finalNameOf(HANDLE handle);

// What a path leads to, links followed.
struct FileLookUp {
    bool found = false;     // it could be opened and asked
    FileIdentity identity;
    String finalPath;       // the name the system gives it in the end; empty when it gives none
    DWORD error = 0;        // when not found, the system's code for why
};

// Opens path only to ask what it is.
FileLookUp lookUp(const String& path);

// Whether the error means that nothing is there, as against something that
// could not be asked.
bool meansNothingThere(DWORD error);

// The folders above path, nearest first, up to its drive or share root: for
// C:\a\b, C:\a and C:\. The path is taken as spelled, made absolute first.
std::vector<String> foldersAbove(const String& path);
