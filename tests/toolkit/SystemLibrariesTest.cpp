// DLLs beyond the KnownDLLs come from the system folder only, and the common
// controls loaded that way are the version 6 that the programs' manifests ask for.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/toolkit/WindowTesting.h"
#include "toolkit/SystemLibraries.h"

using namespace windowtesting;

namespace {

std::string modulePathOf(HMODULE module)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    return path;
}

std::string systemFolder()
{
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, MAX_PATH);
    return path;
}

}  // namespace

// The probe DLL lies beside this test program, where a planted DLL would.
TEST(SystemLibraries, NothingIsLoadedByNameFromTheProgramsFolder)
{
    const std::string own = modulePath();
    const std::string probe = own.substr(0, own.find_last_of('\\') + 1) + "t5probe.dll";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(probe.c_str()));
    EXPECT_EQ(nullptr, loadSystemLibrary("t5probe.dll"));
    EXPECT_EQ(nullptr, LoadLibraryA("t5probe.dll")) << "the search by name still reaches the program's folder";

    HMODULE blending = loadSystemLibrary("msimg32.dll");
    ASSERT_NE(nullptr, blending);
    const std::string folder = systemFolder() + "\\";
    EXPECT_EQ(0, _strnicmp(folder.c_str(), modulePathOf(blending).c_str(), folder.size())) << modulePathOf(blending);

    // The DLL itself loads when asked by its path: the refusals above came from the search.
    HMODULE direct = LoadLibraryA(probe.c_str());
    EXPECT_NE(nullptr, direct);
    FreeLibrary(direct);
    DeleteFileA((probe + ".loaded").c_str());
}

// Version 6 is a side-by-side assembly: only the manifest's dependency leads the
// loader from the system folder's older copy to it.
TEST(SystemLibraries, CommonControlsFollowTheManifestToVersion6)
{
    HMODULE controls = loadSystemLibrary("comctl32.dll");
    ASSERT_NE(nullptr, controls);
    std::string path = modulePathOf(controls);
    CharLowerA(&path[0]);
    EXPECT_NE(std::string::npos, path.find("\\winsxs\\")) << path;
    EXPECT_NE(std::string::npos, path.find("common-controls")) << path;
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    EXPECT_TRUE(initCommonControls(&classes));
    WNDCLASSA tooltips = {};
    EXPECT_TRUE(GetClassInfoA(nullptr, TOOLTIPS_CLASSA, &tooltips));
}
