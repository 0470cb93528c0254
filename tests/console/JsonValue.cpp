#include "tests/console/JsonValue.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace consoletesting {

namespace {

struct Reader {
    const std::string& text;
    size_t at = 0;

    void skipBlanks()
    {
        while (at < text.size() && std::strchr(" \t\r\n", text[at]))
            ++at;
    }
    bool take(const char* word)
    {
        size_t length = std::strlen(word);
        if (text.compare(at, length, word) != 0)
            return false;
        at += length;
        return true;
    }
    bool string(std::string& out)
    {
        if (!take("\""))
            return false;
        std::wstring wide;
        while (at < text.size() && text[at] != '"') {
            char ch = text[at++];
            if (ch != '\\') {
                wide += static_cast<wchar_t>(static_cast<unsigned char>(ch));
                continue;
            }
            char escape = at < text.size() ? text[at++] : '\0';
            const char* plain = std::strchr("\"\\/bfnrt", escape);
            if (escape == 'u' && at + 4 <= text.size()) {
                wide += static_cast<wchar_t>(std::strtoul(text.substr(at, 4).c_str(), nullptr, 16));
                at += 4;
            } else if (plain && escape) {
                wide += L"\"\\/\b\f\n\r\t"[plain - "\"\\/bfnrt"];
            } else {
                return false;
            }
        }
        int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
        out.assign(size_t(length), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), &out[0], length, nullptr, nullptr);
        return take("\"");
    }
    template <typename Element>
    bool list(char close, Element element)
    {
        skipBlanks();
        if (take(std::string(1, close).c_str()))
            return true;
        do {
            skipBlanks();
            if (!element())
                return false;
            skipBlanks();
        } while (take(","));
        return take(std::string(1, close).c_str());
    }
    bool value(JsonValue& out)
    {
        skipBlanks();
        if (take("{")) {
            out.type = JsonValue::Type::object;
            return list('}', [&] {
                out.members.emplace_back();
                skipBlanks();
                return string(out.members.back().first) && (skipBlanks(), take(":")) &&
                       value(out.members.back().second);
            });
        }
        if (take("[")) {
            out.type = JsonValue::Type::array;
            return list(']', [&] {
                out.elements.emplace_back();
                return value(out.elements.back());
            });
        }
        if (text.compare(at, 1, "\"") == 0) {
            out.type = JsonValue::Type::string;
            return string(out.text);
        }
        if (take("true") || take("false")) {
            out.type = JsonValue::Type::boolean;
            out.boolean = text[at - 1] == 'e' && text[at - 2] == 'u';
            return true;
        }
        if (take("null"))
            return true;
        char* end = nullptr;
        out.number = std::strtod(text.c_str() + at, &end);
        out.type = JsonValue::Type::number;
        bool read = end != text.c_str() + at;
        at = size_t(end - text.c_str());
        return read;
    }
};

} // namespace

const JsonValue& JsonValue::operator[](const std::string& name) const
{
    static const JsonValue none;
    for (const auto& member : members)
        if (member.first == name)
            return member.second;
    return none;
}

bool parseJson(const std::string& text, JsonValue& value)
{
    Reader reader{text};
    if (!reader.value(value))
        return false;
    reader.skipBlanks();
    return reader.at == text.size();
}

} // namespace consoletesting
