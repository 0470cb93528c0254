#include "toolkit/SectorFile.h"

#include "foundation/File.h"
#include "toolkit/LifeGuard.h"

#include <algorithm>
#include <cstring>

namespace {

const uint32_t defaultChunk = 1048576;
const DWORD stopWaitMilliseconds = 10000;
const DWORD unbufferedFlags = FILE_FLAG_WRITE_THROUGH | FILE_FLAG_NO_BUFFERING | FILE_ATTRIBUTE_NORMAL;

uint64_t roundUp(uint64_t value, uint64_t unit)
{
    return (value + unit - 1) / unit * unit;
}

uint32_t pageSize()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
}

// The smallest size that is a multiple of both: from their product, halved
// while both still divide it.
uint32_t alignmentUnitOf(uint32_t sector, uint32_t page)
{
    uint64_t value = uint64_t(sector) * page;
    while (value != 0 && value % sector == 0 && value % page == 0)
        value /= 2;
    return static_cast<uint32_t>(value * 2);
}

// Bytes per sector of the drive that holds path; 0 when the system cannot tell.
uint32_t sectorSizeFor(const String& path)
{
    const int colon = path.find(":\\");
    const String root = colon >= 1 ? path.mid(0, colon + 2) : String();
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD clusters = 0;
    GetDiskFreeSpaceA(colon >= 1 ? root.cStr() : nullptr, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                      &clusters);
    return bytesPerSector;
}

