// A registry tree as text a person can read and the backup can put back: every
// key, and every value's name, type and bytes exactly as stored. The system's
// own tree restore is not there under Wine, and its files cannot be read.
//
//   ; saved from HKLM\SYSTEM\CurrentControlSet\Services\VXT520
//   key "SYSTEM\CurrentControlSet\Services\VXT520"
//   value "Start" REG_DWORD 04 00 00 00
//   value "ImagePath" REG_EXPAND_SZ 53 00 79 00 ... 00 00 ; System32\drivers\VXT520.SYS
//
// Names are the stored (UTF-16) names in UTF-8, in quotes; "%", the quote and
// every byte outside printable ASCII are written as %HH. The bytes are the value's
// as stored (strings in UTF-16); what follows ";" is only for reading.
#pragma once

#include "foundation/String.h"

#include <windows.h>

#include <vector>

// The tree at keyPath below HKEY_LOCAL_MACHINE as text; 0, or the system's error
// (ERROR_FILE_NOT_FOUND when the key is not there). A link key in the tree fails
// the save with ERROR_CANT_ACCESS_FILE: what it leads to is not the tree's.
LONG saveKeyTree(const String& keyPath, String& text);

struct TreeRestore {
    int written = 0;                // values and keys made anew
    int unchanged = 0;              // values already holding the saved bytes
    std::vector<String> differing;  // values holding other bytes, left alone unless forced
    LONG error = 0;                 // the first failure, 0 when none
};

// Puts the saved tree back below HKEY_LOCAL_MACHINE: keys made where missing,
// values written where missing (or, when forced, where they differ). Values and
// keys that are not in the text are left as they are. A link key on the way is
// never written through.
TreeRestore restoreKeyTree(const String& text, bool force);
