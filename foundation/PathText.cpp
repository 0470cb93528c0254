#include "foundation/PathText.h"

#include <windows.h>

namespace {

// Lead bytes of the ANSI code page, read once: the code page of a process never
// changes while it runs. UTF-8 reports no lead-byte ranges, and none of its bytes
// above 0x7F can be a backslash, so it scans as a single-byte code page.
struct LeadByteTable {
    bool any = false;
    bool lead[256] = {};

    LeadByteTable()
    {
        CPINFO info = {};
        if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize < 2)
            return;
        for (int range = 0; range + 1 < MAX_LEADBYTES && info.LeadByte[range] != 0; range += 2)
            for (int byte = info.LeadByte[range]; byte <= info.LeadByte[range + 1]; ++byte)
                lead[byte] = any = true;
    }
};

const LeadByteTable& leadBytes()
{
    static const LeadByteTable table;
    return table;
}

// Bytes taken by the character at position: 2 for a lead byte followed by a
// second byte, else 1.
int characterLength(const String& text, int position)
{
    unsigned char byte = static_cast<unsigned char>(text.at(position));
    return leadBytes().lead[byte] && position + 1 < text.length() ? 2 : 1;
}

} // namespace

bool ansiCodePageHasLeadBytes()
{
    return leadBytes().any;
}

bool startsCharacter(const String& text, int position)
{
    if (position <= 0 || !leadBytes().any)
        return position >= 0;
    int at = 0;
    while (at < position)
        at += characterLength(text, at);
    return at == position;
}

int findBackslash(const String& text, int start)
{
    if (start < 0)
        start = 0;
    if (!leadBytes().any) {
        for (int i = start; i < text.length(); ++i)
            if (text.at(i) == '\\')
                return i;
        return -1;
    }
    // A double-byte text can only be walked from its beginning.
    for (int i = 0; i < text.length(); i += characterLength(text, i))
        if (i >= start && text.at(i) == '\\')
            return i;
    return -1;
}

int lastBackslash(const String& text)
{
    if (!leadBytes().any) {
        for (int i = text.length(); i > 0; --i)
            if (text.at(i - 1) == '\\')
                return i - 1;
        return -1;
    }
    int last = -1;
    for (int i = 0; i < text.length(); i += characterLength(text, i))
        if (text.at(i) == '\\')
            last = i;
    return last;
}

bool endsWithBackslash(const String& text)
{
    int last = text.length() - 1;
    return text.at(last) == '\\' && startsCharacter(text, last);
}

String withoutTrailingBackslashes(const String& text)
{
    int end = text.length();
    while (end > 0 && text.at(end - 1) == '\\' && startsCharacter(text, end - 1))
        --end;
    return end == text.length() ? text : text.mid(0, end);
}

// Neither a slash nor a colon can be the second byte of a double-byte character.
bool isPlainName(const String& name)
{
    if (name.length() == 0 || name == "." || name == ".." || findBackslash(name) >= 0)
        return false;
    for (int i = 0; i < name.length(); ++i)
        if (name.at(i) == '/' || name.at(i) == ':')
            return false;
    return true;
}

String withSingleBackslashes(const String& path)
{
    String trimmed = withoutTrailingBackslashes(path);
    int at = trimmed.at(0) == '\\' && trimmed.at(1) == '\\' ? 2 : 0;
    String result = trimmed.mid(0, at);
    for (int separator = findBackslash(trimmed, at); separator >= 0; separator = findBackslash(trimmed, at)) {
        result += trimmed.mid(at, separator + 1 - at);
        // Just after a separator a character begins: a backslash byte there is one.
        for (at = separator + 1; trimmed.at(at) == '\\';)
            ++at;
    }
    result += trimmed.mid(at, trimmed.length() - at);
    return result.length() == 2 && result.at(1) == ':' ? result + "\\" : result;
}

std::string caseFoldedPath(const String& path)
{
    std::string upper(path.cStr(), static_cast<size_t>(path.length()));
    if (!upper.empty())
        CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    return upper;
}
