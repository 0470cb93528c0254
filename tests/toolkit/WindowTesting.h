// Helpers shared by the window tests: pumping the queue, counting windows, building small trees.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Application.h"
#include "toolkit/Window.h"

namespace windowtesting {

inline void pump()
{
    application.pumpPending();
}

// Toolkit windows ("myComponent") that the calling thread still has, children included.
int liveComponentWindows();

// A visible top-level popup of 200 x 150 at (10, 10).
Window* topLevel(DWORD style = WS_POPUP | WS_VISIBLE, DWORD extendedStyle = 0);

// A visible child that takes part in Tab navigation.
Window* child(Window* parent, int x = 0, int y = 0, int width = 20, int height = 20,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);

// For tests that must run in a process of their own: starts program (this
// test program or a copy of it) on the one test named by filter, with
// T5_CHILD_OUTPUT naming a file for its answer, and returns what the child
// wrote there ("" when it did not run).
std::string runChildTest(const std::string& program, const std::string& commandName, const char* filter);

// The answer file of runChildTest inside the child, or null outside one.
const char* childOutput();

// This test program's own path.
std::string modulePath();

}
