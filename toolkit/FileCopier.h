// Copies one whole file to a new file in the background of the window thread:
// the next block is read while the previous one is written, each side driven
// by its file's completion messages.
#pragma once

#include "foundation/CriticalSection.h"
#include "foundation/PageBlock.h"
#include "foundation/String.h"
#include "toolkit/Component.h"
#include "toolkit/SectorFile.h"

#include <windows.h>

#include <cstdint>
#include <memory>

class FileCopier : public Component {
public:
    // Throws "Source file doesn't exist !", "Source file can't be opened !",
    // "Destination file can't be opened !" or "Not enough memory", having
    // released all it took. An existing destination file is replaced.
    FileCopier(const char* sourcePath, const char* destinationPath, uint32_t blockSize);
    // Waits for the transfers in flight. A destination of the source's size gets
    // the source's attributes; any other, being a partial copy, is deleted.
    ~FileCopier() override;

    LRESULT handleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    // Starts or resumes the copy: 1, or 0 when it is running already.
    int start();
    // Pauses the copy once the transfers in flight are over. Returns 1.
    int stop();

    // Progress: source bytes read so far, milliseconds from the first start to
    // the last completed write (at least 1 once a write completed, else 0), and
    // bytes per second over that time.
    uint64_t position() const;
    uint32_t elapsed() const;
    uint64_t rate() const;
    uint32_t blockSize() const { return blockBytes; }
    SectorFile& source() const { return *sourceFile; }
    SectorFile& destination() const { return *destinationFile; }

    // Progress listeners run after each step that started transfers. Finish
    // listeners run once, on the window thread, with 0 when the destination is a
    // complete copy; otherwise with the first failed transfer's error code, or
    // ERROR_HANDLE_EOF when the copy ended short without one.
    template <typename Owner>
    void addProgressListener(Owner* owner, void (*function)(Owner*, FileCopier*))
    {
        progressListeners.add(owner, function);
    }
    template <typename Owner>
    void addFinishListener(Owner* owner, void (*function)(Owner*, FileCopier*, DWORD))
    {
        finishListeners.add(owner, function);
    }

private:
    static void step(FileCopier* self, SectorFile* file, void* data, uint32_t count, int kind, DWORD error);
    // Returns true when transfers were started and progress is to be announced.
    bool advance(SectorFile* file, void* data, uint32_t count, DWORD error);
    bool startTransfers();
    void complete();
    void finish(DWORD error);

    String sourceName;
    String destinationName;
    std::unique_ptr<SectorFile> sourceFile;
    std::unique_ptr<SectorFile> destinationFile;
    int readDone;
    int writeDone;
    uint32_t bytesInBuffer;
    PageBlock blockOne;
    PageBlock blockTwo;
    // bufferA is the next one to be written, bufferB the next one to be read into.
    char* bufferA;
    char* bufferB;
    int running;
    uint32_t blockBytes;
    uint64_t readPosition;
    DWORD startTick;
    uint32_t elapsedTicks;
    uint64_t bytesPerSecond;
    mutable CriticalSection lock;
    int hasData;
    DWORD firstError;
    int finished;
    ListLock progressLock;
    ListenerList<FileCopier*> progressListeners;
    ListLock finishLock;
    ListenerList<FileCopier*, DWORD> finishListeners;
};
