// The library's fast file: unbuffered, write-through transfers in whole sectors
// behind byte-addressed requests, run on a worker thread of its own. Completions
// come as WM_USER (read) or WM_USER + 1 (write) posted to the object's own
// window and as calls of the registered listeners.
//
// It lives in the toolkit rather than the foundation because its completion
// messages need a toolkit window.
#pragma once

#include "foundation/CriticalSection.h"
#include "foundation/KernelHandle.h"
#include "foundation/PageBlock.h"
#include "foundation/String.h"
#include "toolkit/Component.h"

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>

class SectorFile : public Component {
public:
    // (source, data, byte count, kind, error): a success passes where the bytes
    // are and how many with error 0; a failure passes null, 0 and the error code.
    using Listeners = ListenerList<SectorFile*, void*, uint32_t, int, DWORD>;
    static constexpr int readKind = 0;
    static constexpr int writeKind = 1;

    // Opens or creates path. chunkSize is the largest request (0 means 1 MiB),
    // rounded up to whole alignment units. Throws the failure's text:
    // "GetDiskDriveSpace Failed !", "VirtualAlloc failed !", "File not created",
    // "GetFileSizeb Failed !", "Failed to read the last sector !" or
    // "Worker thread not started !", having released all it took.
    SectorFile(const char* path, uint32_t chunkSize, bool readOnly);
    // Stops the worker (waiting as long as a transfer runs), cuts a file whose
    // last sector was rewritten back to its logical size, keeping its times.
    ~SectorFile() override;

    LRESULT handleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    // The file's size in bytes as its users see it.
    uint64_t logicalSize() const;

    // The start operations queue one transfer and return at once; false, with
    // nothing changed, while another one runs or when the request is out of range.
    // Reads count bytes at position (cut at the logical end) into the transfer buffer.
    bool startRead(uint64_t position, uint32_t count);
    // Writes count bytes (cut to the chunk) at position, at most the logical size.
    bool startWrite(const void* data, uint64_t position, uint32_t count);
    // Transfers straight between the file and the caller's buffer: position,
    // count and buffer must be multiples of the sector size, position at most
    // the logical size. The buffer must stay until the transfer is over.
    bool startReadRaw(void* buffer, uint64_t position, uint32_t count);
    bool startWriteRaw(const void* buffer, uint64_t position, uint32_t count);

    // Blocking transfers of any size, in pieces of one chunk (a read goes
    // straight into sector-aligned parts of the buffer, in larger pieces); they
    // return the bytes moved, which are fewer when the file ends or a transfer
    // fails. A read may change buffer bytes past the count it returns.
    size_t read(uint64_t position, void* buffer, size_t count);
    size_t write(uint64_t position, const void* data, size_t count);

    // Moves the end of file; false when that failed, or while a transfer runs.
    bool setSize(uint64_t size);

    // Returns once the transfer started last is over, at once when none runs.
    void waitForTransfer();

    uint32_t sectorSize() const { return sectorBytes; }
    uint32_t alignmentUnit() const { return unitBytes; }
    uint32_t chunk() const { return chunkBytes; }
    // The unbuffered file handle (the object's window is Component::handle).
    HANDLE handle() const { return file.get(); }
    bool isBusy() const { return busy.load() != 0; }
    // Why a start was refused: ERROR_BUSY while a transfer runs, else
    // ERROR_INVALID_PARAMETER (a position or count out of range or unaligned).
    DWORD refusalCode() const { return isBusy() ? ERROR_BUSY : ERROR_INVALID_PARAMETER; }

    // Window listeners run on the thread of the object's window; worker
    // listeners on the worker thread, which they must not block for long.
    template <typename Owner>
    void addWindowListener(Owner* owner, void (*function)(Owner*, SectorFile*, void*, uint32_t, int, DWORD))
    {
        windowListeners.add(owner, function);
    }
    template <typename Owner>
    void addWorkerListener(Owner* owner, void (*function)(Owner*, SectorFile*, void*, uint32_t, int, DWORD))
    {
        CriticalSection::Hold hold(workerListenerLock);
        workerListeners.add(owner, function);
    }
    // Takes the owner's pairs out of both lists. Once it returns, the worker
    // is not calling and will not call any of them.
    void removeListeners(const void* owner);

private:
    struct Outcome {
        char* data;
        uint32_t count;
        DWORD error;
    };

    static DWORD WINAPI workerEntry(void* self);
    void serve();
    Outcome transferRead();
    Outcome transferWrite();
    DWORD sectorRead(char* buffer, uint64_t position, uint32_t& count);
    void announce(int kind, const Outcome& outcome);
    bool claim();
    void bringTransferBufferIn();
    void request(int kind, char* data, uint64_t position, uint32_t count, bool raw);
    bool rawAcceptable(const void* buffer, uint64_t position, uint32_t count) const;
    size_t runBlocking(int kind, uint64_t position, char* buffer, size_t count);
    void awaitCompletion(uint32_t serial);
    bool openUnbuffered(bool readOnly);
    void stopWorker();
    void cutToLogicalSize();

    String path;
    PageBlock block;
    char* transferBuffer;
    char* tailBuffer;
    char* edgeBuffer;
    bool transferBufferIn;
    std::atomic<uint32_t> tailBytes;
    uint32_t unitBytes;
    uint64_t alignedPosition;
    uint64_t requestedPosition;
    uint32_t alignedCount;
    uint32_t requestedCount;
    KernelHandle file;
    uint32_t chunkBytes;
    uint32_t sectorBytes;
    KernelHandle requestEvent;
    KernelHandle completionEvent;
    KernelHandle thread;
    // The request fields above and below are written before the request event
    // is signalled and read by the worker after it woke; the results are
    // written before busy clears and the completion event is signalled.
    std::atomic<int> stopFlag;
    std::atomic<int> busy;
    int kind;
    bool rawRequest;
    char* dataPointer;
    std::atomic<uint32_t> requestSerial;
    std::atomic<uint32_t> completedSerial;
    // Blocking calls waiting for the completion event.
    std::atomic<int> waiters;
    DWORD workerThreadId;
    // Set and read on the worker only: a request made by one of its listeners.
    bool ownRequest;
    Outcome result;
    std::atomic<int> endRewritten;
    ListLock windowLock;
    Listeners windowListeners;
    // Keeps adds and removals of worker listeners apart from the worker's walk.
    CriticalSection workerListenerLock;
    ListLock workerLock;
    Listeners workerListeners;
};
