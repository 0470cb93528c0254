// Helpers shared by the window tests: pumping the queue, counting windows, building small trees.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Window.h"

namespace windowtesting {

inline void pump()
{
    application.pumpPending();
}

// Sets Shift down or up in this thread's key state, as GetKeyState reads it.
void setShiftState(bool down);

// Toolkit windows ("myComponent") that the calling thread still has, children included.
int liveComponentWindows();

// A visible top-level popup of 200 x 150 at (10, 10).
Window* topLevel(DWORD style = WS_POPUP | WS_VISIBLE, DWORD extendedStyle = 0);

// The same, deleted with its children when the test leaves, also through a failed assertion.
inline std::unique_ptr<Window> ownedTopLevel()
{
    return std::unique_ptr<Window>(topLevel());
}

// A visible child that takes part in Tab navigation.
Window* child(Window* parent, int x = 0, int y = 0, int width = 20, int height = 20,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);

// What a child run of a test program wrote with OutputDebugStringA, and how it ended.
struct ChildRun {
    std::vector<std::string> debugOutput;
    DWORD exitCode = 0xFFFFFFFF;  // stays when the child could not be started
    bool wrote(const std::string& text) const;
};

// For tests that must run in a process of their own: starts program (this test program
// or a copy of it) on commandLine as a debugger would, with the environment variable
// named variable set so that the child test knows it is one.
ChildRun runChild(const std::string& program, const std::string& commandLine, const char* variable = "T5_CHILD");

// Whether this process was started by runChild with its default variable.
bool isChild();

// This test program's own path.
std::string modulePath();

}
