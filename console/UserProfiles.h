// The profiles of every account on the machine, as ProfileList names them, with
// the folders a removal for all users works in: the start menu's programs folder
// and the desktop of each. A value there is read as anyone could have written it.
#pragma once

#include "foundation/String.h"

#include <vector>

struct UserProfile {
    String account;        // the key under ProfileList (the account's SID)
    String folder;         // the profile folder, without a trailing backslash
    String programsFolder; // AppData\Roaming\Microsoft\Windows\Start Menu\Programs in it;
                           // empty when a link lies on the way
    String desktopFolder;  // Desktop in it; empty when it is a link
};

// Every profile whose "ProfileImagePath" is a string value naming an absolute
// folder that is there, is not a link nor lies in one, is not a drive root and
// is neither the Windows folder nor inside it; each folder once, whatever the
// spelling. The native registry view is read: a 32-bit process would otherwise
// be shown its own.
std::vector<UserProfile> listedProfiles();

// The key the profiles are listed under, below HKEY_LOCAL_MACHINE.
const char* profileListKey();
