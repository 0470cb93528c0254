// A cursor on the registry: starts at a root key, walks down into sub-keys, and
// reads, writes and deletes relative to the key it stands on.
#pragma once

#include "foundation/RegistryHandle.h"
#include "foundation/String.h"

#include <windows.h>

#include <vector>

class RegistryKey {
public:
    // Opens root; when that fails, stands on HKEY_CURRENT_USER instead.
    explicit RegistryKey(HKEY root);
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Moves down to subPath (creating it when asked); on failure stays where it was.
    bool open(String subPath, bool create);
    // Whether subPath can be opened for full access; the key does not move.
    bool exists(String subPath) const;

    // The value's bytes as text up to the first NUL (any type), or defaultValue
    // when the value is missing or cannot be read. Traces each step to the debugger.
    String readString(String name, String defaultValue) const;
    // A string value as Windows writes it: REG_SZ as stored, REG_EXPAND_SZ with its
    // environment variables expanded, each up to its terminating NUL. False, with
    // text untouched, when the value is missing, of any other type, or stored
    // without its terminator.
    bool readText(String name, String& text) const;
    // The value when it is a REG_DWORD, else defaultValue.
    DWORD readDword(String name, DWORD defaultValue) const;
    bool writeString(String name, String value);
    bool writeDword(String name, DWORD value);
    // Bytes delivered into buffer, or 0 on failure; type may be null.
    DWORD readRaw(String name, void* buffer, DWORD size, DWORD* type) const;
    bool writeRaw(String name, const void* data, DWORD size, DWORD type);
    bool hasValue(String name) const;
    // The names of the key's sub-keys, or of its values, in the registry's order;
    // as many as could be read.
    std::vector<String> subKeyNames() const;
    std::vector<String> valueNames() const;

    // Stands on root instead; on failure stays where it was.
    bool reopen(HKEY root);
    bool resetToUserRoot();

    // Deletes subPath with every key below it, deepest first. Returns the status of
    // the final deletion (0 = deleted). A link key, subPath or any key below it, is
    // deleted itself and what it leads to stays. A sub-key that cannot be deleted
    // stays, its siblings still go, and the result is non-zero. An empty sub-path (or
    // one of backslashes only) would name this key itself and is refused with
    // ERROR_INVALID_PARAMETER, deleting nothing.
    LONG deleteTree(String subPath);
    // What deleteTree(subPath) would answer now, changing nothing.
    LONG deleteTreeOutcome(String subPath) const;

private:
    RegistryHandle key_;
};
