// Names in the backup's text files: in quotes, with "%", the quote and every byte
// outside printable ASCII written as %HH, so that any name survives a line of
// text and a person can still read the usual ones.
#pragma once

#include <string>

std::string quotedText(const std::string& bytes);
// The quoted text beginning at at (after blanks), its bytes restored; at moves
// past it. False for a line without one or with a broken escape.
bool readQuotedText(const std::string& line, size_t& at, std::string& bytes);
// The next word after at (blanks skipped); at moves past it.
std::string nextWord(const std::string& line, size_t& at);
// The value of one hex digit, or -1.
int hexDigit(char ch);
// Each line of text, without its CR LF.
template <typename Visit>
void forEachLine(const std::string& text, Visit visit)
{
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        visit(line);
        start = end + 1;
    }
}
