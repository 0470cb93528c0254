#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "foundation/File.h"
#include "foundation/PageBlock.h"
#include "tests/support/DebugOutputCapture.h"
#include "tests/support/ScratchFolder.h"
#include "tests/toolkit/FileTesting.h"
#include "toolkit/SectorFile.h"

using namespace filetesting;

namespace {

struct Call {
    std::string bytes;
    uint32_t count;
    int kind;
};

struct Recorder {
    std::vector<Call> calls;
    HANDLE volatile hold = nullptr; // a worker listener waits for it when set
    volatile LONG done = 0;
};

void record(Recorder* r, SectorFile*, void* data, uint32_t count, int kind, DWORD)
{
    r->calls.push_back({data ? std::string(static_cast<char*>(data), count) : std::string(), count, kind});
}

void recordFromWorker(Recorder* r, SectorFile* f, void* data, uint32_t count, int kind, DWORD error)
{
    if (r->hold)
        WaitForSingleObject(r->hold, INFINITE);
    record(r, f, data, count, kind, error);
    InterlockedIncrement(&r->done);
}

DWORD WINAPI releaseLater(void* event)
{
    Sleep(300);
    SetEvent(event);
    return 0;
}

void sleepLong(Recorder* r, SectorFile* f, void*, uint32_t, int, DWORD)
{
    InterlockedIncrement(&r->done);
    Sleep(10500);
    // Reads the object after the destructor's ten seconds: it must still be there.
    r->calls.push_back({std::string(), f->chunk(), 0});
}

class SectorFileTest : public testing::Test {
protected:
    std::string make(const std::string& name, const std::string& bytes)
    {
        EXPECT_TRUE(scratch.writeFile(name, bytes));
        return scratch.join(name);
    }
    DWORD driveSectorSize() const
    {
        DWORD perCluster, perSector = 0, free, total;
        GetDiskFreeSpaceA(scratch.path().substr(0, 3).c_str(), &perCluster, &perSector, &free, &total);
        return perSector;
    }

    testsupport::ScratchFolder scratch;
    const std::string original = pattern(1000);
};

using SectorFileReads = SectorFileTest;
using SectorFileWrites = SectorFileTest;
using SectorFileRequests = SectorFileTest;
using SectorFileLifetime = SectorFileTest;

TEST_F(SectorFileReads, InsideAcrossAndPastTheSectors)
{
    SectorFile file(make("a.bin", original).c_str(), 0, true);
    ASSERT_EQ(driveSectorSize(), file.sectorSize());
    ASSERT_EQ(512u, file.sectorSize()) << "the cases below are laid out on 512-byte sectors";
    EXPECT_EQ(4096u, file.alignmentUnit());
    EXPECT_EQ(1048576u, file.chunk());
    EXPECT_EQ(1000u, file.logicalSize());

    // The last sector holds 1000 mod 512 bytes, also for a raw read of a whole sector.
    Recorder window, worker;
    file.addWindowListener(&window, record);
    file.addWorkerListener(&worker, recordFromWorker);
    PageBlock aligned;
    ASSERT_TRUE(aligned.allocate(4096));
    ASSERT_TRUE(file.startReadRaw(aligned.data(), 512, 512));
    ASSERT_TRUE(pumpUntil([&] { return window.calls.size() == 1 && worker.done == 1; }));
    EXPECT_EQ(original.substr(512), worker.calls[0].bytes);
    EXPECT_EQ(original.substr(512), window.calls[0].bytes);
    EXPECT_EQ(SectorFile::readKind, window.calls[0].kind);
    EXPECT_FALSE(file.startReadRaw(aligned.data(), 100, 512)) << "unaligned raw position";
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), file.refusalCode());

    char buffer[1200];
    EXPECT_EQ(400u, file.read(600, buffer, 400));
    EXPECT_EQ(original.substr(600, 400), std::string(buffer, 400));
    EXPECT_EQ(100u, file.read(500, buffer, 100));
    EXPECT_EQ(original.substr(500, 100), std::string(buffer, 100));
    EXPECT_EQ(100u, file.read(900, buffer, 500));
    EXPECT_EQ(0u, file.read(1000, buffer, 10));
    EXPECT_EQ(0u, file.read(1001, buffer, 10));
}

// Four copies of the same file, each changed through a SectorFile of its own.
TEST_F(SectorFileWrites, OnlyWrittenBytesChangeAndTheEndIsTheLogicalSize)
{
    const std::string inside = make("inside.bin", original);
    const std::string extended = make("extended.bin", original);
    const std::string refused = make("refused.bin", original);
    const std::string cut = make("cut.bin", original);
    const std::string more = pattern(100, 7);
    FILETIME stamp = {0x12345678, 0x01C00000};
    {
        SectorFile a(inside.c_str(), 0, false);
        EXPECT_EQ(10u, a.write(5, "0123456789", 10));
        SectorFile b(extended.c_str(), 0, false);
        EXPECT_EQ(100u, b.write(950, more.data(), 100));
        EXPECT_EQ(1050u, b.logicalSize());
        EXPECT_EQ(3u, b.write(1020, "xyz", 3)) << "a write inside the new last sector";
        ASSERT_TRUE(SetFileTime(b.handle(), nullptr, nullptr, &stamp));
        SectorFile c(refused.c_str(), 0, true);
        EXPECT_EQ(0u, c.write(1000, "more", 4));
        EXPECT_EQ(1000u, c.logicalSize());
        SectorFile d(cut.c_str(), 0, false);
        ASSERT_TRUE(d.setSize(700));
        EXPECT_EQ(700u, d.logicalSize());
        EXPECT_EQ(4u, d.write(700, "tail", 4));
    }
    EXPECT_EQ(original.substr(0, 5) + "0123456789" + original.substr(15), fileContents(inside));
    EXPECT_EQ((original.substr(0, 950) + more).replace(1020, 3, "xyz"), fileContents(extended));
    const FILETIME kept = attributes(extended).ftLastWriteTime;
    EXPECT_EQ(0, CompareFileTime(&stamp, &kept)) << "the closing write moved the last write time";
    EXPECT_EQ(original, fileContents(refused)) << "a failed write cut the file";
    EXPECT_EQ(original.substr(0, 700) + "tail", fileContents(cut));
}

