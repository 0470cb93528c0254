#include "toolkit/FileCopier.h"

#include "foundation/FileSystem.h"
#include "toolkit/LifeGuard.h"

#include <algorithm>
#include <utility>

namespace {

uint32_t roundUp(uint32_t value, uint32_t unit)
{
    return (value + unit - 1) / unit * unit;
}

} // namespace

FileCopier::FileCopier(const char* sourcePath, const char* destinationPath, uint32_t blockSize)
    : Component("", 0, 0, 0, 0, 0, 0, HWND_MESSAGE),
      sourceName(sourcePath),
      destinationName(destinationPath),
      readDone(1),
      writeDone(1),
      bytesInBuffer(0),
      bufferA(nullptr),
      bufferB(nullptr),
      running(0),
      blockBytes(0),
      readPosition(0),
      startTick(0),
      elapsedTicks(0),
      bytesPerSecond(0),
      hasData(0),
      firstError(0),
      finished(0)
{
    if (!fileExists(sourceName))
        throw "Source file doesn't exist !";
    try {
        sourceFile.reset(new SectorFile(sourcePath, 1, true));
    } catch (...) {
        throw "Source file can't be opened !";
    }
    if (fileExists(destinationName))
        DeleteFileA(destinationPath);
    try {
        destinationFile.reset(new SectorFile(destinationPath, 1, false));
    } catch (...) {
        throw "Destination file can't be opened !";
    }
    blockBytes = roundUp(roundUp(std::max<uint32_t>(blockSize, 1), sourceFile->alignmentUnit()),
                         destinationFile->alignmentUnit());
    if (!blockOne.allocate(blockBytes) || !blockTwo.allocate(blockBytes)) {
        // The empty file made above is this copier's own; nothing else knows it.
        destinationFile.reset();
        DeleteFileA(destinationPath);
        throw "Not enough memory";
    }
    bufferA = blockOne.data();
    bufferB = blockTwo.data();
    // Each buffer is filled by a read once the copy runs, as far as the source reaches.
    const size_t used = static_cast<size_t>(std::min<uint64_t>(blockBytes, sourceFile->logicalSize()));
    PageBlock::bringIn(bufferA, used);
    PageBlock::bringIn(bufferB, used);
    readPosition = destinationFile->logicalSize();
    sourceFile->addWindowListener(this, step);
    destinationFile->addWindowListener(this, step);
}

FileCopier::~FileCopier()
{
    markDestroying();
    sourceFile.reset();
    destinationFile.reset();
    const DWORD attributes = GetFileAttributesA(sourceName.cStr());
    if (fileSize(sourceName) != fileSize(destinationName))
        DeleteFileA(destinationName.cStr());
    else if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(destinationName.cStr(), attributes);
}

int FileCopier::start()
{
    if (running)
        return 0;
    running = 1;
    if (sourceFile->logicalSize() == 0) {
        CriticalSection::Hold hold(lock);
        complete();
        return 1;
    }
    if (startTick == 0)
        startTick = GetTickCount();
    step(this, nullptr, nullptr, 0, 0, 0);
    return 1;
}

int FileCopier::stop()
{
    running = 0;
    return 1;
}

uint64_t FileCopier::position() const
{
    CriticalSection::Hold hold(lock);
    return readPosition;
}

uint32_t FileCopier::elapsed() const
{
    CriticalSection::Hold hold(lock);
    return elapsedTicks;
}

uint64_t FileCopier::rate() const
{
    CriticalSection::Hold hold(lock);
    return bytesPerSecond;
}

// A window listener of both files, and the first push of start (no file).
// The listeners run after the lock is left, as one of them may delete the copier.
void FileCopier::step(FileCopier* self, SectorFile* file, void* data, uint32_t count, int, DWORD error)
{
    if (!self->advance(file, data, count, error))
        return;
    LifeGuard life(*self);
    self->progressListeners.invoke(self->progressLock, life, self);
}

bool FileCopier::advance(SectorFile* file, void* data, uint32_t count, DWORD error)
{
    CriticalSection::Hold hold(lock);
    if (finished)
        return false;
    // A successful read of nothing: the source ended before its size said.
    if (file != nullptr && data != nullptr && count == 0) {
        finish(firstError);
        return false;
    }
    if (error != 0 && firstError == 0)
        firstError = error;
    if (file == sourceFile.get()) {
        hasData = 1;
        readDone = 1;
        bytesInBuffer = count;
        readPosition += count;
    }
    if (file == destinationFile.get()) {
        writeDone = 1;
        elapsedTicks = std::max<DWORD>(GetTickCount() - startTick, 1);
        bytesPerSecond = readPosition * 1000 / elapsedTicks;
        if (destinationFile->logicalSize() >= sourceFile->logicalSize())
            complete();
    }
    if (!running || !readDone || !writeDone || finished)
        return false;
    // After a failed transfer the next block would land at the wrong offset.
    if (firstError != 0) {
        finish(firstError);
        return false;
    }
    return startTransfers();
}

// Writes buffer A while reading the next block into buffer B; the last, short
// block is written in whole sectors and cut back when the copy completes.
bool FileCopier::startTransfers()
{
    readDone = 0;
    writeDone = 0;
    bool started = true;
    SectorFile* refused = destinationFile.get();
    if (hasData) {
        const uint32_t bytes = bytesInBuffer < blockBytes
            ? roundUp(bytesInBuffer, destinationFile->sectorSize()) : bytesInBuffer;
        started = destinationFile->startWriteRaw(bufferA, destinationFile->logicalSize(), bytes);
    } else {
        writeDone = 1;
    }
    hasData = 0;
    if (started && readPosition < sourceFile->logicalSize()) {
        refused = sourceFile.get();
        started = sourceFile->startReadRaw(bufferB, readPosition, blockBytes);
    }
    std::swap(bufferA, bufferB);
    if (!started)
        finish(refused->refusalCode());
    return started;
}

// The destination holds the source's bytes: cut to its size, given its times.
void FileCopier::complete()
{
    const uint64_t size = sourceFile->logicalSize();
    if (destinationFile->logicalSize() > size)
        destinationFile->setSize(size);
    FILETIME created;
    FILETIME accessed;
    FILETIME written;
    if (GetFileTime(sourceFile->handle(), &created, &accessed, &written))
        SetFileTime(destinationFile->handle(), &created, &accessed, &written);
    finish(0);
}

// Reports the end once. No copy of another size than the source's is reported
// as a success.
void FileCopier::finish(DWORD error)
{
    if (finished)
        return;
    finished = 1;
    if (error == 0 && destinationFile->logicalSize() != sourceFile->logicalSize())
        error = ERROR_HANDLE_EOF;
    PostMessageA(Component::handle(), WM_USER, error, 0);
}

LRESULT FileCopier::handleMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    LifeGuard life(*this);
    const LRESULT handled = Component::handleMessage(message, wparam, lparam);
    if (life.alive() && message == WM_USER)
        finishListeners.invoke(finishLock, life, this, DWORD(wparam));
    return handled;
}
