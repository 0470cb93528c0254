// Finding backslashes in ANSI paths. In a double-byte code page (932, 936, 949,
// 950) the second byte of a character may be 0x5C, the backslash; these scans
// step over whole characters so that such a byte is never taken for a separator.
// In a single-byte code page they are plain byte scans.
#pragma once

#include "foundation/String.h"

#include <string>

// True when the process's ANSI code page has lead bytes.
bool ansiCodePageHasLeadBytes();

// Whether position is where a character begins (not the second byte of one).
bool startsCharacter(const String& text, int position);
// Position of the first backslash character at or after start, or -1.
int findBackslash(const String& text, int start = 0);
// Position of the last backslash character, or -1.
int lastBackslash(const String& text);
// Whether the last character is a backslash.
bool endsWithBackslash(const String& text);
// The text without the backslash characters at its end.
String withoutTrailingBackslashes(const String& text);

// Whether a name from a folder listing may be joined to its folder: it holds no
// backslash, slash or colon and is not "." or "..". The ANSI listing calls give
// a name the code page's best fit, so a fullwidth backslash or solidus (or the
// yen sign in code page 932) comes back as a real separator that would lead
// elsewhere.
bool isPlainName(const String& name);
// The path with each run of backslashes made one and none at its end, but for a
// drive's root (C:\); the pair that begins a server share stays. Paths are
// compared and counted in this form.
String withSingleBackslashes(const String& path);
// The path in upper case, as Windows compares names without regard to case:
// a key for sets of paths.
std::string caseFoldedPath(const String& path);
