// The main window's reporter: each message of the run is a message box owned by
// the window, in the words the users know, and a completed run closes the window.
#pragma once

#include "app/UninstallReporter.h"

class Window;

class MessageBoxReporter : public UninstallReporter {
public:
    explicit MessageBoxReporter(Window& owner);

    // A box with one OK button and the program's name as caption; returns when
    // closed. After completed, posts WM_CLOSE to the owner.
    void message(RunMessage message, const String& path) override;

private:
    Window& owner;
};
