// Start-up of the uninstaller with one product installed, from CreateProcess until
// its window has painted and it has ended after being closed, against the bare
// reference program (bench/bare) that opens a window of the same size and ends
// after its first paint; and the peak working set of each. Also prints the size
// of the program. Both are of this benchmark's build, which each line names:
// scripts/bench runs it in both.
#include "bench/Stopwatch.h"
#include "foundation/FileSystem.h"
#include "testbed/MachineFixture.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Paired rounds, judged by the median of their ratios: a start-up is easily
// slowed by whatever else the machine does, and that must not decide.
const int rounds = 21;
const char* const build = sizeof(void*) == 8 ? "x86_64" : "i686";

struct Launch {
    double milliseconds = 0;
    SIZE_T peakWorkingSet = 0;
};

std::string besideBench(const char* relative)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + relative;
}

struct TopWindow {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findTop(HWND window, LPARAM parameter)
{
    TopWindow& search = *reinterpret_cast<TopWindow*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window) || (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

BOOL CALLBACK findUnpainted(HWND window, LPARAM unpainted)
{
    if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE))
        *reinterpret_cast<bool*>(unpainted) = true;
    return TRUE;
}

// The process's captioned window once it and every child has painted, else null.
HWND paintedWindow(DWORD processId)
{
    TopWindow search = {processId, nullptr};
    EnumWindows(findTop, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr || GetUpdateRect(search.found, nullptr, FALSE))
        return nullptr;
    bool unpainted = false;
    EnumChildWindows(search.found, findUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return unpainted ? nullptr : search.found;
}

// Runs the program to its end. With closeWhenPainted, posts WM_CLOSE to its window
// once it has painted. With watchMemory, reads the peak working set while the
// process lives (Wine forgets it at the exit); the readings cost time, so timed
// runs leave them out.
Launch launch(const std::string& program, const char* arguments, bool closeWhenPainted, bool watchMemory)
{
    std::string line = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    Launch result;
    Stopwatch clock;
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return result;
    bool closed = !closeWhenPainted;
    while (WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
        PROCESS_MEMORY_COUNTERS counters = {};
        if (watchMemory && GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters))
            result.peakWorkingSet = std::max(result.peakWorkingSet, counters.PeakWorkingSetSize);
        if (!closed) {
            if (HWND window = paintedWindow(process.dwProcessId)) {
                PostMessageA(window, WM_CLOSE, 0, 0);
                closed = true;
            }
        }
    }
    result.milliseconds = clock.milliseconds();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

void measure(const std::string& uninstaller, const std::string& bare)
{
    const PairedRounds times = pairedRounds(
        rounds, [&] { return launch(bare, "", false, false).milliseconds; },
        [&] { return launch(uninstaller, "", true, false).milliseconds; });
    const std::string figure = std::string(build) + " start, paint and close";
    reportPaired(figure.c_str(), "bare window program", times, 1.3);
    SIZE_T ourPeak = 0;
    SIZE_T theirPeak = 0;
    for (int round = 0; round < 3; ++round) {
        theirPeak = std::max(theirPeak, launch(bare, "", false, true).peakWorkingSet);
        ourPeak = std::max(ourPeak, launch(uninstaller, "", true, true).peakWorkingSet);
    }
    const double ratio = double(ourPeak) / double(theirPeak);
    std::printf("%s peak working set: ours %.0f KB, bare window program %.0f KB, ratio %.3f (goal <= 1.50: %s)\n",
                build, ourPeak / 1024.0, theirPeak / 1024.0, ratio, ratio <= 1.5 ? "met" : "MISSED");
}

void printSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        std::printf("%s VxUninstall.exe: %lu bytes\n", build, data.nFileSizeLow);
}

}  // namespace

int main()
{
    const std::string uninstaller = besideBench("..\\VxUninstall.exe");
    const std::string bare = besideBench("BareWindow.exe");
    // One product: the window opens in list mode with it chosen.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + "t5-bench-startup";
    {
        MachineFixture machine(MachineLayout{base, base + "\\Plugins", base + "\\Programs", base + "\\Desktop"});
        machine.install("T540");
        measure(uninstaller, bare);
    }
    deleteFolderTree(base.c_str());
    printSize(uninstaller);
    return 0;
}
