// The changes of a run as a dry run makes them: nothing on the machine changes,
// and each deletion is answered as the system would answer it now (a file held
// open without delete sharing, a read-only one, a folder that still holds
// something or is some process's current folder, a key that may not be opened),
// so that RemovalActions decides every item as in the real run. What it would
// have deleted is remembered as gone.
#pragma once

#include "console/RemovalActions.h"

class SimulatedActions final : public RemovalActions {
public:
    // scheduleLocked as for the real run.
    SimulatedActions(UninstallReporter& reporter, bool scheduleLocked);

protected:
    DWORD removeFile(const String& path) override;
    DWORD removeFolder(const String& path) override;
    LONG removeKeyTree(RegistryKey& key, const String& name, const String& item) override;
    bool schedule(const String& path, DWORD& error) override;

private:
    PathSet removed; // what this dry run would have deleted: gone from here on
    bool mayScheduleAtAll;
};
