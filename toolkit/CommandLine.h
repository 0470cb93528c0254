// Splitting of command-line text into arguments: blanks separate, double quotes group, no escapes.
#pragma once

class String;

// Longest token in bytes; longer unquoted words are split there.
constexpr int maxTokenLength = 4095;

// Skips separators, collects one token into token and returns the position
// after it. An empty token means the end of the text.
const char* nextToken(const char* position, String& token);

// Token i of the text (token 0 is the program name as typed), or the empty
// String when the text has fewer tokens.
String commandLineToken(const char* commandLine, int i);

// Number of tokens, counting the program name as one even when it is missing.
int commandLineTokenCount(const char* commandLine);
