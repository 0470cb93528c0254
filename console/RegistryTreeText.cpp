#include "console/RegistryTreeText.h"

#include "console/QuotedText.h"
#include "foundation/RegistryHandle.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Bytes = std::vector<BYTE>;

const char* const typeNames[] = {"REG_NONE",
                                 "REG_SZ",
                                 "REG_EXPAND_SZ",
                                 "REG_BINARY",
                                 "REG_DWORD",
                                 "REG_DWORD_BIG_ENDIAN",
                                 "REG_LINK",
                                 "REG_MULTI_SZ",
                                 "REG_RESOURCE_LIST",
                                 "REG_FULL_RESOURCE_DESCRIPTOR",
                                 "REG_RESOURCE_REQUIREMENTS_LIST",
                                 "REG_QWORD"};
const DWORD namedTypes = sizeof typeNames / sizeof typeNames[0];
// Deeper than the registry lets keys nest.
const int deepest = 512;

std::wstring widened(const std::string& text, UINT codePage)
{
    int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &result[0], length);
    return result;
}

std::string narrowed(const std::wstring& text)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                     nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &result[0], length, nullptr, nullptr);
    return result;
}

std::string escaped(const std::wstring& text)
{
    std::string quoted = quotedText(narrowed(text));
    return quoted.substr(1, quoted.size() - 2);
}

std::string quoted(const std::wstring& name)
{
    return quotedText(narrowed(name));
}

bool readQuoted(const std::string& line, size_t& at, std::wstring& name)
{
    std::string bytes;
    if (!readQuotedText(line, at, bytes))
        return false;
    name = widened(bytes, CP_UTF8);
    return true;
}

std::string typeText(DWORD type)
{
    return type < namedTypes ? typeNames[type] : std::to_string(type);
}

bool readType(const std::string& text, DWORD& type)
{
    for (type = 0; type < namedTypes; ++type)
        if (text == typeNames[type])
            return true;
    char* end = nullptr;
    type = static_cast<DWORD>(std::strtoul(text.c_str(), &end, 10));
    return !text.empty() && *end == '\0';
}

// The hex bytes up to the end of the line or its ";".
bool readBytes(const std::string& line, size_t at, Bytes& bytes)
{
    for (;;) {
        std::string pair = nextWord(line, at);
        if (pair.empty() || pair[0] == ';')
            return true;
        if (pair.size() != 2 || hexDigit(pair[0]) < 0 || hexDigit(pair[1]) < 0)
            return false;
        bytes.push_back(static_cast<BYTE>(hexDigit(pair[0]) * 16 + hexDigit(pair[1])));
    }
}

std::string valueLine(const std::wstring& name, DWORD type, const Bytes& data)
{
    std::string line = "value " + quoted(name) + " " + typeText(type);
    char pair[4];
    for (BYTE byte : data) {
        std::snprintf(pair, sizeof pair, " %02X", byte);
        line += pair;
    }
    if ((type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) && data.size() >= sizeof(WCHAR)) {
        std::wstring text(reinterpret_cast<const WCHAR*>(data.data()), data.size() / sizeof(WCHAR));
        line += " ; " + escaped(text.substr(0, text.find(L'\0')));
    }
    return line + "\r\n";
}

// Opens name below parent as itself; a link key is refused.
LONG openPlain(HKEY parent, const std::wstring& name, REGSAM access, RegistryHandle& key)
{
    HKEY handle = nullptr;
    LONG status = RegOpenKeyExW(parent, name.c_str(), REG_OPTION_OPEN_LINK, access, &handle);
    if (status != ERROR_SUCCESS)
        return status;
    key.reset(handle);
    DWORD type = REG_NONE;
    if (RegQueryValueExW(handle, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
        type == REG_LINK)
        return ERROR_CANT_ACCESS_FILE;
    return ERROR_SUCCESS;
}

// Every value of key; a value that grows while it is read is asked for again.
LONG saveValues(HKEY key, std::string& text)
{
    int retries = 0;
    for (DWORD index = 0;;) {
        DWORD nameRoom = 0, dataRoom = 0;
        LONG status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &nameRoom,
                                       &dataRoom, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            return status;
        std::wstring name(nameRoom + 1, L'\0');
        Bytes data(dataRoom + 1);
        DWORD nameLength = nameRoom + 1, dataLength = dataRoom + 1, type = REG_NONE;
        status = RegEnumValueW(key, index, &name[0], &nameLength, nullptr, &type, data.data(), &dataLength);
        if (status == ERROR_NO_MORE_ITEMS)
            return ERROR_SUCCESS;
        if (status == ERROR_MORE_DATA && ++retries < 8)
            continue;
        if (status != ERROR_SUCCESS)
            return status;
        name.resize(nameLength);
        data.resize(dataLength);
        text += valueLine(name, type, data);
        ++index;
    }
}

std::vector<std::wstring> subKeys(HKEY key)
{
    std::vector<std::wstring> names;
    WCHAR name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        names.emplace_back(name, length);
    }
}

