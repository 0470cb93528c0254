// Shared by the console program's tests: the built program run as a process of
// its own, and what it leaves scheduled for the next start.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace consoletesting {

struct ProgramRun {
    DWORD exitCode = 0;
    std::string out;
    std::string err;
};

// Runs VxUninstallCli.exe with the arguments and waits for it; meanwhile, when
// given, is called once the program has started.
ProgramRun runProgram(const std::string& arguments, const std::function<void()>& meanwhile = nullptr);
// Starts it writing to out and err (inheritable handles), with CreateProcess's
// flags added to CREATE_NO_WINDOW; its process handle, null when it could not be started.
HANDLE startProgram(const std::string& arguments, HANDLE out, HANDLE err, DWORD flags = 0);

// The program started with an output pipe that nobody reads: it stops at its
// first line, once it holds the removal mark, until release() reads on. It runs
// in a process group of its own, for console control events meant for it alone.
class StalledRun {
public:
    explicit StalledRun(const std::string& arguments);
    // Releases it if that has not been done.
    ~StalledRun();
    StalledRun(const StalledRun&) = delete;
    StalledRun& operator=(const StalledRun&) = delete;

    // Waits until it has written to its output; false when it does not within 20 s.
    bool waitUntilStalled() const;
    DWORD processId() const { return GetProcessId(process); }
    // Reads its output to the end and waits for it; its exit code.
    DWORD release();

private:
    HANDLE reader = nullptr;
    HANDLE process = nullptr;
};
// The text's lines without their CR LF.
std::vector<std::string> lines(const std::string& text);
// The lines of text that begin with prefix, without it.
std::vector<std::string> linesAfter(const std::string& text, const std::string& prefix);

// Every file and folder of drive C: with attributes, and a file's size, times of
// creation and writing (those that reading leaves alone) and a checksum of its
// content (below 1 MiB: the larger ones are the system's own libraries, which
// nothing here writes); every key below HKEY_LOCAL_MACHINE and HKEY_USERS with
// each value's type and bytes, but for the keys Wine rewrites as it likes.
// Other tests' scratch (the temporary folder outside keep, the test command's
// C:\t5- folders, their own keys) is left out.
std::vector<std::string> machineListing(const std::string& keep);
// The delete entries the system carries out at the next start, in order
// ("\\??\\C:\\...").
std::vector<std::string> pendingDeletions();

// Entries only in before ("- ...") and only in after ("+ ..."), at most 20.
std::vector<std::string> changes(std::vector<std::string> before, std::vector<std::string> after);

} // namespace consoletesting
