// What the console front-end is told of a run: everything its reporter hears,
// and from the actions each item with what became of it.
#pragma once

#include "app/UninstallReporter.h"

#include <windows.h>

enum class ItemOutcome {
    deleted,    // gone now (in a dry run: would be deleted)
    notPresent, // was not there
    notEmpty,   // a folder left because it still holds other things
    failed,     // still there; the error says why
    scheduled,  // deleted when the machine next starts
};

class ItemReporter : public UninstallReporter {
public:
    // item is a file, a folder (ending with a backslash) or a key ("HKLM\...");
    // error is the system's code for a failure, 0 otherwise.
    virtual void itemDone(ItemOutcome outcome, const String& item, DWORD error) = 0;
};
