#include "foundation/RegistryKey.h"

#include <set>
#include <string>
#include <vector>

namespace {

// Longest key name the registry allows, plus its terminator.
const DWORD nameBufferSize = 16384;
// Bounds the re-reads of a value that keeps growing between size query and read.
const int readAttempts = 4;

BYTE* bytesOf(String& text)
{
    return reinterpret_cast<BYTE*>(text.cStr());
}

// The platform delivered `size` bytes; whatever the block held past them is not
// part of the value, so the text is cut there before its length is derived.
String finishText(String& text, DWORD size)
{
    if (size < static_cast<DWORD>(text.capacity()))
        text.cStr()[size] = '\0';
    text.syncLength();
    return text;
}

bool namesThisKey(const String& subPath)
{
    for (int i = 0; i < subPath.length(); ++i)
        if (subPath.at(i) != '\\')
            return false;
    return true;
}

// The value's bytes and type; false when it is missing, cannot be read or keeps
// growing between the size query and the read.
bool queryValue(HKEY key, const char* name, std::vector<char>& data, DWORD& type)
{
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    for (int attempt = 0; attempt < readAttempts; ++attempt) {
        data.resize(size);
        DWORD room = size;
        LONG status = RegQueryValueExA(key, name, nullptr, &type,
                                       size > 0 ? reinterpret_cast<BYTE*>(data.data()) : nullptr, &room);
        if (status == ERROR_SUCCESS) {
            data.resize(room);
            return true;
        }
        if (status != ERROR_MORE_DATA)
            return false;
        size = room;
    }
    return false;
}

// The text with its environment variables expanded; false when the system cannot.
bool expandVariables(const String& text, String& expanded)
{
    DWORD needed = ExpandEnvironmentStringsA(text.cStr(), nullptr, 0);
    // Bounded: the environment may change between the two calls.
    for (int attempt = 0; attempt < readAttempts && needed > 0; ++attempt) {
        String result(static_cast<int>(needed));
        DWORD written = ExpandEnvironmentStringsA(text.cStr(), result.cStr(), static_cast<DWORD>(result.capacity()));
        if (written > 0 && written <= static_cast<DWORD>(result.capacity())) {
            result.syncLength();
            expanded = result;
            return true;
        }
        needed = written;
    }
    return false;
}

LONG deleteTreeBelow(HKEY parent, const char* subPath, std::vector<char>& name);

// Deletes every sub-key of key. Index 0 is asked each time because the key just
// deleted is gone; a sub-key that fails (or that comes back under a name already
// deleted) is stepped over, so the loop ends after each name is tried once.
// The name buffer is shared by every level: each name is copied out before the
// recursion reuses it.
void deleteSubKeys(HKEY key, std::vector<char>& name)
{
    // Each turn deletes a name or steps over one, so the names there at the start
    // take at most that many turns; another process adding names as fast as they
    // go gets as many again, and then the key is left to fail its own deletion.
    DWORD listed = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &listed, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        listed = 0;
    const unsigned long long turns = 2ull * listed + 1;
    std::set<std::string> deleted;
    DWORD index = 0;
    for (unsigned long long turn = 0; turn < turns; ++turn) {
        DWORD size = nameBufferSize;
        FILETIME written;
        if (RegEnumKeyExA(key, index, name.data(), &size, nullptr, nullptr, nullptr, &written) != ERROR_SUCCESS)
            break;
        std::string child(name.data(), size);
        if (!deleted.insert(child).second || deleteTreeBelow(key, child.c_str(), name) != ERROR_SUCCESS)
            ++index;
    }
}

// GetProcAddress returns one generic function type; going through the
// parameterless one is the conversion the language leaves unwarned.
template <typename Call>
Call systemProcedure(const char* name)
{
    return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

// Deletes the key the handle stands on. RegDeleteKeyA would open the name once
// more, following a link key to its target and deleting that instead.
LONG deleteOpenedKey(HKEY key)
{
    using DeleteKeyCall = LONG(WINAPI*)(HANDLE);
    using StatusToErrorCall = ULONG(WINAPI*)(LONG);
    static const DeleteKeyCall deleteKey = systemProcedure<DeleteKeyCall>("NtDeleteKey");
    static const StatusToErrorCall errorOf = systemProcedure<StatusToErrorCall>("RtlNtStatusToDosError");
    if (deleteKey == nullptr || errorOf == nullptr)
        return ERROR_CALL_NOT_IMPLEMENTED;
    LONG status = deleteKey(key);
    return status == 0 ? ERROR_SUCCESS : static_cast<LONG>(errorOf(status));
}

// Every key is opened as itself, never through it: a link key has no sub-keys of
// its own and goes alone, and nothing below its target is touched.
LONG deleteTreeBelow(HKEY parent, const char* subPath, std::vector<char>& name)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(parent, subPath, REG_OPTION_OPEN_LINK, KEY_ALL_ACCESS, &opened) == ERROR_SUCCESS) {
        RegistryHandle child(opened);
        deleteSubKeys(child.get(), name);
        return deleteOpenedKey(child.get());
    }
    // A key that may not be emptied may still be deleted when it is empty.
    opened = nullptr;
    LONG status = RegOpenKeyExA(parent, subPath, REG_OPTION_OPEN_LINK, DELETE, &opened);
    if (status != ERROR_SUCCESS)
        return status;
    RegistryHandle child(opened);
    return deleteOpenedKey(child.get());
}

