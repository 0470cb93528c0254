// What Windows reads from the shipped program before running it: icon 101 in the
// sizes Explorer and the taskbar ask for, the version information, the manifest.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "tests/support/RunningProgram.h"

using namespace programtesting;

namespace {

#pragma pack(push, 2)
struct IconDirectoryEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

class ProgramImage {
public:
    ProgramImage()
        : module_(LoadLibraryExA(buildFile("VxUninstall.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ProgramImage() { FreeLibrary(module_); }
    ProgramImage(const ProgramImage&) = delete;
    ProgramImage& operator=(const ProgramImage&) = delete;

    // The resource's bytes, empty when it is missing.
    std::string resource(LPCSTR type, LPCSTR name) const
    {
        HRSRC found = FindResourceA(module_, name, type);
        const char* data = found ? static_cast<const char*>(LockResource(LoadResource(module_, found))) : nullptr;
        return data ? std::string(data, SizeofResource(module_, found)) : std::string();
    }

private:
    HMODULE module_;
};

SIZE iconSize(const std::string& image)
{
    HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<char*>(image.data())),
        static_cast<DWORD>(image.size()), TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    ICONINFO info = {};
    BITMAP colour = {};
    if (icon != nullptr && GetIconInfo(icon, &info)) {
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    DestroyIcon(icon);
    return {colour.bmWidth, colour.bmHeight};
}

std::string versionString(const std::string& block, const char* name)
{
    std::string copy = block;
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(&copy[0], path.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0)
        return "";
    return std::string(value, length - 1);
}

}  // namespace

TEST(ProgramResources, IconVersionAndManifest)
{
    ProgramImage program;
    const std::string group = program.resource(RT_GROUP_ICON, MAKEINTRESOURCEA(101));
    ASSERT_GE(group.size(), 6u);
    std::set<int> sizes;
    const auto* entries = reinterpret_cast<const IconDirectoryEntry*>(group.data() + 6);
    for (WORD i = 0; i < *reinterpret_cast<const WORD*>(group.data() + 4); ++i) {
        const SIZE size = iconSize(program.resource(RT_ICON, MAKEINTRESOURCEA(entries[i].id)));
        EXPECT_EQ(size.cx, size.cy);
        sizes.insert(size.cx);
    }
    EXPECT_EQ(std::set<int>({16, 32, 48}), sizes);

    const std::string version = program.resource(RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO));
    EXPECT_EQ("Vantorix T5", versionString(version, "ProductName"));
    EXPECT_EQ("Vantorix T5 uninstaller", versionString(version, "FileDescription"));
    EXPECT_EQ("Vantorix", versionString(version, "CompanyName"));
    EXPECT_EQ("VxUninstall.exe", versionString(version, "OriginalFilename"));
    EXPECT_EQ("1.0.0.0", versionString(version, "FileVersion"));

    const std::string manifest = program.resource(RT_MANIFEST, MAKEINTRESOURCEA(1));
    EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
    EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, manifest.find("<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"));
    EXPECT_EQ(std::string::npos, manifest.find("<dpiAware")) << "a DPI-aware program gets no scaling of its fixed layout";
}
