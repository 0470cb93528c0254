#include "console/BackupManifest.h"

#include "console/QuotedText.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const kindNames[] = {"file", "folder", "key"};

std::string text(const String& value)
{
    return std::string(value.cStr(), static_cast<size_t>(value.length()));
}

String fromText(const std::string& value)
{
    return String(value.c_str(), static_cast<int>(value.size()));
}

std::string hex(uint64_t value, int digits)
{
    char buffer[20];
    std::snprintf(buffer, sizeof buffer, "%0*llX", digits, static_cast<unsigned long long>(value));
    return buffer;
}

std::string timeText(const FILETIME& time)
{
    return hex((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime, 16);
}

bool readHex(const std::string& line, size_t& at, uint64_t& value)
{
    std::string word = nextWord(line, at);
    if (word.empty() || word.size() > 16)
        return false;
    value = 0;
    for (char ch : word) {
        if (hexDigit(ch) < 0)
            return false;
        value = value * 16 + static_cast<uint64_t>(hexDigit(ch));
    }
    return true;
}

bool readTime(const std::string& line, size_t& at, FILETIME& time)
{
    uint64_t value = 0;
    if (!readHex(line, at, value))
        return false;
    time.dwHighDateTime = static_cast<DWORD>(value >> 32);
    time.dwLowDateTime = static_cast<DWORD>(value);
    return true;
}

bool readRecord(const std::string& line, size_t& at, FileRecord& record)
{
    uint64_t attributes = 0;
    bool read = readHex(line, at, attributes) && readHex(line, at, record.size) && readHex(line, at, record.checksum) &&
                readTime(line, at, record.created) && readTime(line, at, record.accessed) &&
                readTime(line, at, record.written);
    record.attributes = static_cast<DWORD>(attributes);
    return read;
}

bool readItem(const std::string& line, ManifestItem& item)
{
    size_t at = 0;
    std::string kind = nextWord(line, at);
    int found = 0;
    while (found < 3 && kind != kindNames[found])
        ++found;
    std::string number = nextWord(line, at);
    std::string path;
    if (found == 3 || number.empty() || number.find_first_not_of("0123456789") != std::string::npos ||
        number.size() > 9 || !readQuotedText(line, at, path))
        return false;
    item.kind = static_cast<ManifestItem::Kind>(found);
    item.number = std::atoi(number.c_str());
    item.path = fromText(path);
    return item.kind == ManifestItem::Kind::key || readRecord(line, at, item.record);
}

// "word rest": the rest, or the quoted text in it.
bool readField(const std::string& line, const char* word, String& field, bool quoted)
{
    std::string start = std::string(word) + " ";
    if (line.compare(0, start.size(), start) != 0)
        return false;
    size_t at = start.size();
    std::string value = line.substr(at);
    if (quoted && !readQuotedText(line, at, value))
        return false;
    field = fromText(value);
    return true;
}

} // namespace

String manifestHeader(const Manifest& manifest)
{
    return fromText("backup of " + quotedText(text(manifest.product)) + " (" + text(manifest.model) +
                    ")\r\noptions " + quotedText(text(manifest.options)) + "\r\ntime " + text(manifest.time) +
                    "\r\nprogram " + text(manifest.version) + "\r\n");
}

String manifestLine(const ManifestItem& item)
{
    std::string line = std::string(kindNames[static_cast<int>(item.kind)]) + " " + std::to_string(item.number) + " " +
                       quotedText(text(item.path));
    const FileRecord& record = item.record;
    if (item.kind != ManifestItem::Kind::key)
        line += " " + hex(record.attributes, 8) + " " + hex(record.size, 1) + " " + hex(record.checksum, 16) + " " +
                timeText(record.created) + " " + timeText(record.accessed) + " " + timeText(record.written);
    return fromText(line + "\r\n");
}

String savedName(const ManifestItem& item)
{
    return String::fromInt(item.number) + (item.kind == ManifestItem::Kind::key ? ".key.txt" : ".copy");
}

bool readManifest(const String& content, Manifest& manifest)
{
    manifest = Manifest();
    int line = 0;
    bool good = true;
    forEachLine(text(content), [&](const std::string& each) {
        ++line;
        if (line == 1) {
            size_t at = 10;
            std::string product;
            good = each.compare(0, at, "backup of ") == 0 && readQuotedText(each, at, product);
            manifest.product = fromText(product);
            size_t open = each.find(" (", at), close = each.rfind(')');
            if (good && open != std::string::npos && close != std::string::npos && close > open)
                manifest.model = fromText(each.substr(open + 2, close - open - 2));
        } else if (line == 2) {
            good = good && readField(each, "options", manifest.options, true);
        } else if (line == 3) {
            good = good && readField(each, "time", manifest.time, false);
        } else if (line == 4) {
            good = good && readField(each, "program", manifest.version, false);
        } else if (good && !each.empty()) {
            ManifestItem item;
            good = readItem(each, item);
            manifest.items.push_back(item);
        }
    });
    return good && line >= 4;
}

String manifestTime()
{
    SYSTEMTIME now;
    GetSystemTime(&now);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02u %02u:%02u:%02u UTC", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    return String(buffer);
}
