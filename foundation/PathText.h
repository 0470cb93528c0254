// Finding backslashes in ANSI paths. In a double-byte code page (932, 936, 949,
// 950) the second byte of a character may be 0x5C, the backslash; these scans
// step over whole characters so that such a byte is never taken for a separator.
// In a single-byte code page they are plain byte scans.
#pragma once

#include "foundation/String.h"

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
