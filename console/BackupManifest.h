// The list a backup folder holds of what it saved: the removal it was made for
// and every item in the order the removal took them, one line each, so that a
// person can read it and a restore can put the items back.
//
//   backup of "Vantorix T520" (T520)
//   options "--remove-data"
//   time 2026-12-07 09:30:00 UTC
//   program 1.0.0.0
//   file 1 "C:\Program Files\Vantorix\T520\VXT520.exe" 00000020 1234 89AB... <created> <accessed> <written>
//   folder 12 "C:\Program Files\Vantorix\T520" 00000010 0 0 <created> <accessed> <written>
//   key 13 "SYSTEM\CurrentControlSet\Services\VXT520"
//
// A file's copy is the file "<number>.copy" beside the list, a key tree's text
// "<number>.key.txt"; attributes, size, checksum and times are hexadecimal.
#pragma once

#include "console/FileCopies.h"
#include "foundation/String.h"

#include <vector>

struct ManifestItem {
    enum class Kind { file, folder, key };
    Kind kind = Kind::file;
    int number = 0;
    String path;       // a file or folder, or a key below HKEY_LOCAL_MACHINE
    FileRecord record; // files and folders
};

struct Manifest {
    String product;
    String model;
    String options;
    String time;
    String version;
    std::vector<ManifestItem> items;
};

// The list's own name in the backup folder.
const char manifestFileName[] = "manifest.txt";

// The lines before the items.
String manifestHeader(const Manifest& manifest);
String manifestLine(const ManifestItem& item);
// The name of an item's saved content beside the list.
String savedName(const ManifestItem& item);

// Reads a list back; false for text that is not one (a broken line included).
bool readManifest(const String& text, Manifest& manifest);

// The time now, as the list gives it.
String manifestTime();
