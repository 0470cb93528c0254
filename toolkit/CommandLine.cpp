#include "toolkit/CommandLine.h"

#include "foundation/String.h"

namespace {

// Bytes 0x80..0xFF count as separators too: they are negative when signed.
bool isSeparator(char c)
{
    return static_cast<signed char>(c) <= 0x20;
}

const char* skipSeparators(const char* position)
{
    for (;;) {
        while (*position != '\0' && isSeparator(*position))
            ++position;
        // An empty quoted argument makes no token.
        if (position[0] != '"' || position[1] != '"')
            return position;
        position += 2;
    }
}

// Copies a quoted run up to its closing quote. When the token limit is reached
// inside the run, the rest of the run is dropped so that the quotes that follow
// keep their meaning; the bytes after the closing quote start the next token.
const char* copyQuotedRun(const char* position, char* token, int& length)
{
    ++position;
    while (*position != '\0' && *position != '"') {
        if (length < maxTokenLength)
            token[length++] = *position;
        ++position;
    }
    if (*position == '"')
        ++position;
    return position;
}

}  // namespace

const char* nextToken(const char* position, String& token)
{
    char collected[maxTokenLength];
    int length = 0;
    position = skipSeparators(position);
    while (!isSeparator(*position) && length < maxTokenLength) {
        if (*position == '"')
            position = copyQuotedRun(position, collected, length);
        else
            collected[length++] = *position++;
    }
    token = String(collected, length);
    return position;
}

String commandLineToken(const char* commandLine, int i)
{
    String token;
    const char* position = commandLine != nullptr ? commandLine : "";
    for (int taken = 0; taken <= i; ++taken) {
        position = nextToken(position, token);
        if (token.length() == 0)
            break;
    }
    return token;
}

int commandLineTokenCount(const char* commandLine)
{
    String token;
    const char* position = nextToken(commandLine != nullptr ? commandLine : "", token);
    int count = 1;
    for (;;) {
        position = nextToken(position, token);
        if (token.length() == 0)
            return count;
        ++count;
    }
}
