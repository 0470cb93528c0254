// The pieces of the console program's --json output, written by hand. Strings are
// ANSI text in the process's code page; every character outside printable ASCII
// is escaped as \uXXXX, so that a document is plain ASCII whatever the code page.
#pragma once

#include "console/RemovalJournal.h"
#include "foundation/String.h"

#include <vector>

// text as a JSON string, quotes included.
String jsonString(const String& text);
// A JSON array of strings.
String jsonStrings(const std::vector<String>& texts);
// A JSON array of the items, each with its path, kind ("file", "folder" or "key"),
// outcome and error code.
String jsonItems(const std::vector<JournalItem>& items);
