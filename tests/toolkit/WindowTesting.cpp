#include "tests/toolkit/WindowTesting.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace windowtesting {

namespace {

BOOL CALLBACK countOne(HWND window, LPARAM count)
{
    char name[32] = {};
    GetClassNameA(window, name, static_cast<int>(sizeof name));
    if (std::strcmp(name, Component::className()) == 0)
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// EnumChildWindows already reaches every descendant.
BOOL CALLBACK countComponents(HWND window, LPARAM count)
{
    countOne(window, count);
    EnumChildWindows(window, countOne, count);
    return TRUE;
}

}

void setShiftState(bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

int liveComponentWindows()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countComponents, reinterpret_cast<LPARAM>(&count));
    return count;
}

Window* topLevel(DWORD style, DWORD extendedStyle)
{
    return new Window("top", style, extendedStyle, 10, 10, 200, 150, nullptr);
}

Window* child(Window* parent, int x, int y, int width, int height, DWORD style)
{
    return new Window("child", style, 0, x, y, width, height, parent->handle());
}

std::string modulePath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

bool isChild()
{
    return std::getenv("T5_CHILD") != nullptr;
}

bool ChildRun::wrote(const std::string& text) const
{
    return std::find(debugOutput.begin(), debugOutput.end(), text) != debugOutput.end();
}

namespace {

std::string readDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info)
{
    std::string text(info.nDebugStringLength, '\0');
    SIZE_T read = 0;
    ReadProcessMemory(process, info.lpDebugStringData, &text[0], text.size(), &read);
    text.resize(read);
    return text.substr(0, text.find('\0'));
}

}  // namespace

ChildRun runChild(const std::string& program, const std::string& commandLine, const char* variable)
{
    ChildRun run;
    SetEnvironmentVariableA(variable, "1");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    std::string line = commandLine;
    const BOOL started = CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE,
        DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr, &startup, &child);
    SetEnvironmentVariableA(variable, nullptr);
    if (!started)
        return run;
    DEBUG_EVENT event = {};
    while (WaitForDebugEvent(&event, 60000)) {
        const DWORD code = event.dwDebugEventCode;
        if (code == OUTPUT_DEBUG_STRING_EVENT)
            run.debugOutput.push_back(readDebugString(child.hProcess, event.u.DebugString));
        if (code == CREATE_PROCESS_DEBUG_EVENT || code == LOAD_DLL_DEBUG_EVENT)
            CloseHandle(
                code == LOAD_DLL_DEBUG_EVENT ? event.u.LoadDll.hFile : event.u.CreateProcessInfo.hFile);
        // The child's own exceptions go back to it; only the attach breakpoint is ours.
        const bool own = code == EXCEPTION_DEBUG_EVENT &&
            event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT;
        ContinueDebugEvent(
            event.dwProcessId, event.dwThreadId, own ? DBG_EXCEPTION_NOT_HANDLED : DBG_CONTINUE);
        if (code == EXIT_PROCESS_DEBUG_EVENT)
            break;
    }
    if (WaitForSingleObject(child.hProcess, 60000) != WAIT_OBJECT_0)
        TerminateProcess(child.hProcess, 1);
    GetExitCodeProcess(child.hProcess, &run.exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return run;
}

}