// The names enumerate gives for index 0, 1, ... until it fails: no more names,
// or one longer than the registry allows, which ends the list rather than being
// passed over unseen.
template <typename Enumerate>
std::vector<String> namesListedBy(Enumerate enumerate)
{
    std::vector<String> names;
    std::vector<char> name(nameBufferSize);
    for (DWORD index = 0;; ++index) {
        DWORD size = nameBufferSize;
        if (enumerate(index, name.data(), &size) != ERROR_SUCCESS)
            return names;
        names.push_back(String(name.data(), static_cast<int>(size)));
    }
}

std::vector<String> subKeysOf(HKEY key)
{
    return namesListedBy([key](DWORD index, char* name, DWORD* size) {
        return RegEnumKeyExA(key, index, name, size, nullptr, nullptr, nullptr, nullptr);
    });
}

// What deleteTreeBelow would answer, changing nothing, key by key as it goes: a
// key it may empty goes when each of its sub-keys goes (a link key has none of
// its own), and the system refuses one that keeps a sub-key with
// ERROR_ACCESS_DENIED; a key it may only delete goes when it has no sub-key,
// which is taken as so when it may not be listed either.
LONG deletionOutcome(HKEY parent, const char* subPath)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(parent, subPath, REG_OPTION_OPEN_LINK, KEY_ALL_ACCESS, &opened) == ERROR_SUCCESS) {
        RegistryHandle child(opened);
        LONG status = ERROR_SUCCESS;
        for (const String& name : subKeysOf(child.get()))
            if (deletionOutcome(child.get(), name.cStr()) != ERROR_SUCCESS)
                status = ERROR_ACCESS_DENIED;
        return status;
    }
    opened = nullptr;
    LONG status = RegOpenKeyExA(parent, subPath, REG_OPTION_OPEN_LINK, DELETE, &opened);
    if (status != ERROR_SUCCESS)
        return status;
    RegistryHandle deletable(opened);
    opened = nullptr;
    if (RegOpenKeyExA(parent, subPath, REG_OPTION_OPEN_LINK, KEY_ENUMERATE_SUB_KEYS, &opened) != ERROR_SUCCESS)
        return ERROR_SUCCESS;
    RegistryHandle listed(opened);
    return subKeysOf(listed.get()).empty() ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

} // namespace

RegistryKey::RegistryKey(HKEY root)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, "", 0, 0, &opened) != ERROR_SUCCESS) {
        opened = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_ALL_ACCESS, &opened);
    }
    key_.reset(opened);
}

