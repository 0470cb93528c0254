#include "tests/toolkit/WindowTesting.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

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

const char* childOutput()
{
    return std::getenv("T5_CHILD_OUTPUT");
}

std::string runChildTest(const std::string& program, const std::string& commandName, const char* filter)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string output = std::string(folder) + "t5-child-" + std::to_string(GetCurrentProcessId()) + ".txt";
    SetEnvironmentVariableA("T5_CHILD_OUTPUT", output.c_str());
    std::string line = commandName + " --gtest_filter=" + filter;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    const BOOL started = CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &child);
    SetEnvironmentVariableA("T5_CHILD_OUTPUT", nullptr);
    if (!started)
        return "";
    if (WaitForSingleObject(child.hProcess, 60000) != WAIT_OBJECT_0)
        TerminateProcess(child.hProcess, 1);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    std::ostringstream answer;
    answer << std::ifstream(output).rdbuf();
    DeleteFileA(output.c_str());
    return answer.str();
}

}
