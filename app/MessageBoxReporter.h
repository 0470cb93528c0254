// The main window's reporter: each message is a message box owned by the window,
// and a completed run closes the window.
#pragma once

#include "app/UninstallReporter.h"

class Window;

class MessageBoxReporter : public UninstallReporter {
public:
    explicit MessageBoxReporter(Window& owner);

    // A box with one OK button and the program's name as caption; returns when closed.
    void showMessage(const String& text) override;
    // Posts WM_CLOSE to the owner.
    void runCompleted() override;

private:
    Window& owner;
};
