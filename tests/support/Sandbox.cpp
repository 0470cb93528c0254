#include "tests/support/Sandbox.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

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

}  // namespace testsupport
