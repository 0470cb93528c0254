// What Windows reads from the shipped programs before running them: icon 101 in
// the sizes Explorer and the taskbar ask for, the version information, the manifest.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/ProgramResources.h"
#include "tests/support/RunningProgram.h"

using programtesting::resource;
using programtesting::versionString;

namespace {

// Width of the icon image the system picks from group 101 for that size.
LONG iconWidth(HMODULE module, int size)
{
    std::string group = resource(module, RT_GROUP_ICON, 101);
    const int id = LookupIconIdFromDirectoryEx(reinterpret_cast<BYTE*>(&group[0]), TRUE, size, size, 0);
    std::string image = resource(module, RT_ICON, id);
    HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(&image[0]), static_cast<DWORD>(image.size()),
                                          TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    ICONINFO info = {};
    BITMAP colour = {};
    if (icon != nullptr && GetIconInfo(icon, &info)) {
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    DestroyIcon(icon);
    return colour.bmWidth;
}

}  // namespace

TEST(ProgramResources, IconVersionAndManifestOfBothPrograms)
{
    const auto load = [](const char* name) {
        return LoadLibraryExA(programtesting::buildFile(name).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    };
    HMODULE program = load("VxUninstall.exe"), console = load("VxUninstallCli.exe");
    ASSERT_TRUE(program != nullptr && console != nullptr);
    for (int size : {16, 32, 48})
        EXPECT_EQ(size, iconWidth(program, size));
    // The companion shows the window's icon.
    const std::string icons = resource(program, RT_GROUP_ICON, 101);
    ASSERT_GT(icons.size(), 6u);
    EXPECT_EQ(icons, resource(console, RT_GROUP_ICON, 101));
    for (int image = 1; image <= icons[4]; ++image)
        EXPECT_EQ(resource(program, RT_ICON, image), resource(console, RT_ICON, image)) << image;

    const std::string version = resource(program, RT_VERSION, VS_VERSION_INFO);
    EXPECT_EQ("Vantorix T5", versionString(version, "ProductName"));
    EXPECT_EQ("Vantorix T5 uninstaller", versionString(version, "FileDescription"));
    EXPECT_EQ("Vantorix", versionString(version, "CompanyName"));
    EXPECT_EQ("VxUninstall.exe", versionString(version, "OriginalFilename"));
    EXPECT_EQ("1.0.0.0", versionString(version, "FileVersion"));
    const std::string ours = resource(console, RT_VERSION, VS_VERSION_INFO);
    EXPECT_EQ("VxUninstallCli.exe", versionString(ours, "OriginalFilename"));
    EXPECT_EQ("VxUninstallCli", versionString(ours, "InternalName"));
    for (const char* same : {"CompanyName", "ProductName", "FileVersion", "ProductVersion"})
        EXPECT_EQ(versionString(version, same), versionString(ours, same)) << same;

    const std::string manifest = resource(program, RT_MANIFEST, 1);
    EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
    EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, manifest.find("<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"));
    EXPECT_EQ(std::string::npos, manifest.find("<dpiAware")) << "a DPI-aware program gets no scaling of its fixed layout";
    EXPECT_NE(std::string::npos, resource(console, RT_MANIFEST, 1).find("level=\"requireAdministrator\""));
    FreeLibrary(console);
    FreeLibrary(program);
}
