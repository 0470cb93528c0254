#include "console/ProgramVersion.h"

#include <windows.h>

#include <cstring>

String programVersion()
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16));
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const BYTE* block = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    DWORD size = found ? SizeofResource(nullptr, found) : 0;
    // The fixed part follows the block's header, marked by its signature.
    for (DWORD at = 0; block && at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
        VS_FIXEDFILEINFO fixed;
        std::memcpy(&fixed, block + at, sizeof fixed);
        if (fixed.dwSignature != 0xFEEF04BD)
            continue;
        return String::fromInt(HIWORD(fixed.dwFileVersionMS)) + "." + String::fromInt(LOWORD(fixed.dwFileVersionMS)) +
               "." + String::fromInt(HIWORD(fixed.dwFileVersionLS)) + "." +
               String::fromInt(LOWORD(fixed.dwFileVersionLS));
    }
    return String("unknown");
}