TEST_F(SectorFileRequests, OneTransferAtATimeAndNoStaleCompletion)
{
    const std::string big = pattern(10000, 3);
    SectorFile file(make("b.bin", big).c_str(), 1, false);
    Recorder worker;
    file.addWorkerListener(&worker, recordFromWorker);
    ASSERT_EQ(4096u, file.chunk());
    EXPECT_FALSE(file.startRead(0, 5000)) << "more than one chunk";
    std::string whole(10000, '\0');
    EXPECT_EQ(10000u, file.read(0, &whole[0], 10000));
    EXPECT_EQ(big, whole);
    ASSERT_TRUE(pumpUntil([&] { return worker.done == 3; }));

    // Now the next transfer's worker listener holds the worker, so the one after stays queued.
    worker.hold = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(file.startRead(0, 100));
    ASSERT_TRUE(pumpUntil([&] { return !file.isBusy(); }));
    ASSERT_TRUE(file.startRead(200, 100));
    EXPECT_FALSE(file.startRead(300, 100));
    EXPECT_FALSE(file.startWrite("x", 0, 1));
    EXPECT_FALSE(file.setSize(10));
    EXPECT_EQ(static_cast<DWORD>(ERROR_BUSY), file.refusalCode());
    SetEvent(worker.hold);
    ASSERT_TRUE(pumpUntil([&] { return worker.done == 5; }));
    EXPECT_EQ(big.substr(200, 100), worker.calls[4].bytes);

    // Nobody waited for those completions, and the worker is held once more after
    // the next one: a blocking read must still wait for its own bytes.
    ResetEvent(worker.hold);
    ASSERT_TRUE(file.startRead(6000, 100));
    ASSERT_TRUE(pumpUntil([&] { return !file.isBusy(); }));
    HANDLE release = CreateThread(nullptr, 0, releaseLater, worker.hold, 0, nullptr);
    char buffer[100];
    EXPECT_EQ(100u, file.read(5000, buffer, 100));
    EXPECT_EQ(big.substr(5000, 100), std::string(buffer, 100));
    WaitForSingleObject(release, INFINITE);
    CloseHandle(release);
    file.removeListeners(&worker);
    CloseHandle(worker.hold);
}

TEST_F(SectorFileRequests, SizeOfFourGibibytesLessOne)
{
    const std::string path = scratch.join("sparse.bin");
    {
        File sparse(path.c_str(), GENERIC_WRITE, CREATE_ALWAYS, 0, FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(sparse.seek(0xFFFFFFFEll));
        ASSERT_EQ(1u, sparse.write("z", 1));
        EXPECT_EQ(0xFFFFFFFFll, sparse.size());
        EXPECT_EQ(0xFFFFFFFFll, sparse.position());
    }
    SectorFile file(path.c_str(), 0, true);
    EXPECT_EQ(0xFFFFFFFFull, file.logicalSize());
    char last[2] = {};
    EXPECT_EQ(1u, file.read(0xFFFFFFFEull, last, 2));
    EXPECT_EQ('z', last[0]);
}

TEST_F(SectorFileLifetime, FailedConstructionThrowsItsTextAndLeavesNoWindow)
{
    const int windows = messageOnlyComponents();
    {
        SectorFile file(make("a.bin", original).c_str(), 0, true);
        EXPECT_EQ(windows + 1, messageOnlyComponents());
    }
    const std::string missing = scratch.join("missing\\a.bin");
    EXPECT_EQ("File not created", thrownText([&] { SectorFile file(missing.c_str(), 0, false); }));
    EXPECT_EQ("GetDiskDriveSpace Failed !", thrownText([] { SectorFile file("Q:\\nowhere\\a.bin", 0, false); }));
    EXPECT_EQ("File not opened !", thrownText([&] { File file(missing.c_str(), GENERIC_READ, OPEN_EXISTING, 0, 0); }));
    EXPECT_EQ(windows, messageOnlyComponents());
}

TEST_F(SectorFileLifetime, DestructorWaitsForAWorkerBusyPastTenSeconds)
{
    testsupport::DebugOutputCapture trace;
    Recorder late;
    auto file = std::make_unique<SectorFile>(make("a.bin", original).c_str(), 0, true);
    file->addWorkerListener(&late, sleepLong);
    ASSERT_TRUE(file->startRead(0, 10));
    while (late.done == 0)
        Sleep(1);
    file.reset();
    ASSERT_EQ(1u, late.calls.size()) << "the destructor returned before the worker left";
    EXPECT_EQ(1048576u, late.calls[0].count);
    EXPECT_NE(std::string::npos, trace.text().find("SectorFile: worker still busy after 10 s, waiting for it\n"));
}

} // namespace
