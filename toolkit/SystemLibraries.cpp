#include "toolkit/SystemLibraries.h"

#include <cstring>

namespace {

using InitCommonControlsExCall = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
using TransparentBltCall = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

// GetProcAddress returns one generic function type; going through the
// parameterless one is the conversion the language leaves unwarned.
template <typename Call>
Call procedure(HMODULE module, const char* name)
{
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

HMODULE loadBySystemPath(const char* name)
{
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::strlen(name) >= MAX_PATH)
        return nullptr;
    path[length] = '\\';
    std::strcpy(path + length + 1, name);
    return LoadLibraryA(path);
}

}  // namespace

HMODULE loadSystemLibrary(const char* name)
{
    HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A loader without the search flags refuses them as an invalid parameter;
    // there, the full path keeps the search away from the program's folder.
    if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER)
        module = loadBySystemPath(name);
    return module;
}

BOOL initCommonControls(const INITCOMMONCONTROLSEX* controls)
{
    static const auto call = procedure<InitCommonControlsExCall>(loadSystemLibrary("comctl32.dll"), "InitCommonControlsEx");
    return call != nullptr ? call(controls) : FALSE;
}

BOOL transparentBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, UINT transparentColour)
{
    static const auto call = procedure<TransparentBltCall>(loadSystemLibrary("msimg32.dll"), "TransparentBlt");
    return call != nullptr
        ? call(target, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, transparentColour)
        : FALSE;
}
