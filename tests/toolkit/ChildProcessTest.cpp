// Runs this test program again as a child, for behaviour seen only from outside:
// the leak report at process exit and the arguments of a program started under another name.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/String.h"
#include "toolkit/Application.h"

namespace {

struct ChildRun {
    std::vector<std::string> debugOutput;
    DWORD exitCode = 0xFFFFFFFF;  // stays when the child could not be started
};

std::string modulePath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string readDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info)
{
    std::string text(info.nDebugStringLength, '\0');
    SIZE_T read = 0;
    ReadProcessMemory(process, info.lpDebugStringData, &text[0], text.size(), &read);
    text.resize(read);
    return text.substr(0, text.find('\0'));
}

// Starts the program as a debugger would, to receive its OutputDebugStringA lines.
ChildRun runChild(const std::string& commandLine, const char* variable)
{
    ChildRun run;
    SetEnvironmentVariableA(variable, "1");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    std::string line = commandLine;
    BOOL started = CreateProcessA(modulePath().c_str(), &line[0], nullptr, nullptr, FALSE,
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
    WaitForSingleObject(child.hProcess, 60000);
    GetExitCodeProcess(child.hProcess, &run.exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return run;
}

std::vector<std::string> leakLines(const std::vector<std::string>& output)
{
    std::vector<std::string> lines;
    const std::string prefix = "Undeleted graphics resource: ";
    for (const std::string& text : output) {
        if (text.rfind(prefix, 0) != 0)
            continue;
        // The child's handles are unknown here: check their form and leave them out.
        const size_t handle = text.find('=') + 1;
        const size_t colour = text.find(", color=");
        const std::string digits = text.substr(handle, colour - handle);
        const bool wellFormed = digits.size() > 1 && digits[0] == '0' &&
            digits.find_first_not_of("0123456789abcdef") == std::string::npos;
        lines.push_back(text.substr(prefix.size(), handle - prefix.size()) +
            (wellFormed ? "" : "<malformed handle>") + text.substr(colour));
    }
    return lines;
}

}  // namespace

// Runs only as the child of the test below: leaves objects in the cache for the exit report.
TEST(ApplicationExitChild, LeavesObjectsCached)
{
    if (std::getenv("T5_EXPECT_GDI_LEAKS") == nullptr)
        GTEST_SKIP() << "runs as the child of ApplicationExit.ReportsWhatIsStillCached";
    application.acquireBrush(0x111111);
    application.acquireDotPen(0x222222);
    application.acquireBrush(0x333333);
    application.acquirePen(0x444444);
    application.acquirePen(0x444444);
}

TEST(ApplicationExit, ReportsWhatIsStillCachedPensThenBrushesThenDottedPens)
{
    ChildRun run = runChild("toolkit_tests --gtest_filter=ApplicationExitChild.*", "T5_EXPECT_GDI_LEAKS");
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(
        std::vector<std::string>({ "Pen=, color=0444444, refcount=2\n", "Brush=, color=0333333, refcount=1\n",
            "Brush=, color=0111111, refcount=1\n", "DotPen=, color=0222222, refcount=1\n" }),
        leakLines(run.debugOutput));
}

// Runs only as the child of the test below, started as "toolkit_tests" without path or extension.
TEST(ApplicationArgumentsChild, SeesTheModulePathAndItsArguments)
{
    if (std::getenv("T5_ARGUMENTS_CHILD") == nullptr)
        GTEST_SKIP() << "runs as the child of ApplicationArguments.ComeFromTheRealCommandLine";
    EXPECT_EQ(modulePath(), application.argument(0).cStr());
    EXPECT_EQ(3, application.argumentCount());
    EXPECT_STREQ("--gtest_filter=ApplicationArgumentsChild.*", application.argument(1).cStr());
    EXPECT_STREQ("two words", application.argument(2).cStr());
    EXPECT_STREQ("", application.argument(3).cStr());
}

TEST(ApplicationArguments, ComeFromTheRealCommandLine)
{
    ChildRun run = runChild(
        "toolkit_tests --gtest_filter=ApplicationArgumentsChild.* \"two words\"", "T5_ARGUMENTS_CHILD");
    EXPECT_EQ(0u, run.exitCode);
}
