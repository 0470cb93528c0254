// The unbuffered file classes against the system's own calls on one 256 MiB
// file made here: FileCopier (1 MiB blocks) and CopyPipe (1 MiB chunks) against
// CopyFileA and against a plain loop with the same unbuffered write-through
// flags, and SectorFile's blocking read of the whole file against ReadFile with
// a 1 MiB buffer, both into the same whole-file buffer and streaming through
// one buffer of 1 MiB.
#include "bench/Stopwatch.h"
#include "foundation/PageBlock.h"
#include "toolkit/CopyPipe.h"
#include "toolkit/FileCopier.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const uint32_t fileBytes = 256u << 20;
const uint32_t mebibyte = 1u << 20;
const DWORD unbuffered = FILE_FLAG_NO_BUFFERING | FILE_FLAG_WRITE_THROUGH;
const int rounds = 5;

bool makeSource(const std::string& path, char* buffer)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    for (uint32_t at = 0; at < fileBytes && ok; at += mebibyte) {
        for (uint32_t i = 0; i < mebibyte; i += 4) {
            const uint32_t word = at + i;
            std::memcpy(buffer + i, &word, 4);
        }
        DWORD done = 0;
        ok = WriteFile(file, buffer, mebibyte, &done, nullptr) && done == mebibyte;
    }
    CloseHandle(file);
    return ok;
}

void pumpUntil(HANDLE event)
{
    while (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
}

struct Finish {
    HANDLE event;
    DWORD error;
};

void copierFinished(Finish* finish, FileCopier*, DWORD error)
{
    finish->error = error;
    SetEvent(finish->event);
}

uint64_t sizeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Every copy starts with no destination, outside the timed part.
double timeCopyFile(const std::string& from, const std::string& to, bool& ok)
{
    DeleteFileA(to.c_str());
    Stopwatch watch;
    ok = CopyFileA(from.c_str(), to.c_str(), FALSE) && ok;
    return watch.milliseconds();
}

double timePlainLoop(const std::string& from, const std::string& to, char* buffer, bool& ok)
{
    DeleteFileA(to.c_str());
    Stopwatch watch;
    HANDLE in = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, unbuffered, nullptr);
    HANDLE out = CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, unbuffered, nullptr);
    DWORD done = 0;
    DWORD written = 0;
    while (ReadFile(in, buffer, mebibyte, &done, nullptr) && done != 0)
        ok = WriteFile(out, buffer, done, &written, nullptr) && written == done && ok;
    CloseHandle(out);
    CloseHandle(in);
    ok = sizeOf(to) == fileBytes && ok;
    return watch.milliseconds();
}

double timeFileCopier(const std::string& from, const std::string& to, bool& ok)
{
    Finish finish = {CreateEventA(nullptr, FALSE, FALSE, nullptr), 1};
    DeleteFileA(to.c_str());
    Stopwatch watch;
    {
        FileCopier copier(from.c_str(), to.c_str(), mebibyte);
        copier.addFinishListener(&finish, copierFinished);
        copier.start();
        pumpUntil(finish.event);
    }
    const double elapsed = watch.milliseconds();
    CloseHandle(finish.event);
    ok = finish.error == 0 && sizeOf(to) == fileBytes && ok;
    return elapsed;
}

double timeCopyPipe(const std::string& from, const std::string& to, bool& ok)
{
    DeleteFileA(to.c_str());
    Stopwatch watch;
    {
        SectorFile source(from.c_str(), mebibyte, true);
        SectorFile destination(to.c_str(), mebibyte, false);
        CopyPipe pipe(source, destination, 0, 0, fileBytes);
        pumpUntil(pipe.finishedEvent());
    }
    const double elapsed = watch.milliseconds();
    ok = sizeOf(to) == fileBytes && ok;
    return elapsed;
}

