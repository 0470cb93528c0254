#include "tests/support/RunningProgram.h"

#include <cstring>

namespace programtesting {

namespace {

// The message text is the box's static control that holds text (the icon's has none).
BOOL CALLBACK findText(HWND child, LPARAM found)
{
    std::string& text = *reinterpret_cast<std::string*>(found);
    if (text.empty() && _stricmp(className(child).c_str(), "Static") == 0)
        text = windowText(child);
    return TRUE;
}

}  // namespace

std::string buildFile(const std::string& relative)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of('\\'));
    return folder.substr(0, folder.find_last_of('\\') + 1) + relative;
}

RunningProgram::RunningProgram(const std::string& program, const std::string& arguments)
{
    std::string line = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return;
    const KernelHandle thread(started.hThread);
    process_.reset(started.hProcess);
    processId_ = started.dwProcessId;
    threadId_ = started.dwThreadId;
}

RunningProgram::~RunningProgram()
{
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

HWND RunningProgram::waitForWindow(const char* windowClass, const char* caption, DWORD timeout) const
{
    HWND found = nullptr;
    const auto look = [&] {
        for (HWND window = FindWindowExA(nullptr, nullptr, windowClass, nullptr); window && !found;
             window = FindWindowExA(nullptr, window, windowClass, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == processId_ && IsWindowVisible(window) && (!caption || windowText(window) == caption))
                found = window;
        }
        return found != nullptr || WaitForSingleObject(process_.get(), 0) != WAIT_TIMEOUT;
    };
    waitFor(look, timeout);
    return found;
}

HWND RunningProgram::waitForPaintedWindow(const char* caption) const
{
    HWND found = waitForWindow("myComponent", caption);
    return found && waitFor([&] { return isPainted(found); }) ? found : nullptr;
}

HWND RunningProgram::waitForMessageBox(DWORD timeout) const
{
    return waitForWindow("#32770", nullptr, timeout);
}

DWORD RunningProgram::waitForExit(DWORD timeout) const
{
    DWORD code = STILL_ACTIVE;
    if (process_ && WaitForSingleObject(process_.get(), timeout) == WAIT_OBJECT_0)
        GetExitCodeProcess(process_.get(), &code);
    return code;
}

HWND RunningProgram::focus() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId_, &info) ? info.hwndFocus : nullptr;
}

std::string messageBoxText(HWND box)
{
    std::string text;
    EnumChildWindows(box, findText, reinterpret_cast<LPARAM>(&text));
    return text;
}

void answerOk(HWND box)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

std::string windowText(HWND window)
{
    char text[4096] = {};
    GetWindowTextA(window, text, static_cast<int>(sizeof text));
    return text;
}

std::string className(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, static_cast<int>(sizeof name));
    return name;
}

std::vector<HWND> children(HWND parent)
{
    std::vector<HWND> list;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        list.push_back(child);
    return list;
}

RECT placement(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool isPainted(HWND window)
{
    if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE))
        return false;
    for (HWND child : children(window))
        if (IsWindowVisible(child) && !isPainted(child))
            return false;
    return true;
}

void click(HWND window)
{
    RECT r = {};
    GetClientRect(window, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageA(window, WM_MOUSEMOVE, 0, at);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
}

void pressKey(HWND window, WPARAM key)
{
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), 0);
    PostMessageA(window, WM_KEYDOWN, key, MAKELPARAM(1, scan));
    PostMessageA(window, WM_KEYUP, key, MAKELPARAM(1, scan | KF_REPEAT | KF_UP));
}

}  // namespace programtesting
