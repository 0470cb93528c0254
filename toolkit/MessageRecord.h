// One message as the message hooks of a component see it.
#pragma once

#include <windows.h>

struct MessageRecord {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    LRESULT result;
    // A hook that sets this makes result the answer and skips the window procedure.
    int handled;
};