// ReadFile in 1 MiB requests; step 0 streams through the first MiB of buffer,
// step 1 MiB fills the whole buffer as SectorFile::read does.
double timeReadFile(const std::string& path, char* buffer, uint32_t step, bool& ok)
{
    Stopwatch watch;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    uint32_t total = 0;
    DWORD done = 0;
    while (ReadFile(file, buffer + (step ? total : 0), mebibyte, &done, nullptr) && done != 0)
        total += done;
    CloseHandle(file);
    ok = total == fileBytes && ok;
    return watch.milliseconds();
}

double timeSectorRead(const std::string& path, char* whole, bool& ok)
{
    Stopwatch watch;
    SectorFile file(path.c_str(), mebibyte, true);
    ok = file.read(0, whole, fileBytes) == fileBytes && ok;
    return watch.milliseconds();
}

void report(const char* figure, const char* reference, const BestTimes& best, double goal)
{
    const double megabytes = fileBytes / 1e6;
    const double ratio = best.theirs / best.ours;
    std::printf("%s: ours %.0f ms (%.0f MB/s), %s %.0f ms (%.0f MB/s), throughput ratio %.3f (goal >= %.2f: %s)\n",
                figure, best.ours, megabytes / best.ours * 1000, reference, best.theirs,
                megabytes / best.theirs * 1000, ratio, goal, ratio >= goal ? "met" : "MISSED");
}

} // namespace

int main()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + "t5bench-sector-" + std::to_string(GetCurrentProcessId());
    const std::string source = base + "-source.bin";
    const std::string copy = base + "-copy.bin";
    PageBlock whole;
    if (!whole.allocate(fileBytes) || !makeSource(source, whole.data())) {
        std::printf("could not make the 256 MiB source file\n");
        return 1;
    }
    char* buffer = whole.data();
    bool ok = true;
    const auto copyFile = [&] { return timeCopyFile(source, copy, ok); };
    const auto plainLoop = [&] { return timePlainLoop(source, copy, buffer, ok); };
    const auto copier = [&] { return timeFileCopier(source, copy, ok); };
    const auto pipe = [&] { return timeCopyPipe(source, copy, ok); };
    const auto sectorRead = [&] { return timeSectorRead(source, buffer, ok); };
    const BestTimes copierVsCopyFile = bestOfRounds(rounds, copyFile, copier);
    const BestTimes copierVsLoop = bestOfRounds(rounds, plainLoop, copier);
    const BestTimes pipeVsCopyFile = bestOfRounds(rounds, copyFile, pipe);
    const BestTimes pipeVsLoop = bestOfRounds(rounds, plainLoop, pipe);
    const BestTimes readVsFilling = bestOfRounds(rounds, [&] { return timeReadFile(source, buffer, mebibyte, ok); },
                                                 sectorRead);
    const BestTimes readVsStreaming = bestOfRounds(rounds, [&] { return timeReadFile(source, buffer, 0, ok); },
                                                   sectorRead);
    DeleteFileA(source.c_str());
    DeleteFileA(copy.c_str());
    std::printf("every copy and read complete: %s (best of %d rounds below)\n", ok ? "yes" : "NO", rounds);
    const char* loop = "unbuffered write-through ReadFile/WriteFile loop, 1 MiB";
    report("FileCopier, 256 MiB in 1 MiB blocks", "CopyFileA", copierVsCopyFile, 0.9);
    report("FileCopier, 256 MiB in 1 MiB blocks", loop, copierVsLoop, 0.9);
    report("CopyPipe, 256 MiB in 1 MiB chunks", "CopyFileA", pipeVsCopyFile, 0.9);
    report("CopyPipe, 256 MiB in 1 MiB chunks", loop, pipeVsLoop, 0.9);
    report("SectorFile::read of 256 MiB", "ReadFile, 1 MiB requests filling the same buffer", readVsFilling, 0.9);
    report("SectorFile::read of 256 MiB", "ReadFile streaming through one 1 MiB buffer", readVsStreaming, 0.9);
    return ok ? 0 : 1;
}
