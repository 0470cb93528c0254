#include "foundation/ProcessStart.h"

#include <windows.h>

namespace {

using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);

} // namespace

// Looked up rather than imported: the call is missing from older loaders. KERNEL32
// is always loaded, so asking it by handle loads nothing; going through the
// parameterless function type is the conversion the language leaves unwarned.
void restrictDllSearch()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    FARPROC found = kernel != nullptr ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesCall>(reinterpret_cast<void (*)()>(found));
    if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        SetDllDirectoryA("");
}

void enterSystemFolder()
{
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        SetCurrentDirectoryA(folder);
}
