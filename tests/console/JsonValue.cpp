#include "tests/console/JsonValue.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace consoletesting {

namespace {

struct Reader {
    const std::string& text;
    size_t at = 0;

    bool take(const char* word)
    {
        while (at < text.size() && std::strchr(" \t\r\n", text[at]))
            ++at;
        size_t length = std::strlen(word);
        bool taken = text.compare(at, length, word) == 0;
        at += taken ? length : 0;
        return taken;
    }
    // After the opening quote; \uXXXX goes back to the ANSI code page.
    bool string(std::string& out)
    {
        std::wstring wide;
        while (at < text.size() && text[at] != '"') {
            char ch = text[at++];
            const char* escape = ch == '\\' && at < text.size() ? std::strchr("\"\\/bfnrt", text[at++]) : nullptr;
            if (ch == '\\' && text[at - 1] == 'u') {
                wide += static_cast<wchar_t>(std::strtoul(text.substr(at, 4).c_str(), nullptr, 16));
                at += 4;
            } else if (ch == '\\') {
                if (!escape)
                    return false;
                wide += L"\"\\/\b\f\n\r\t"[escape - "\"\\/bfnrt"];
            } else if (ch >= 0x20 && ch < 0x7F) {
                wide += static_cast<wchar_t>(ch);
            } else {
                return false; // the program escapes every other character
            }
        }
        int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
        out.assign(size_t(length), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), &out[0], length, nullptr, nullptr);
        return take("\"");
    }
    // Elements up to close, each read by element; "," between them.
    template <typename Element>
    bool list(const char* close, Element element)
    {
        if (take(close))
            return true;
        do {
            if (!element())
                return false;
        } while (take(","));
        return take(close);
    }
    bool value(JsonValue& out)
    {
        using Type = JsonValue::Type;
        if (take("{")) {
            out.type = Type::object;
            return list("}", [&] {
                out.members.emplace_back();
                return take("\"") && string(out.members.back().first) && take(":") && value(out.members.back().second);
            });
        }
        if (take("[")) {
            out.type = Type::array;
            return list("]", [&] {
                out.elements.emplace_back();
                return value(out.elements.back());
            });
        }
        out.type = take("\"") ? Type::string : take("true") ? Type::boolean : take("false") ? Type::boolean : Type::null;
        out.boolean = out.type == Type::boolean && text[at - 2] == 'u';
        if (out.type == Type::string)
            return string(out.text);
        if (out.type == Type::boolean || take("null"))
            return true;
        char* end = nullptr;
        out.number = std::strtod(text.c_str() + at, &end);
        out.type = Type::number;
        size_t read = size_t(end - (text.c_str() + at));
        at += read;
        return read > 0;
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
    return reader.value(value) && (reader.take(""), reader.at == text.size());
}

} // namespace consoletesting
