#include "console/QuotedText.h"

#include <cstdio>

std::string quotedText(const std::string& bytes)
{
    std::string result = "\"";
    for (unsigned char ch : bytes) {
        char code[4];
        std::snprintf(code, sizeof code, "%%%02X", ch);
        result += ch < 0x20 || ch >= 0x7F || ch == '%' || ch == '"' ? std::string(code) : std::string(1, char(ch));
    }
    return result + "\"";
}

int hexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return ch >= 'a' && ch <= 'f' ? ch - 'a' + 10 : -1;
}

bool readQuotedText(const std::string& line, size_t& at, std::string& bytes)
{
    while (at < line.size() && line[at] == ' ')
        ++at;
    if (at >= line.size() || line[at] != '"')
        return false;
    bytes.clear();
    for (++at; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] != '%') {
            bytes += line[at];
            continue;
        }
        int high = at + 2 < line.size() ? hexDigit(line[at + 1]) : -1;
        int low = high >= 0 ? hexDigit(line[at + 2]) : -1;
        if (low < 0)
            return false;
        bytes += static_cast<char>(high * 16 + low);
        at += 2;
    }
    if (at >= line.size())
        return false;
    ++at;
    return true;
}

std::string nextWord(const std::string& line, size_t& at)
{
    while (at < line.size() && line[at] == ' ')
        ++at;
    size_t start = at;
    while (at < line.size() && line[at] != ' ')
        ++at;
    return line.substr(start, at - start);
}
