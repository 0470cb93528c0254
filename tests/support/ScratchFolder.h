// A unique, empty folder under the temporary folder for one test, removed afterwards.
#pragma once

#include <string>

namespace testsupport {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path without a trailing backslash.
    const std::string& path() const { return path_; }
    // path() + "\\" + relative.
    std::string join(const std::string& relative) const;

    // Test helpers: write a file (folders on the way are made), make a folder.
    bool writeFile(const std::string& relative, const std::string& content = "x") const;
    bool makeFolder(const std::string& relative) const;

private:
    std::string path_;
};

// Removes a folder tree without following links; clears read-only flags first.
// Returns true when nothing is left.
bool removeTree(const std::string& path);

}  // namespace testsupport
