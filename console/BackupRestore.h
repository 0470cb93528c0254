// Puts back what a backup folder holds, last item first, so that each folder is
// there again before what was in it. Files come back with their content,
// attributes and times, folders with theirs, key trees with every value. What
// is there now with other content is left alone and told, unless forced; what is
// already as saved is not touched, so a second restore changes nothing.
#pragma once

#include "foundation/String.h"

#include <windows.h>

#include <functional>

struct Manifest;

enum class RestoreOutcome {
    restored,  // put back
    unchanged, // already as saved
    differs,   // there with other content; left alone
    failed,    // could not be put back; error says why
};

using RestoreListener = std::function<void(RestoreOutcome, const String& item, DWORD error)>;

// Reads the backup's list; false, with why, for a folder that is a link or lies
// in one, or holds no readable list.
bool readBackup(const String& folder, Manifest& manifest, String& why);

// Restores every item of the manifest read from folder, telling each one (and
// each value that differs) to listener.
void restoreBackup(const String& folder, const Manifest& manifest, bool force, const RestoreListener& listener);