HANDLE openPlain(const String& path)
{
    return CreateFileA(path.cStr(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

bool setEnd(HANDLE file, uint64_t size)
{
    return File::movePointer(file, int64_t(size), FILE_BEGIN) >= 0 && SetEndOfFile(file);
}

// Reads count bytes at position; the bytes read, or 0 on failure.
uint32_t readAt(HANDLE file, uint64_t position, char* buffer, uint32_t count)
{
    DWORD done = 0;
    if (File::movePointer(file, int64_t(position), FILE_BEGIN) < 0 || !ReadFile(file, buffer, count, &done, nullptr))
        return 0;
    return done;
}

} // namespace

SectorFile::SectorFile(const char* path, uint32_t chunkSize, bool readOnly)
    : Component("", 0, 0, 0, 0, 0, 0, HWND_MESSAGE),
      path(path),
      transferBuffer(nullptr),
      tailBuffer(nullptr),
      edgeBuffer(nullptr),
      transferBufferIn(false),
      tailBytes(0),
      unitBytes(0),
      alignedPosition(0),
      requestedPosition(0),
      alignedCount(0),
      requestedCount(0),
      chunkBytes(0),
      sectorBytes(0),
      stopFlag(0),
      busy(0),
      kind(readKind),
      rawRequest(false),
      dataPointer(nullptr),
      requestSerial(0),
      completedSerial(0),
      waiters(0),
      workerThreadId(0),
      ownRequest(false),
      result{nullptr, 0, 0},
      endRewritten(0)
{
    // Every member owns what it holds, so a throw below releases all of it.
    const uint32_t page = pageSize();
    const uint64_t pages = roundUp(chunkSize == 0 ? defaultChunk : chunkSize, page);
    sectorBytes = sectorSizeFor(this->path);
    if (sectorBytes == 0)
        throw "GetDiskDriveSpace Failed !";
    unitBytes = alignmentUnitOf(sectorBytes, page);
    const uint64_t chunk = roundUp(pages, unitBytes);
    const uint64_t blockBytes = chunk + 3ull * unitBytes;
    if (chunk > 0xFFFFFFFFull || blockBytes != size_t(blockBytes) || !block.allocate(size_t(blockBytes)))
        throw "VirtualAlloc failed !";
    chunkBytes = static_cast<uint32_t>(chunk);
    transferBuffer = block.data();
    tailBuffer = transferBuffer + chunkBytes + unitBytes;
    edgeBuffer = tailBuffer + unitBytes;
    if (!openUnbuffered(readOnly))
        throw "File not created";
    const int64_t size = File::sizeOf(file.get());
    if (size < 0)
        throw "GetFileSizeb Failed !";
    tailBytes = static_cast<uint32_t>(uint64_t(size) % sectorBytes);
    if (tailBytes != 0 && readAt(file.get(), uint64_t(size) - tailBytes, tailBuffer, sectorBytes) != tailBytes)
        throw "Failed to read the last sector !";
    requestEvent.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    completionEvent.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (requestEvent.isOpen() && completionEvent.isOpen())
        thread.reset(CreateThread(nullptr, 0, workerEntry, this, 0, &workerThreadId));
    if (!thread.isOpen())
        throw "Worker thread not started !";
}

SectorFile::~SectorFile()
{
    markDestroying();
    stopWorker();
    cutToLogicalSize();
}

bool SectorFile::openUnbuffered(bool readOnly)
{
    const DWORD access = readOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    file.reset(CreateFileA(path.cStr(), access, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, unbufferedFlags, nullptr));
    return file.isOpen();
}

void SectorFile::stopWorker()
{
    if (!thread.isOpen())
        return;
    stopFlag = 1;
    SetEvent(requestEvent.get());
    // The thread's own end, not the flag, tells that it no longer touches
    // this object: it still uses the request event after clearing the flag.
    if (WaitForSingleObject(thread.get(), stopWaitMilliseconds) == WAIT_TIMEOUT) {
        OutputDebugStringA("SectorFile: worker still busy after 10 s, waiting for it\n");
        WaitForSingleObject(thread.get(), INFINITE);
    }
}

void SectorFile::cutToLogicalSize()
{
    const uint32_t tail = tailBytes;
    if (tail == 0 || !endRewritten)
        return;
    FILETIME created;
    FILETIME accessed;
    FILETIME written;
    const bool timesRead = GetFileTime(file.get(), &created, &accessed, &written) != 0;
    file.reset();
    KernelHandle plain(openPlain(path));
    const int64_t size = plain.isOpen() ? File::sizeOf(plain.get()) : -1;
    if (size < int64_t(sectorBytes))
        return;
    setEnd(plain.get(), uint64_t(size) + tail - sectorBytes);
    if (timesRead)
        SetFileTime(plain.get(), &created, &accessed, &written);
}

uint64_t SectorFile::logicalSize() const
{
    const int64_t size = File::sizeOf(file.get());
    if (size < 0)
        return 0;
    const uint32_t tail = tailBytes;
    if (endRewritten && tail != 0 && uint64_t(size) >= sectorBytes)
        return uint64_t(size) - sectorBytes + tail;
    return uint64_t(size);
}

// ---- requests ----

bool SectorFile::claim()
{
    int idle = 0;
    return busy.compare_exchange_strong(idle, 1);
}

// Raw transfers never touch the transfer buffer; the first other one brings
// it in at once. Only the thread that claimed busy gets here.
void SectorFile::bringTransferBufferIn()
{
    if (transferBufferIn)
        return;
    PageBlock::bringIn(transferBuffer, chunkBytes + unitBytes);
    transferBufferIn = true;
}

void SectorFile::request(int requestKind, char* data, uint64_t position, uint32_t count, bool raw)
{
    kind = requestKind;
    dataPointer = data;
    rawRequest = raw;
    requestedPosition = position;
    requestedCount = count;
    alignedPosition = position - position % sectorBytes;
    alignedCount = static_cast<uint32_t>(roundUp(position - alignedPosition + count, sectorBytes));
    ++requestSerial;
    // A worker listener that starts the next transfer of the same file is on
    // the worker already: it takes the request when the listeners are done,
    // without two calls to the server for an event it would signal itself.
    if (GetCurrentThreadId() == workerThreadId)
        ownRequest = true;
    else
        SetEvent(requestEvent.get());
}

bool SectorFile::startRead(uint64_t position, uint32_t count)
{
    if (!claim())
        return false;
    const uint64_t size = logicalSize();
    const uint64_t available = position <= size ? size - position : 0;
    if (position > size || std::min<uint64_t>(count, available) > chunkBytes) {
        busy = 0;
        return false;
    }
    bringTransferBufferIn();
    request(readKind, transferBuffer, position, static_cast<uint32_t>(std::min<uint64_t>(count, available)), false);
    return true;
}

bool SectorFile::startWrite(const void* data, uint64_t position, uint32_t count)
{
    if (!claim())
        return false;
    count = std::min(count, chunkBytes);
    if (position > logicalSize()) {
        busy = 0;
        return false;
    }
    bringTransferBufferIn();
    std::memcpy(transferBuffer + position % sectorBytes, data, count);
    request(writeKind, transferBuffer, position, count, false);
    return true;
}

bool SectorFile::rawAcceptable(const void* buffer, uint64_t position, uint32_t count) const
{
    return position % sectorBytes == 0 && count % sectorBytes == 0 &&
           reinterpret_cast<uintptr_t>(buffer) % sectorBytes == 0 && position <= logicalSize();
}

bool SectorFile::startReadRaw(void* buffer, uint64_t position, uint32_t count)
{
    if (!claim())
        return false;
    if (!rawAcceptable(buffer, position, count)) {
        busy = 0;
        return false;
    }
    request(readKind, static_cast<char*>(buffer), position, count, true);
    return true;
}

bool SectorFile::startWriteRaw(const void* buffer, uint64_t position, uint32_t count)
{
    if (!claim())
        return false;
    if (!rawAcceptable(buffer, position, count)) {
        busy = 0;
        return false;
    }
    // The worker never writes into a raw write's buffer.
    request(writeKind, static_cast<char*>(const_cast<void*>(buffer)), position, count, true);
    return true;
}

// A transfer started by someone else may have signalled the completion event
// with no one waiting, so the wait goes on until this request's own serial is
// reported done. Whole sectors that land on a sector-aligned address of the
// caller's buffer are read straight into it, in pieces of up to 64 MiB: no
// copy, and far fewer hand-overs to the worker than one per chunk.
size_t SectorFile::runBlocking(int blockingKind, uint64_t position, char* buffer, size_t count)
{
    const size_t directPiece = 64u << 20;
    size_t total = 0;
    while (count != 0) {
        const bool direct = blockingKind == readKind && count >= sectorBytes && position % sectorBytes == 0 &&
                            reinterpret_cast<uintptr_t>(buffer) % sectorBytes == 0;
        bool started;
        if (direct) {
            const size_t piece = std::min(count, directPiece) / sectorBytes * sectorBytes;
            started = startReadRaw(buffer, position, static_cast<uint32_t>(piece));
        } else {
            const uint32_t piece = static_cast<uint32_t>(std::min<size_t>(count, chunkBytes));
            started = blockingKind == readKind ? startRead(position, piece) : startWrite(buffer, position, piece);
        }
        if (!started)
            break;
        const uint32_t serial = requestSerial;
        awaitCompletion(serial);
        const uint32_t n = result.count;
        if (blockingKind == readKind && !direct && n != 0)
            std::memcpy(buffer, result.data, n);
        total += n;
        if (n == 0)
            break;
        position += n;
        buffer += n;
        count -= n;
    }
    return total;
}

// The worker signals the completion event only while someone waits here: a
// transfer that nobody waits for then costs no signal, which is a call to the
// server under Wine. Either the waiter sees the serial or the worker sees the
// waiter, as both the count and the serial are sequentially consistent.
void SectorFile::awaitCompletion(uint32_t serial)
{
    ++waiters;
    while (completedSerial.load() != serial)
        WaitForSingleObject(completionEvent.get(), INFINITE);
    --waiters;
}

void SectorFile::waitForTransfer()
{
    awaitCompletion(requestSerial);
}

size_t SectorFile::read(uint64_t position, void* buffer, size_t count)
{
    return runBlocking(readKind, position, static_cast<char*>(buffer), count);
}

size_t SectorFile::write(uint64_t position, const void* data, size_t count)
{
    return runBlocking(writeKind, position, static_cast<char*>(const_cast<void*>(data)), count);
}

bool SectorFile::setSize(uint64_t size)
{
    // The worker uses the handle during a transfer; it is replaced here.
    if (!claim())
        return false;
    file.reset();
    KernelHandle plain(openPlain(path));
    const bool done = plain.isOpen() && setEnd(plain.get(), size);
    plain.reset();
    const bool reopened = openUnbuffered(false) || openUnbuffered(true);
    const uint32_t tail = static_cast<uint32_t>(size % sectorBytes);
    tailBytes = tail != 0 ? readAt(file.get(), size - tail, tailBuffer, sectorBytes) : 0;
    endRewritten = 0;
    busy = 0;
    return done && reopened;
}

void SectorFile::removeListeners(const void* owner)
{
    windowListeners.removeOwner(owner, windowLock);
    CriticalSection::Hold hold(workerListenerLock);
    workerListeners.removeOwner(owner, workerLock);
}

// ---- the worker ----

DWORD WINAPI SectorFile::workerEntry(void* self)
{
    static_cast<SectorFile*>(self)->serve();
    return 0;
}

void SectorFile::serve()
{
    for (;;) {
        if (!ownRequest)
            WaitForSingleObject(requestEvent.get(), INFINITE);
        ownRequest = false;
        if (stopFlag)
            break;
        const int doneKind = kind;
        const uint32_t serial = requestSerial;
        const Outcome outcome = doneKind == readKind ? transferRead() : transferWrite();
        // Idle before the serial tells a blocking caller that its piece is
        // done, so that its next piece is not refused as busy.
        result = outcome;
        busy = 0;
        completedSerial = serial;
        if (waiters.load() != 0)
            SetEvent(completionEvent.get());
        announce(doneKind, outcome);
    }
    stopFlag = 0;
    SetEvent(requestEvent.get());
}

void SectorFile::announce(int doneKind, const Outcome& outcome)
{
    if (Component::handle()) {
        const WPARAM wparam = reinterpret_cast<WPARAM>(outcome.error == 0 ? outcome.data : nullptr);
        const LPARAM lparam = LPARAM(outcome.error == 0 ? outcome.count : outcome.error);
        PostMessageA(Component::handle(), WM_USER + doneKind, wparam, lparam);
    }
    CriticalSection::Hold hold(workerListenerLock);
    try {
        workerListeners.invokeFromWorker(workerLock, this, outcome.data, outcome.count, doneKind, outcome.error);
    } catch (...) {
        // Nothing may unwind out of the thread; the transfer itself is over.
        OutputDebugStringA("SectorFile: exception escaped a worker listener\n");
    }
}

// Serves a position at the start of the last, partial sector from the tail
// buffer, which holds that sector's logical bytes; the count stays as asked.
// Returns 0 or the error code.
DWORD SectorFile::sectorRead(char* buffer, uint64_t position, uint32_t& count)
{
    const uint32_t tail = tailBytes;
    if (tail != 0 && position == logicalSize() - tail) {
        std::memcpy(buffer, tailBuffer, std::min(count, tail));
        return 0;
    }
    DWORD done = 0;
    if (File::movePointer(file.get(), int64_t(position), FILE_BEGIN) < 0 ||
        !ReadFile(file.get(), buffer, count, &done, nullptr))
        return GetLastError();
    count = done;
    return 0;
}

SectorFile::Outcome SectorFile::transferRead()
{
    uint32_t count = alignedCount;
    const DWORD error = sectorRead(dataPointer, alignedPosition, count);
    if (error != 0)
        return {nullptr, 0, error};
    const uint32_t head = static_cast<uint32_t>(requestedPosition - alignedPosition);
    const uint64_t size = logicalSize();
    // Whole sectors may reach past the logical end: those bytes are not the file's.
    uint64_t delivered = count > head ? count - head : 0;
    delivered = std::min(delivered, size > requestedPosition ? size - requestedPosition : 0);
    return {dataPointer + head, static_cast<uint32_t>(std::min<uint64_t>(requestedCount, delivered)), 0};
}

SectorFile::Outcome SectorFile::transferWrite()
{
    const uint32_t sector = sectorBytes;
    const uint32_t head = static_cast<uint32_t>(requestedPosition - alignedPosition);
    const uint64_t end = requestedPosition + requestedCount;
    const uint32_t r = static_cast<uint32_t>(end % sector);
    const uint64_t before = logicalSize();
    const uint32_t tail = tailBytes;
    DWORD error = 0;
    // The bytes of the first and last sector outside the range are read first,
    // so that writing whole sectors keeps them.
    if (!rawRequest && head != 0) {
        uint32_t n = sector;
        error = sectorRead(edgeBuffer, alignedPosition, n);
        if (error == 0)
            std::memcpy(dataPointer, edgeBuffer, head);
    }
    if (!rawRequest && error == 0 && r != 0 && end <= before) {
        uint32_t n = sector;
        error = sectorRead(edgeBuffer, end - r, n);
        if (error == 0)
            std::memcpy(dataPointer + alignedCount - sector + r, edgeBuffer + r, sector - r);
    }
    DWORD written = 0;
    if (error == 0) {
        if (File::movePointer(file.get(), int64_t(alignedPosition), FILE_BEGIN) < 0 ||
            !WriteFile(file.get(), dataPointer, alignedCount, &written, nullptr))
            error = GetLastError();
        else if (written != alignedCount)
            error = written != 0 ? written : ERROR_WRITE_FAULT;
    }
    if (error != 0)
        return {nullptr, 0, error};
    // Only a write that happened moves the logical end; a failed one must not
    // make the destructor cut the file.
    if (end > before - tail) {
        if (r != 0)
            std::memcpy(tailBuffer, dataPointer + alignedCount - sector, r);
        if (end > before)
            tailBytes = r;
        endRewritten = 1;
    }
    return {dataPointer + head, requestedCount, 0};
}

// ---- the window side ----

LRESULT SectorFile::handleMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    LifeGuard life(*this);
    const LRESULT handled = Component::handleMessage(message, wparam, lparam);
    if (!life.alive() || (message != WM_USER + readKind && message != WM_USER + writeKind))
        return handled;
    const int doneKind = static_cast<int>(message - WM_USER);
    if (wparam != 0)
        windowListeners.invoke(windowLock, life, this, reinterpret_cast<void*>(wparam), uint32_t(lparam), doneKind,
                               DWORD(0));
    else
        windowListeners.invoke(windowLock, life, this, nullptr, uint32_t(0), doneKind, DWORD(lparam));
    return handled;
}
