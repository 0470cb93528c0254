#include "toolkit/CopyPipe.h"

#include "foundation/PageBlock.h"
#include "toolkit/LifeGuard.h"

#include <algorithm>

CopyPipe::CopyPipe(SectorFile& source, SectorFile& destination, uint64_t sourcePosition,
                   uint64_t destinationPosition, uint64_t count)
    : Component("", 0, 0, 0, 0, 0, 0, HWND_MESSAGE),
      queue(2 * source.chunk(), 2 * source.chunk()),
      sourceFile(source),
      destinationFile(destination),
      readPosition(sourcePosition),
      writePosition(destinationPosition),
      end(0),
      readDone(0),
      writeDone(1),
      readData(nullptr),
      readCount(0),
      writingFromQueue(false),
      finished(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      stopped(0),
      firstWritePosition(destinationPosition),
      startTick(GetTickCount()),
      elapsedTicks(0),
      bytesPerSecond(0)
{
    if (!finished.isOpen())
        throw "Event not created !";
    const uint64_t size = source.logicalSize();
    end = sourcePosition + std::min(count, size > sourcePosition ? size - sourcePosition : 0);
    // Each piece read is queued once the previous one is written, so the queue
    // holds about one chunk at a time: that much of it is used at once.
    PageBlock::bringIn(queue.data(), static_cast<size_t>(std::min<uint64_t>(end - sourcePosition, source.chunk())));
    // Registered only now: a throw above must leave no listener behind.
    source.addWorkerListener(this, step);
    destination.addWorkerListener(this, step);
    // The first read is cut to the range too, not only to the source's end.
    const uint32_t first = static_cast<uint32_t>(std::min<uint64_t>(end - sourcePosition, source.chunk()));
    bool signal = false;
    {
        CriticalSection::Hold hold(lock);
        if (!source.startRead(sourcePosition, first)) {
            stopWith(source.refusalCode());
            signal = true;
        }
    }
    if (signal)
        SetEvent(finished.get());
}

CopyPipe::~CopyPipe()
{
    markDestroying();
    {
        CriticalSection::Hold hold(lock);
        stopped = 1;
    }
    // Not under the lock: a worker holds its list while it waits for the lock.
    sourceFile.removeListeners(this);
    destinationFile.removeListeners(this);
    // No worker runs the step any more, so the flag stays as it is; a write
    // from the queue still in flight must be over before the queue goes.
    if (writingFromQueue)
        destinationFile.waitForTransfer();
}

uint64_t CopyPipe::sourcePosition() const
{
    CriticalSection::Hold hold(lock);
    return readPosition;
}

uint64_t CopyPipe::destinationPosition() const
{
    CriticalSection::Hold hold(lock);
    return writePosition;
}

uint32_t CopyPipe::elapsed() const
{
    CriticalSection::Hold hold(lock);
    return elapsedTicks;
}

uint64_t CopyPipe::rate() const
{
    CriticalSection::Hold hold(lock);
    return bytesPerSecond;
}

// A worker listener of both files. The event is signalled after the lock is
// left; the pipe cannot go meanwhile, as its destructor waits for this walk.
void CopyPipe::step(CopyPipe* self, SectorFile* file, void* data, uint32_t count, int kind, DWORD error)
{
    if (self->advance(file, data, count, kind, error))
        SetEvent(self->finished.get());
}

bool CopyPipe::advance(SectorFile* file, void* data, uint32_t count, int kind, DWORD error)
{
    CriticalSection::Hold hold(lock);
    if (stopped)
        return false;
    // Only the transfers the pipe has in flight are its own.
    const bool fromSource = file == &sourceFile && kind == SectorFile::readKind && !readDone;
    const bool fromDestination = file == &destinationFile && kind == SectorFile::writeKind && !writeDone;
    if (!fromSource && !fromDestination)
        return false;
    if (error != 0) {
        stopWith(error);
        return true;
    }
    if (fromSource) {
        // The bytes stay in the source's transfer buffer until the next read starts.
        readData = data;
        readCount = count;
        readPosition += count;
        readDone = 1;
    } else {
        writePosition += count;
        writingFromQueue = false;
        queue.lockData();
        queue.unlockConsume(count);
        writeDone = 1;
        elapsedTicks = std::max<DWORD>(GetTickCount() - startTick, 1);
        bytesPerSecond = (writePosition - firstWritePosition) * 1000 / elapsedTicks;
    }
    if (!readDone || !writeDone)
        return false;
    // Queued only once the written bytes have left the queue, the bytes read
    // never have to be moved down behind them.
    if (readCount != 0 && queue.write(readData, readCount) != readCount) {
        stopWith(ERROR_NOT_ENOUGH_MEMORY);
        return true;
    }
    readCount = 0;
    return startTransfers();
}

// Reads the next piece while the queued bytes are written. Returns true when
// the pipe stopped.
bool CopyPipe::startTransfers()
{
    readDone = 0;
    writeDone = 0;
    if (readPosition >= end) {
        readDone = 1;
    } else {
        // Never more than the source takes in one request: a refusal would stall the pipe.
        const uint64_t room = queue.committed() - queue.size();
        const uint32_t n = static_cast<uint32_t>(std::min({room, end - readPosition, uint64_t(sourceFile.chunk())}));
        if (!sourceFile.startRead(readPosition, n)) {
            stopWith(sourceFile.refusalCode());
            return true;
        }
    }
    progressListeners.invokeFromWorker(progressLock, this);
    if (queue.size() == 0) {
        stopWith(readPosition < end ? ERROR_HANDLE_EOF : 0);
        return true;
    }
    // Whole sectors at a sector boundary go straight from the queue, which
    // keeps them in place until the write reports, as nothing is queued or
    // dropped before: no copy into the destination's transfer buffer. The rest
    // of a sector, or a write at an unaligned position, goes through startWrite.
    char* front = queue.lockData();
    const uint32_t queued = queue.size();
    const uint32_t sector = destinationFile.sectorSize();
    const uint32_t whole = writePosition % sector == 0 ? queued - queued % sector : 0;
    const bool started = whole != 0 ? destinationFile.startWriteRaw(front, writePosition, whole)
                                    : destinationFile.startWrite(front, writePosition, queued);
    writingFromQueue = started && whole != 0;
    queue.unlockConsume(0);
    if (!started) {
        stopWith(destinationFile.refusalCode());
        return true;
    }
    return false;
}

void CopyPipe::stopWith(DWORD error)
{
    stopped = 1;
    PostMessageA(Component::handle(), WM_USER, error, 0);
}

LRESULT CopyPipe::handleMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    LifeGuard life(*this);
    const LRESULT handled = Component::handleMessage(message, wparam, lparam);
    if (life.alive() && message == WM_USER)
        finishListeners.invoke(finishLock, life, this, DWORD(wparam));
    return handled;
}
