// Entry point of every test program: GoogleTest with the system's error boxes off,
// so that a crashing test fails its process instead of waiting for a click.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// A crash on any thread ends the process with exit code 3. Left to Wine, it
// would start the debugger, which can end the process with exit code 0: a pass.
LONG WINAPI failOnCrash(EXCEPTION_POINTERS* info)
{
    char line[64];
    const int length = std::snprintf(line, sizeof line, "unhandled exception 0x%08lx\n",
                                     static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(failOnCrash);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
