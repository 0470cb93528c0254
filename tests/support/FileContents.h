// A whole file read back, so that tests compare what the code wrote with the system's copy.
#pragma once

#include <string>

namespace testsupport {

// The file's bytes, or "<missing>" when it cannot be opened; writers may still hold it.
std::string fileContents(const std::string& path);

}  // namespace testsupport
