// The demo's tool, run inside the demo's own Wine prefix by scripts/demo:
//   DemoMachine install MODEL...        installs the products with the machine fixture
//   DemoMachine show PNG CLOSE [ARG...] starts the uninstaller with the arguments, saves a
//                                       screenshot of its window as PNG, closes it when CLOSE
//                                       is 1, and ends with its exit code
//   DemoMachine report                  tells which of the installed items are gone
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "testbed/MachineFixture.h"
#include "tools/Screenshot.h"
#include "tests/support/RunningProgram.h"

using namespace programtesting;

namespace {

const char itemList[] = "C:\\vantorix-demo-items.txt";
const char* const kindNames[] = {"uninstall entry", "application file", "data file", "system file", "shared file",
    "plug-in file", "plug-in settings", "settings file", "driver file", "start-menu group", "desktop shortcut",
    "service key", "plug-in system key", "plug-in folder", "installation folder", "brand folder", "other"};

// Where the products' installers put them: this process's Program Files, which
// for the 32-bit tool on 64-bit Windows is "Program Files (x86)", as for them.
// Empty start-menu and desktop folders: the machine's own.
MachineLayout demoLayout()
{
    char programs[MAX_PATH] = "C:\\Program Files";
    const DWORD length = GetEnvironmentVariableA("ProgramFiles", programs, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        std::strcpy(programs, "C:\\Program Files");
    return MachineLayout{std::string(programs) + "\\Vantorix", std::string(programs) + "\\PLX", "", ""};
}

int install(int count, char** models)
{
    MachineFixture machine(demoLayout());
    machine.keep();
    for (int i = 0; i < count; ++i) {
        if (machine.install(models[i]).empty()) {
            std::fprintf(stderr, "unknown model code: %s\n", models[i]);
            return 1;
        }
    }
    std::ofstream list(itemList);
    for (const MachineItem& item : machine.items())
        list << static_cast<int>(item.kind) << '\t' << static_cast<int>(item.type) << '\t' << item.productId << '\t'
             << item.path << '\n';
    return list ? 0 : 1;
}

int report()
{
    MachineFixture machine(MachineLayout{});
    machine.keep();
    std::ifstream list(itemList);
    int kind = 0, type = 0, product = 0;
    std::string path;
    while (list >> kind >> type >> product && std::getline(list.ignore(1), path)) {
        const MachineItem item = {static_cast<ItemKind>(kind), static_cast<ItemType>(type), product, path};
        std::printf("%-8s %-19s %s%s\n", machine.exists(item) ? "there" : "REMOVED", kindNames[kind],
                    type == static_cast<int>(ItemType::key) ? "HKLM\\" : "", path.c_str());
    }
    return 0;
}

std::wstring wide(const char* text)
{
    std::wstring result(std::strlen(text), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, &result[0], static_cast<int>(result.size() + 1));
    result.resize(length > 0 ? length - 1 : 0);
    return result;
}

int show(const char* png, bool close, int count, char** arguments)
{
    std::string line;
    for (int i = 0; i < count; ++i)
        line += std::string(i ? " " : "") + "\"" + arguments[i] + "\"";
    RunningProgram program(buildFile("VxUninstall.exe"), line);
    HWND window = program.waitForWindow("myComponent");
    if (window == nullptr) {
        std::printf("The uninstaller ended without showing its window (exit code %lu).\n", program.waitForExit());
        return 1;
    }
    waitFor([&] { return isPainted(window); });
    if (!saveWindowPng(window, wide(png).c_str()))
        std::fprintf(stderr, "the screenshot could not be saved\n");
    if (close)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return static_cast<int>(program.waitForExit(INFINITE));
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "install")
        return install(argc - 2, argv + 2);
    if (command == "report")
        return report();
    if (command == "show" && argc >= 4)
        return show(argv[2], std::strcmp(argv[3], "1") == 0, argc - 4, argv + 4);
    std::fprintf(stderr, "usage: DemoMachine install MODEL... | show PNG CLOSE [ARG...] | report\n");
    return 2;
}