LONG saveTree(const std::wstring& path, int depth, std::string& text)
{
    RegistryHandle key;
    LONG status = depth > deepest ? ERROR_CANT_ACCESS_FILE : openPlain(HKEY_LOCAL_MACHINE, path, KEY_READ, key);
    if (status != ERROR_SUCCESS)
        return status;
    text += "key " + quoted(path) + "\r\n";
    status = saveValues(key.get(), text);
    for (const std::wstring& name : subKeys(key.get()))
        if (status == ERROR_SUCCESS)
            status = saveTree(path + L"\\" + name, depth + 1, text);
    return status;
}

class TreeWriter {
public:
    TreeWriter(bool force, TreeRestore& result) : force(force), result(result) {}

    void line(const std::string& text)
    {
        size_t at = 0;
        std::string kind = nextWord(text, at);
        if (kind == "key")
            return enterKey(text, at);
        if (kind != "value")
            return;
        std::wstring name;
        DWORD type = REG_NONE;
        Bytes data;
        if (!readQuoted(text, at, name) || !readType(nextWord(text, at), type) || !readBytes(text, at, data))
            return fail(ERROR_INVALID_DATA);
        if (key.isOpen())
            putValue(name, type, data);
    }

private:
    void enterKey(const std::string& text, size_t at)
    {
        key.reset();
        if (!readQuoted(text, at, path))
            return fail(ERROR_INVALID_DATA);
        LONG status = openPlain(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE | KEY_SET_VALUE, key);
        if (status == ERROR_CANT_ACCESS_FILE) {
            key.reset();
            return fail(status);
        }
        if (status == ERROR_SUCCESS)
            return;
        HKEY made = nullptr;
        DWORD disposition = 0;
        status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &made, &disposition);
        if (status != ERROR_SUCCESS)
            return fail(status);
        key.reset(made);
        if (disposition == REG_CREATED_NEW_KEY)
            ++result.written;
    }

    void putValue(const std::wstring& name, DWORD type, const Bytes& data)
    {
        DWORD storedType = REG_NONE, size = 0;
        bool there = RegQueryValueExW(key.get(), name.c_str(), nullptr, &storedType, nullptr, &size) == ERROR_SUCCESS;
        if (there) {
            Bytes stored(size + 1);
            DWORD got = size + 1;
            RegQueryValueExW(key.get(), name.c_str(), nullptr, &storedType, stored.data(), &got);
            stored.resize(got);
            if (storedType == type && stored == data) {
                ++result.unchanged;
                return;
            }
            if (!force) {
                result.differing.push_back(("HKLM\\" + narrowed(path) + " value \"" + narrowed(name) + "\"").c_str());
                return;
            }
        }
        LONG status = RegSetValueExW(key.get(), name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                                     static_cast<DWORD>(data.size()));
        if (status != ERROR_SUCCESS)
            return fail(status);
        ++result.written;
    }

    void fail(LONG status)
    {
        if (result.error == ERROR_SUCCESS)
            result.error = status;
    }

    bool force;
    TreeRestore& result;
    RegistryHandle key;
    std::wstring path;
};

} // namespace

LONG saveKeyTree(const String& keyPath, String& text)
{
    std::string saved = "; saved from HKLM\\" + std::string(keyPath.cStr()) + "\r\n";
    LONG status = saveTree(widened(keyPath.cStr(), CP_ACP), 0, saved);
    if (status == ERROR_SUCCESS)
        text = String(saved.c_str(), static_cast<int>(saved.size()));
    return status;
}

TreeRestore restoreKeyTree(const String& text, bool force)
{
    TreeRestore result;
    TreeWriter writer(force, result);
    forEachLine(std::string(text.cStr(), static_cast<size_t>(text.length())),
                [&](const std::string& line) { writer.line(line); });
    return result;
}
