// Drives a built program in a process of its own from outside, as a user would:
// finds its windows, clicks and types with posted input messages, reads and
// answers its message boxes, and waits for its exit code.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace programtesting {

// Path of a file beside the built uninstaller; the test programs live one folder below it.
std::string buildFile(const std::string& relative);

class RunningProgram {
public:
    // Starts program with the command-line arguments after its quoted path.
    RunningProgram(const std::string& program, const std::string& arguments);
    // Ends the process if it is still running.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return process_ != nullptr; }
    // A visible top-level window of the process with that class (and caption,
    // unless null), waiting up to timeout milliseconds; null when none came.
    HWND waitForWindow(const char* className, const char* caption = nullptr, DWORD timeout = 20000) const;
    // The toolkit's top-level window as above, once it has painted: its
    // constructor has finished and the loop runs.
    HWND waitForPaintedWindow(const char* caption = nullptr) const;
    // The process's message box, waiting as above.
    HWND waitForMessageBox(DWORD timeout = 20000) const;
    // The exit code, or STILL_ACTIVE when the process runs on after timeout.
    DWORD waitForExit(DWORD timeout = 20000) const;
    // The thread's focused window, or null.
    HWND focus() const;

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
};

// Polls condition until it holds or timeout milliseconds pass; its last value.
// Posted input is handled whenever the other process gets to it.
template <typename Condition>
bool waitFor(Condition condition, DWORD timeout = 5000)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeout)
            return condition();
        Sleep(10);
    }
    return true;
}

// The text of a message box.
std::string messageBoxText(HWND box);
// Presses the message box's OK.
void answerOk(HWND box);
std::string windowText(HWND window);
// The children of parent in the system's order of siblings.
std::vector<HWND> children(HWND parent);
// A window's rectangle in its parent's client coordinates.
RECT placement(HWND window);
// Whether the window and every window inside it are painted: none has an update region left.
bool isPainted(HWND window);
// Posts a left click at the centre of the window.
void click(HWND window);
// Posts a key press and release to the window.
void pressKey(HWND window, WPARAM key);

}  // namespace programtesting
