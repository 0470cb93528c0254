// Helpers shared by the tests of the sector file and the copiers: file records,
// pumping until a condition holds, and what a failed construction leaves.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tests/support/FileContents.h"

namespace filetesting {

// n bytes that differ from their neighbours and do not repeat with any sector size.
std::string pattern(size_t n, unsigned seed = 1);
using testsupport::fileContents;
// GetFileAttributesExA's record of the file.
WIN32_FILE_ATTRIBUTE_DATA attributes(const std::string& path);

// Dispatches this thread's messages until done() holds; false after timeoutMs.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000);
// Waits for the event while dispatching this thread's messages.
bool pumpUntilSignalled(HANDLE event, DWORD timeoutMs = 20000);

// The text that make() threw, or "" when it threw none.
template <typename Make>
std::string thrownText(Make make)
{
    try {
        make();
    } catch (const char* text) {
        return text;
    }
    return "";
}

// Message-only toolkit windows of this thread: a constructor that throws must
// leave none behind.
int messageOnlyComponents();

}
