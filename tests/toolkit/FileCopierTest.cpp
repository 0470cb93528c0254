#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "foundation/KernelHandle.h"
#include "foundation/PageBlock.h"
#include "tests/support/ScratchFolder.h"
#include "tests/toolkit/FileTesting.h"
#include "toolkit/FileCopier.h"

using namespace filetesting;

namespace {

struct Watch {
    std::set<void*> buffers;
    std::vector<uint32_t> reads;
    std::vector<uint32_t> writes;
    int steps = 0;
    int stopAfter = 0;
    int finishes = 0;
    DWORD error = 0xFFFFFFFF;
};

void transfer(Watch* w, SectorFile*, void* data, uint32_t count, int kind, DWORD)
{
    (kind == SectorFile::readKind ? w->reads : w->writes).push_back(count);
    if (kind == SectorFile::readKind)
        w->buffers.insert(data);
}

void progress(Watch* w, FileCopier* copier)
{
    if (++w->steps == w->stopAfter)
        copier->stop();
}

void finished(Watch* w, FileCopier*, DWORD error)
{
    ++w->finishes;
    w->error = error;
}

class FileCopierTest : public testing::Test {
protected:
    std::unique_ptr<FileCopier> copier(const std::string& bytes, uint32_t block)
    {
        EXPECT_TRUE(scratch.writeFile("source.bin", bytes));
        auto made = std::make_unique<FileCopier>(source.c_str(), destination.c_str(), block);
        made->source().addWindowListener(&watch, transfer);
        made->destination().addWindowListener(&watch, transfer);
        made->addProgressListener(&watch, progress);
        made->addFinishListener(&watch, finished);
        return made;
    }
    bool runToFinish(FileCopier& c)
    {
        c.start();
        return pumpUntil([&] { return watch.finishes != 0; });
    }

