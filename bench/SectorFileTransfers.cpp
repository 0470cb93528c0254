// The unbuffered file classes against the system's own calls on one 256 MiB
// file made here, in paired rounds: FileCopier and CopyPipe against CopyFileA,
// each side opening and closing its files inside its time, and SectorFile's
// blocking read of the whole file against ReadFile in 1 MiB requests filling
// the same buffer, on files both sides opened before (and, for information,
// with the opening and closing timed too).
//
// Block and chunk are the caller's to choose (constructor arguments). The
// copiers move 4 MiB at a time: each block costs hand-overs between the window
// thread and the two file workers (about ten calls to the server under Wine),
// which 1 MiB blocks pay 256 times; beyond 4 MiB the two buffers crowd the data
// out of the caches and copies get slower. SectorFile::read keeps the default
// chunk of 1 MiB.
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
const uint32_t copyBlock = 4u << 20;
const int rounds = 15;
const int readPairsPerRound = 3;

bool makeSource(const std::string& path, char* buffer)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    for (uint32_t at = 0; at < fileBytes && ok; at += mebibyte) {
        for (uint32_t i = 0; i < mebibyte; i += 4) {
            const uint32_t word = at + i;
            std::memcpy(buffer + at + i, &word, 4);
        }
        DWORD done = 0;
        ok = WriteFile(file, buffer + at, mebibyte, &done, nullptr) && done == mebibyte;
    }
    CloseHandle(file);
    return ok;
}

// Whether the file holds exactly the bytes of expected, the source's contents.
bool holds(const std::string& path, const char* expected)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    PageBlock piece;
    bool same = piece.allocate(mebibyte);
    uint32_t total = 0;
    DWORD done = 0;
    while (same && ReadFile(file, piece.data(), mebibyte, &done, nullptr) && done != 0) {
        same = total + done <= fileBytes && std::memcmp(piece.data(), expected + total, done) == 0;
        total += done;
    }
    CloseHandle(file);
    return same && total == fileBytes;
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

// Every copy starts with no destination, outside the timed part.
double timeCopyFile(const std::string& from, const std::string& to, bool& ok)
{
    DeleteFileA(to.c_str());
    Stopwatch watch;
    ok = CopyFileA(from.c_str(), to.c_str(), FALSE) && ok;
    return watch.milliseconds();
}

double timeFileCopier(const std::string& from, const std::string& to, const char* expected, bool& ok)
{
    Finish finish = {CreateEventA(nullptr, FALSE, FALSE, nullptr), 1};
    DeleteFileA(to.c_str());
    Stopwatch watch;
    {
        FileCopier copier(from.c_str(), to.c_str(), copyBlock);
        copier.addFinishListener(&finish, copierFinished);
        copier.start();
        pumpUntil(finish.event);
    }
    const double elapsed = watch.milliseconds();
    CloseHandle(finish.event);
    ok = finish.error == 0 && (expected == nullptr || holds(to, expected)) && ok;
    return elapsed;
}

double timeCopyPipe(const std::string& from, const std::string& to, const char* expected, bool& ok)
{
    DeleteFileA(to.c_str());
    Stopwatch watch;
    bool whole = false;
    {
        SectorFile source(from.c_str(), copyBlock, true);
        SectorFile destination(to.c_str(), copyBlock, false);
        CopyPipe pipe(source, destination, 0, 0, fileBytes);
        pumpUntil(pipe.finishedEvent());
        whole = pipe.destinationPosition() == fileBytes;
    }
    const double elapsed = watch.milliseconds();
    ok = whole && (expected == nullptr || holds(to, expected)) && ok;
    return elapsed;
}

// ReadFile in 1 MiB requests, each into the next MiB of the buffer, as
// SectorFile::read fills it.
double timeReadFile(const std::string& path, char* buffer, bool timeOpening, bool& ok)
{
    Stopwatch watch;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (!timeOpening)
        watch.restart();
    uint32_t total = 0;
    DWORD done = 0;
    while (total < fileBytes && ReadFile(file, buffer + total, mebibyte, &done, nullptr) && done != 0)
        total += done;
    double elapsed = watch.milliseconds();
    CloseHandle(file);
    if (timeOpening)
        elapsed = watch.milliseconds();
    ok = total == fileBytes && ok;
    return elapsed;
}

