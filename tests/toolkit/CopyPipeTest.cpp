#include <gtest/gtest.h>

#include <memory>

#include "foundation/KernelHandle.h"
#include "tests/support/ScratchFolder.h"
#include "tests/toolkit/FileTesting.h"
#include "toolkit/CopyPipe.h"

using namespace filetesting;

namespace {

struct Watch {
    volatile LONG steps = 0;
    int finishes = 0;
    DWORD error = 0xFFFFFFFF;
};

void progress(Watch* w, CopyPipe*)
{
    InterlockedIncrement(&w->steps);
}

void finished(Watch* w, CopyPipe*, DWORD error)
{
    ++w->finishes;
    w->error = error;
}

class CopyPipeCopies : public testing::Test {
protected:
    // Runs one pipe to its end; its finish is what watch holds afterwards.
    void pipe(SectorFile& from, SectorFile& to, uint64_t fromPosition, uint64_t count)
    {
        watch = Watch();
        CopyPipe p(from, to, fromPosition, 0, count);
        p.addProgressListener(&watch, progress);
        p.addFinishListener(&watch, finished);
        ASSERT_TRUE(pumpUntilSignalled(p.finishedEvent()));
        ASSERT_TRUE(pumpUntil([&] { return watch.finishes != 0; }));
    }

    testsupport::ScratchFolder scratch;
    const std::string bytes = pattern(30000);
    Watch watch;
};

TEST_F(CopyPipeCopies, StopsAtTheSourceEndAtTheRangeEndAndWithTheErrorOfAnUnwritableDestination)
{
    ASSERT_TRUE(scratch.writeFile("source.bin", bytes));
    ASSERT_TRUE(scratch.writeFile("target.bin", ""));
    // What the system answers a write through a handle opened for reading only.
    DWORD expected = 0;
    {
        KernelHandle probe(CreateFileA(scratch.join("target.bin").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
        DWORD written = 0;
        ASSERT_FALSE(WriteFile(probe.get(), "x", 1, &written, nullptr));
        expected = GetLastError();
    }
    {
        SectorFile source(scratch.join("source.bin").c_str(), 4096, true);
        SectorFile toEnd(scratch.join("end.bin").c_str(), 4096, false);
        SectorFile part(scratch.join("part.bin").c_str(), 4096, false);
        SectorFile target(scratch.join("target.bin").c_str(), 4096, true);
        pipe(source, toEnd, 1000, 1u << 30);
        EXPECT_EQ(0u, watch.error);
        EXPECT_GE(watch.steps, 4) << "29000 bytes cannot pass in fewer pieces of 4096";
        EXPECT_EQ(29000u, toEnd.logicalSize());
        pipe(source, part, 500, 100);
        EXPECT_EQ(0u, watch.error);
        EXPECT_EQ(100u, part.logicalSize());
        pipe(source, target, 0, bytes.size());
        EXPECT_NE(0u, expected);
        EXPECT_EQ(expected, watch.error);
        EXPECT_EQ(1, watch.finishes);
        EXPECT_EQ(0u, target.logicalSize());
    }
    EXPECT_EQ(bytes.substr(1000), fileContents(scratch.join("end.bin")));
    EXPECT_EQ(bytes.substr(500, 100), fileContents(scratch.join("part.bin")));
}

TEST_F(CopyPipeCopies, DeletedWhileWritingFromItsQueueLetsThatWriteFinish)
{
    const uint32_t chunk = 16u << 20;
    const std::string large = pattern(2 * chunk, 7);
    ASSERT_TRUE(scratch.writeFile("large.bin", large));
    SectorFile source(scratch.join("large.bin").c_str(), chunk, true);
    SectorFile target(scratch.join("copy.bin").c_str(), chunk, false);
    {
        auto p = std::make_unique<CopyPipe>(source, target, 0, 0, large.size());
        // A piece is written straight from the queue once the target is busy: the
        // first one, or the second when the first was written before this looked.
        const DWORD start = GetTickCount();
        while (!target.isBusy() && GetTickCount() - start < 10000)
            Sleep(0);
        ASSERT_TRUE(target.isBusy());
    }
    source.waitForTransfer();
    EXPECT_FALSE(target.isBusy()) << "the pipe went before its write was over";
    const uint64_t written = target.logicalSize();
    EXPECT_TRUE(written == chunk || written == 2ull * chunk) << written;
    EXPECT_TRUE(fileContents(scratch.join("copy.bin")) == large.substr(0, static_cast<size_t>(written)));
}

} // namespace
