#include "tests/support/ProgramResources.h"

namespace programtesting {

std::string resource(HMODULE module, LPCSTR type, int id)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    const char* data = found ? static_cast<const char*>(LockResource(LoadResource(module, found))) : nullptr;
    return data ? std::string(data, SizeofResource(module, found)) : std::string();
}

std::string versionString(std::string block, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (block.empty() || !VerQueryValueA(&block[0], path.c_str(), reinterpret_cast<void**>(&value), &length))
        return "";
    return std::string(value, length > 0 ? length - 1 : 0);
}

}  // namespace programtesting