// Opened is open only once its worker answers: a first sector is read before
// the timed read when the opening is not timed.
double timeSectorRead(const std::string& path, char* whole, bool timeOpening, bool& ok)
{
    Stopwatch watch;
    double elapsed = 0;
    {
        SectorFile file(path.c_str(), mebibyte, true);
        if (!timeOpening) {
            ok = file.read(0, whole, file.sectorSize()) == file.sectorSize() && ok;
            watch.restart();
        }
        ok = file.read(0, whole, fileBytes) == fileBytes && ok;
        elapsed = watch.milliseconds();
    }
    return timeOpening ? watch.milliseconds() : elapsed;
}

// Throughput is the inverse of time: the goal's ratio is the reference's time
// over ours, judged by its median over the rounds. A goal of 0 means none.
void report(const char* figure, const char* reference, const PairedRounds& times, double goal)
{
    const double megabytes = fileBytes / 1e6;
    const double ratio = 1 / times.medianTimeRatio();
    std::printf("%s: ours %.0f ms best, %.0f median (%.0f MB/s), %s %.0f ms best, %.0f median (%.0f MB/s), "
                "throughput ratio %.3f over %zu rounds, %.3f of the best times",
                figure, times.bestOurs(), times.medianOurs(), megabytes / times.medianOurs() * 1000, reference,
                times.bestTheirs(), times.medianTheirs(), megabytes / times.medianTheirs() * 1000, ratio,
                times.ours.size(), times.bestTheirs() / times.bestOurs());
    if (goal > 0)
        std::printf(" (goal >= %.2f: %s)", goal, ratio >= goal ? "met" : "MISSED");
    std::printf("\n");
}

} // namespace

int main()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + "t5bench-sector-" + std::to_string(GetCurrentProcessId());
    const std::string source = base + "-source.bin";
    const std::string copy = base + "-copy.bin";
    // The source's bytes; every read of the whole file puts the same bytes back.
    PageBlock whole;
    if (!whole.allocate(fileBytes) || !makeSource(source, whole.data())) {
        std::printf("could not make the 256 MiB source file\n");
        return 1;
    }
    char* buffer = whole.data();
    bool ok = true;
    const auto copyFile = [&] { return timeCopyFile(source, copy, ok); };
    PairedRounds copier;
    PairedRounds pipe;
    PairedRounds read;
    PairedRounds openReadClose;
    for (int round = 0; round < rounds; ++round) {
        // The last round's copies are checked byte for byte, outside their time.
        const char* expected = round == rounds - 1 ? buffer : nullptr;
        runPairedRound(copier, round, copyFile, [&] { return timeFileCopier(source, copy, expected, ok); });
        runPairedRound(pipe, round, copyFile, [&] { return timeCopyPipe(source, copy, expected, ok); });
        // A read takes a fifth of a copy's time, so a moment's disturbance
        // weighs more: three pairs a round.
        for (int pair = 0; pair < readPairsPerRound; ++pair) {
            runPairedRound(read, round * readPairsPerRound + pair,
                           [&] { return timeReadFile(source, buffer, false, ok); },
                           [&] { return timeSectorRead(source, buffer, false, ok); });
            runPairedRound(openReadClose, round * readPairsPerRound + pair,
                           [&] { return timeReadFile(source, buffer, true, ok); },
                           [&] { return timeSectorRead(source, buffer, true, ok); });
        }
    }
    DeleteFileA(source.c_str());
    DeleteFileA(copy.c_str());
    std::printf("every copy and read complete, the last copies checked byte for byte: %s\n", ok ? "yes" : "NO");
    report("FileCopier, 256 MiB in 4 MiB blocks", "CopyFileA", copier, 0.9);
    report("CopyPipe, 256 MiB in 4 MiB chunks", "CopyFileA", pipe, 0.9);
    report("SectorFile::read of 256 MiB", "ReadFile, 1 MiB requests filling the same buffer", read, 0.9);
    report("for information, with opening and closing: SectorFile", "CreateFileA, ReadFile, CloseHandle",
           openReadClose, 0);
    return ok ? 0 : 1;
}
