// Copies a byte range from one open SectorFile into another through a byte
// queue, driven straight from the two files' worker threads: the next piece is
// read while the queued bytes are written.
#pragma once

#include "foundation/ByteQueue.h"
#include "foundation/CriticalSection.h"
#include "foundation/KernelHandle.h"
#include "toolkit/Component.h"
#include "toolkit/SectorFile.h"

#include <windows.h>

#include <cstdint>

class CopyPipe : public Component {
public:
    // Starts copying count bytes (cut at the source's end) from sourcePosition
    // to destinationPosition at once. The files stay the caller's; neither may
    // be used for anything else until the pipe has finished. Throws "No memory"
    // or "Event not created !", having released all it took.
    CopyPipe(SectorFile& source, SectorFile& destination, uint64_t sourcePosition, uint64_t destinationPosition,
             uint64_t count);
    // A pipe that is still running stops: the transfers in flight end, nothing
    // more is started or reported.
    ~CopyPipe() override;

    LRESULT handleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    // Signalled (auto-reset) when the pipe stops, after the finish is posted.
    HANDLE finishedEvent() const { return finished.get(); }

    // Offsets of the next read and write, milliseconds from construction to
    // the last completed write, and the bytes written per second over that time.
    uint64_t sourcePosition() const;
    uint64_t destinationPosition() const;
    uint32_t elapsed() const;
    uint64_t rate() const;

    // Progress listeners run on a worker thread, with the pipe's lock held.
    template <typename Owner>
    void addProgressListener(Owner* owner, void (*function)(Owner*, CopyPipe*))
    {
        CriticalSection::Hold hold(lock);
        progressListeners.add(owner, function);
    }
    // Finish listeners run once, on the window thread, with 0 when the whole
    // range was copied; otherwise with the failed transfer's error code, or
    // ERROR_HANDLE_EOF when the source ended before the range did.
    template <typename Owner>
    void addFinishListener(Owner* owner, void (*function)(Owner*, CopyPipe*, DWORD))
    {
        finishListeners.add(owner, function);
    }

private:
    static void step(CopyPipe* self, SectorFile* file, void* data, uint32_t count, int kind, DWORD error);
    // Returns true when the finished event is to be signalled.
    bool advance(SectorFile* file, void* data, uint32_t count, int kind, DWORD error);
    bool startTransfers();
    void stopWith(DWORD error);

    ByteQueue queue;
    SectorFile& sourceFile;
    SectorFile& destinationFile;
    uint64_t readPosition;
    uint64_t writePosition;
    uint64_t end;
    int readDone;
    int writeDone;
    // The last read's bytes, queued when the write in flight is over.
    void* readData;
    uint32_t readCount;
    // A raw write reads the queue itself until it reports.
    bool writingFromQueue;
    KernelHandle finished;
    mutable CriticalSection lock;
    int stopped;
    uint64_t firstWritePosition;
    DWORD startTick;
    uint32_t elapsedTicks;
    uint64_t bytesPerSecond;
    ListLock progressLock;
    ListenerList<CopyPipe*> progressListeners;
    ListLock finishLock;
    ListenerList<CopyPipe*, DWORD> finishListeners;
};
