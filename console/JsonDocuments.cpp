#include "console/JsonDocuments.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const char* kindOf(const String& item)
{
    if (item.find("HKLM\\") == 0)
        return "key";
    return item.length() > 0 && item.at(item.length() - 1) == '\\' ? "folder" : "file";
}

const char* outcomeName(ItemOutcome outcome)
{
    switch (outcome) {
    case ItemOutcome::deleted: return "deleted";
    case ItemOutcome::notPresent: return "notPresent";
    case ItemOutcome::notEmpty: return "keptNotEmpty";
    case ItemOutcome::failed: return "failed";
    case ItemOutcome::scheduled: return "scheduled";
    case ItemOutcome::keptByOption: return "keptByOption";
    case ItemOutcome::refused: return "refused";
    }
    return "";
}

void appendEscaped(std::string& json, wchar_t ch)
{
    switch (ch) {
    case L'"': json += "\\\""; return;
    case L'\\': json += "\\\\"; return;
    case L'\n': json += "\\n"; return;
    case L'\r': json += "\\r"; return;
    case L'\t': json += "\\t"; return;
    default: break;
    }
    if (ch >= 0x20 && ch < 0x7F) {
        json += static_cast<char>(ch);
        return;
    }
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(ch));
    json += escaped;
}

} // namespace

// Through UTF-16: a character of a double-byte code page becomes one escape, and
// one outside the basic plane its two surrogates, as JSON writes them.
String jsonString(const String& text)
{
    std::string json = "\"";
    int length = MultiByteToWideChar(CP_ACP, 0, text.cStr(), text.length(), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.cStr(), text.length(), &wide[0], length);
    for (wchar_t ch : wide)
        appendEscaped(json, ch);
    return String((json + "\"").c_str());
}

String jsonStrings(const std::vector<String>& texts)
{
    std::string json = "[";
    for (size_t i = 0; i < texts.size(); ++i)
        json += (i > 0 ? "," : "") + std::string(jsonString(texts[i]).cStr());
    return String((json + "]").c_str());
}

String jsonItems(const std::vector<JournalItem>& items)
{
    std::string json = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        const JournalItem& item = items[i];
        json += std::string(i > 0 ? ",\r\n" : "\r\n") + "{\"path\":" + jsonString(item.path).cStr() +
                ",\"kind\":\"" + kindOf(item.path) + "\",\"outcome\":\"" + outcomeName(item.outcome) +
                "\",\"error\":" + std::to_string(item.error) + "}";
    }
    return String((json + "]").c_str());
}
