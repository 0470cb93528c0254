// Shared by the uninstall tests: a machine in a scratch folder, a run through the
// message-box reporter on a plain window, and what the run should leave.
#pragma once

#include "app/UninstallReporter.h"
#include "app/UninstallRun.h"
#include "testbed/MachineFixture.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace uninstalltesting {

// Products in scratch\Products, plug-ins in scratch\<pluginsName> (none when it is
// empty), start menu and desktop in scratch\Programs and scratch\Desktop.
struct TestMachine {
    explicit TestMachine(const std::string& pluginsName = "Plugins");
    std::string path(const std::string& relative) const { return scratch.join(relative); }

    testsupport::ScratchFolder scratch;
    MachineFixture fixture;
};

struct RunResult {
    bool completed = false;             // run() went through to its end
    bool closePosted = false;           // WM_CLOSE is waiting for the owner
    std::vector<std::string> messages;  // the captured boxes' texts, in order
    std::vector<std::string> captions;
    std::vector<std::pair<UninstallStep, SkipReason>> skipped;
    bool skippedAs(UninstallStep step, SkipReason reason) const;
};

// Runs the product's uninstall with a plain toolkit window as the boxes' owner;
// in folder, when one is given, instead of the one the uninstall entry names.
RunResult runUninstall(const MachineFixture& machine, const std::string& modelCode, KeepOptions keep,
                       const char* folder = nullptr);
std::vector<std::string> completedOnly();

// Whether exactly the items a run for productId should leave are left: everything
// but that product's items the keep options do not protect, every "_Config.dat"
// file of the plug-in folder, and whatever lies in a
// folder that goes; the brand folder stays while anything in it stays. Items for
// which stays() is true are expected to stay whatever the rules say. On failure,
// names each item that is wrongly there or wrongly gone.
::testing::AssertionResult leftAsExpected(const MachineFixture& machine, int productId, KeepOptions keep,
                                          const std::function<bool(const MachineItem&)>& stays = nullptr);

// An uninstall entry as a 64-bit installer writes it: in the native registry
// view only, which a 32-bit process's own reads never reach. Removed when the
// object goes.
class NativeViewEntry {
public:
    NativeViewEntry(const std::string& displayName, const std::string& displayIcon);
    ~NativeViewEntry();
    NativeViewEntry(const NativeViewEntry&) = delete;
    NativeViewEntry& operator=(const NativeViewEntry&) = delete;

private:
    std::string path;
};

// Whether the key below HKEY_LOCAL_MACHINE exists in the view (KEY_WOW64_32KEY or KEY_WOW64_64KEY).
bool keyInView(const std::string& path, REGSAM view);

// Files (and folders, named with a trailing backslash) made through the wide
// calls, under names the ANSI calls cannot give back; removed again at the end.
struct WideNames {
    explicit WideNames(const std::vector<std::wstring>& paths);
    ~WideNames();
    std::vector<std::wstring> paths;
};

std::wstring widened(const std::string& ascii);

// Whether a file or folder of that name is there.
inline bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The process's current folder for the life of the object.
struct CurrentFolder {
    explicit CurrentFolder(const std::string& path) { GetCurrentDirectoryA(MAX_PATH, saved); SetCurrentDirectoryA(path.c_str()); }
    ~CurrentFolder() { SetCurrentDirectoryA(saved); }
    char saved[MAX_PATH] = {};
};

// Writes a value below HKEY_LOCAL_MACHINE.
void setValue(const std::string& keyPath, const char* name, const std::string& value);
std::string uninstallKey(const std::string& displayName);
// A registry link key at path below HKEY_LOCAL_MACHINE leading to target (a
// \Registry\Machine\... name).
bool makeLinkKey(const std::string& path, const std::wstring& target);

} // namespace uninstalltesting
