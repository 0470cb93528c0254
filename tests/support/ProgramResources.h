// Reading a built program's resources back, as Windows and Explorer read them.
#pragma once

#include <windows.h>

#include <string>

namespace programtesting {

// The bytes of resource id of that type, empty when there is none.
std::string resource(HMODULE module, LPCSTR type, int id);
// A string of the version block's "040904E4" table, empty when it is missing.
std::string versionString(std::string block, const char* name);

}  // namespace programtesting