    testsupport::ScratchFolder scratch;
    const std::string source = scratch.join("source.bin");
    const std::string destination = scratch.join("copy.bin");
    Watch watch;
};

using FileCopierCopies = FileCopierTest;
using FileCopierLifetime = FileCopierTest;

TEST_F(FileCopierCopies, EmptyFileCompletesAtOnceAndGetsTheAttributes)
{
    auto c = copier("", 4096);
    ASSERT_TRUE(SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(runToFinish(*c));
    EXPECT_EQ(0u, watch.error);
    EXPECT_TRUE(watch.reads.empty());
    c.reset();
    EXPECT_EQ("", fileContents(destination));
    EXPECT_EQ(attributes(source).dwFileAttributes, attributes(destination).dwFileAttributes);
}

TEST_F(FileCopierCopies, TenThousandBytesInBlocksOfFourKibibytes)
{
    const std::string bytes = pattern(10000);
    auto c = copier(bytes, 4096);
    ASSERT_EQ(512u, c->destination().sectorSize()) << "the sizes below are laid out on 512-byte sectors";
    ASSERT_EQ(4096u, c->blockSize());
    ASSERT_TRUE(runToFinish(*c));
    EXPECT_EQ(0u, watch.error);
    EXPECT_EQ((std::vector<uint32_t>{4096, 4096, 1808}), watch.reads);
    EXPECT_EQ((std::vector<uint32_t>{4096, 4096, 2048}), watch.writes);
    EXPECT_EQ(10000u, c->position());
    EXPECT_GE(c->elapsed(), 1u);
    EXPECT_EQ(c->position() * 1000 / c->elapsed(), c->rate());
    c.reset();
    EXPECT_EQ(bytes, fileContents(destination));
    const WIN32_FILE_ATTRIBUTE_DATA from = attributes(source);
    const WIN32_FILE_ATTRIBUTE_DATA to = attributes(destination);
    EXPECT_EQ(0, CompareFileTime(&from.ftLastWriteTime, &to.ftLastWriteTime));
    EXPECT_EQ(0, CompareFileTime(&from.ftCreationTime, &to.ftCreationTime));
    EXPECT_EQ(from.dwFileAttributes, to.dwFileAttributes);
}

TEST_F(FileCopierCopies, StopAndStartReadEveryBlockOnce)
{
    const std::string bytes = pattern(40000);
    auto c = copier(bytes, 4096);
    watch.stopAfter = 3;
    c->start();
    ASSERT_TRUE(pumpUntil([&] { return watch.steps == 3 && !c->source().isBusy() && !c->destination().isBusy(); }));
    // Let the completions that were in flight arrive: the copy stays paused.
    pumpUntil([] { return false; }, 200);
    const uint64_t paused = c->position();
    EXPECT_EQ(3 * 4096u, paused);
    EXPECT_EQ(3u, watch.reads.size());
    EXPECT_EQ(0, watch.finishes);
    EXPECT_EQ(1, c->start());
    EXPECT_EQ(0, c->start()) << "already running";
    ASSERT_TRUE(pumpUntil([&] { return watch.finishes != 0; }));
    EXPECT_EQ(0u, watch.error);
    EXPECT_EQ(10u, watch.reads.size());
    EXPECT_EQ(40000u, c->position());
    c.reset();
    EXPECT_EQ(bytes, fileContents(destination));
}

TEST_F(FileCopierCopies, FailedReadIsReportedWithItsErrorAndLeavesNoCopy)
{
    // What the system answers a read into memory that cannot be written.
    ASSERT_TRUE(scratch.writeFile("probe.bin", "probe"));
    DWORD refused = 0;
    {
        PageBlock page;
        ASSERT_TRUE(page.allocate(4096));
        DWORD old = 0, done = 0;
        ASSERT_TRUE(VirtualProtect(page.data(), 4096, PAGE_READONLY, &old));
        KernelHandle probe(CreateFileA(scratch.join("probe.bin").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
        ASSERT_FALSE(ReadFile(probe.get(), page.data(), 5, &done, nullptr));
        refused = GetLastError();
    }
    auto c = copier(pattern(40000), 4096);
    watch.stopAfter = 2;
    c->start();
    ASSERT_TRUE(pumpUntil([&] { return watch.steps == 2 && watch.buffers.size() == 2; }));
    // The copier's two buffers, as its raw reads reported them, refuse the next read.
    DWORD old = 0;
    for (void* buffer : watch.buffers)
        ASSERT_TRUE(VirtualProtect(buffer, c->blockSize(), PAGE_READONLY, &old));
    ASSERT_TRUE(pumpUntil([&] { return !c->source().isBusy() && !c->destination().isBusy(); }));
    c->start();
    ASSERT_TRUE(pumpUntil([&] { return watch.finishes != 0; }));
    EXPECT_NE(0u, refused);
    EXPECT_EQ(refused, watch.error);
    for (void* buffer : watch.buffers)
        VirtualProtect(buffer, c->blockSize(), PAGE_READWRITE, &old);
    c.reset();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(destination.c_str()));
}

TEST_F(FileCopierLifetime, DestroyedBeforeCompletionLeavesNoDestination)
{
    auto c = copier(pattern(200000), 4096);
    c->start();
    ASSERT_TRUE(pumpUntil([&] { return watch.steps >= 3; }));
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(destination.c_str()));
    c.reset();
    EXPECT_EQ(0, watch.finishes);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(destination.c_str()));
}

TEST_F(FileCopierLifetime, FailedConstructionThrowsItsTextAndGivesEverythingBack)
{
    const int windows = messageOnlyComponents();
    EXPECT_EQ("Source file doesn't exist !",
              thrownText([&] { FileCopier c(source.c_str(), destination.c_str(), 4096); }));
    ASSERT_TRUE(scratch.writeFile("source.bin", "abc"));
    EXPECT_EQ("Destination file can't be opened !",
              thrownText([&] { FileCopier c(source.c_str(), scratch.join("missing\\copy.bin").c_str(), 4096); }));
    EXPECT_EQ(windows, messageOnlyComponents());
    // The source's file was opened without write sharing: it must be closed again.
    KernelHandle exclusive(CreateFileA(source.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(exclusive.isOpen());
}

} // namespace
