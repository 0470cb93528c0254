#include "tests/support/RunningProgram.h"

#include <cstring>

namespace programtesting {

namespace {

constexpr DWORD pollInterval = 10;

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* caption;
    HWND found;
};

std::string className(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, static_cast<int>(sizeof name));
    return name;
}

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window))
        return TRUE;
    if (search.className != nullptr && className(window) != search.className)
        return TRUE;
    if (search.caption != nullptr && windowText(window) != search.caption)
        return TRUE;
    search.found = window;
    return FALSE;
}

// The message text is the box's static control that holds text (the icon's has none).
BOOL CALLBACK findText(HWND child, LPARAM found)
{
    std::string& text = *reinterpret_cast<std::string*>(found);
    if (text.empty() && _stricmp(className(child).c_str(), "Static") == 0)
        text = windowText(child);
    return TRUE;
}

LPARAM centre(HWND window)
{
    RECT r = {};
    GetClientRect(window, &r);
    return MAKELPARAM(r.right / 2, r.bottom / 2);
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
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    processId_ = started.dwProcessId;
    threadId_ = started.dwThreadId;
}

RunningProgram::~RunningProgram()
{
    if (process_ == nullptr)
        return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

HWND RunningProgram::waitForWindow(const char* windowClass, const char* caption, DWORD timeout) const
{
    WindowSearch search = {processId_, windowClass, caption, nullptr};
    const DWORD start = GetTickCount();
    do {
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr || WaitForSingleObject(process_, 0) != WAIT_TIMEOUT)
            return search.found;
        Sleep(pollInterval);
    } while (GetTickCount() - start < timeout);
    return nullptr;
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
    if (process_ != nullptr && WaitForSingleObject(process_, timeout) == WAIT_OBJECT_0)
        GetExitCodeProcess(process_, &code);
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
    char text[512] = {};
    GetWindowTextA(window, text, static_cast<int>(sizeof text));
    return text;
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
    for (HWND child : children(window)) {
        if (IsWindowVisible(child) && !isPainted(child))
            return false;
    }
    return true;
}

void click(HWND window)
{
    const LPARAM at = centre(window);
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
