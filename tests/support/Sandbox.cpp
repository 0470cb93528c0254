#include "tests/support/Sandbox.h"

#include "foundation/KernelHandle.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace testsupport {

bool isWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool systemChangesAllowed()
{
    const char* flag = std::getenv("T5_ALLOW_SYSTEM_CHANGES");
    return isWine() || (flag != nullptr && std::strcmp(flag, "1") == 0);
}

bool isWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

bool restartWinePrefix()
{
    if (!isWine())
        return false;
    // The system carries out the scheduled deletions natively; a 32-bit wineboot
    // would see System32 redirected and could hide a wrongly named entry.
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string line = isWow64() ? std::string(windows) + "\\Sysnative\\wineboot.exe -r" : "wineboot.exe -r";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION restart = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &restart))
        return false;
    const KernelHandle process(restart.hProcess), thread(restart.hThread);
    DWORD exitCode = 1;
    WaitForSingleObject(process.get(), 60000);
    GetExitCodeProcess(process.get(), &exitCode);
    return exitCode == 0;
}

}  // namespace testsupport