bool RegistryKey::open(String subPath, bool create)
{
    HKEY opened = nullptr;
    LONG status = RegOpenKeyExA(key_.get(), subPath.cStr(), 0, KEY_ALL_ACCESS, &opened);
    if (status != ERROR_SUCCESS && create)
        status = RegCreateKeyExA(key_.get(), subPath.cStr(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &opened, nullptr);
    if (status != ERROR_SUCCESS)
        return false;
    key_.reset(opened);
    return true;
}

bool RegistryKey::exists(String subPath) const
{
    HKEY probe = nullptr;
    if (RegOpenKeyExA(key_.get(), subPath.cStr(), 0, KEY_ALL_ACCESS, &probe) != ERROR_SUCCESS)
        return false;
    RegistryHandle closer(probe);
    return true;
}

String RegistryKey::readString(String name, String defaultValue) const
{
    String text(16);
    DWORD size = static_cast<DWORD>(text.capacity());
    DWORD type = 0;
    LONG status = RegQueryValueExA(key_.get(), name.cStr(), nullptr, &type, bytesOf(text), &size);
    // A value that fills the whole block without a NUL of its own would lose its
    // last byte to the forced terminator; it is read again with room to spare.
    bool filledWithoutTerminator = status == ERROR_SUCCESS && size == static_cast<DWORD>(text.capacity()) &&
                                   text.cStr()[size - 1] != '\0';
    if (status == ERROR_SUCCESS && !filledWithoutTerminator) {
        OutputDebugStringA("OK IHNED\n");
        return finishText(text, size);
    }
    if (status != ERROR_MORE_DATA && !filledWithoutTerminator)
        return defaultValue;
    // The value may grow between the size the platform reports and the next read.
    for (int attempt = 0; attempt < readAttempts; ++attempt) {
        OutputDebugStringA("ERROR MORE DATA\n");
        text = String(static_cast<int>(size));
        DWORD room = size;
        status = RegQueryValueExA(key_.get(), name.cStr(), nullptr, &type, bytesOf(text), &room);
        if (status == ERROR_SUCCESS) {
            OutputDebugStringA("ALE UZ OK\n");
            return finishText(text, room);
        }
        if (status != ERROR_MORE_DATA)
            break;
        size = room;
    }
    return defaultValue;
}

bool RegistryKey::readText(String name, String& text) const
{
    std::vector<char> data;
    DWORD type = REG_NONE;
    if (!queryValue(key_.get(), name.cStr(), data, type) || (type != REG_SZ && type != REG_EXPAND_SZ) ||
        data.empty() || data.back() != '\0')
        return false;
    String value(data.data());
    if (type == REG_SZ) {
        text = value;
        return true;
    }
    return expandVariables(value, text);
}

DWORD RegistryKey::readDword(String name, DWORD defaultValue) const
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    LONG status = RegQueryValueExA(key_.get(), name.cStr(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    return status == ERROR_SUCCESS && type == REG_DWORD ? value : defaultValue;
}

bool RegistryKey::writeString(String name, String value)
{
    return RegSetValueExA(key_.get(), name.cStr(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.cStr()),
                          static_cast<DWORD>(value.length()) + 1) == ERROR_SUCCESS;
}

bool RegistryKey::writeDword(String name, DWORD value)
{
    return RegSetValueExA(key_.get(), name.cStr(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof(value)) == ERROR_SUCCESS;
}

DWORD RegistryKey::readRaw(String name, void* buffer, DWORD size, DWORD* type) const
{
    DWORD delivered = size;
    LONG status = RegQueryValueExA(key_.get(), name.cStr(), nullptr, type, static_cast<BYTE*>(buffer), &delivered);
    return status == ERROR_SUCCESS ? delivered : 0;
}

bool RegistryKey::writeRaw(String name, const void* data, DWORD size, DWORD type)
{
    return RegSetValueExA(key_.get(), name.cStr(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

// Asks for the type only. Success decides: some platforms fill in the type even
// for a value that does not exist.
bool RegistryKey::hasValue(String name) const
{
    DWORD type = REG_NONE;
    return RegQueryValueExA(key_.get(), name.cStr(), nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS;
}

std::vector<String> RegistryKey::subKeyNames() const
{
    return subKeysOf(key_.get());
}

std::vector<String> RegistryKey::valueNames() const
{
    return namesListedBy([this](DWORD index, char* name, DWORD* size) {
        return RegEnumValueA(key_.get(), index, name, size, nullptr, nullptr, nullptr, nullptr);
    });
}

bool RegistryKey::reopen(HKEY root)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, "", 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
        return false;
    key_.reset(opened);
    return true;
}

bool RegistryKey::resetToUserRoot()
{
    key_.reset();
    HKEY opened = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_ALL_ACCESS, &opened);
    key_.reset(opened);
    return true;
}

LONG RegistryKey::deleteTreeOutcome(String subPath) const
{
    if (namesThisKey(subPath))
        return ERROR_INVALID_PARAMETER;
    return deletionOutcome(key_.get(), subPath.cStr());
}

LONG RegistryKey::deleteTree(String subPath)
{
    if (namesThisKey(subPath))
        return ERROR_INVALID_PARAMETER;
    // On the heap: the stack of a deep recursion is better spent on frames.
    std::vector<char> name(nameBufferSize);
    return deleteTreeBelow(key_.get(), subPath.cStr(), name);
}
