#include "console/RestoreCommand.h"

#include "app/RemovalMutex.h"
#include "console/BackupManifest.h"
#include "console/BackupRestore.h"
#include "console/ConsoleStream.h"
#include "console/SystemErrors.h"

int restoreFromBackup(const String& folder, bool force, ConsoleStream& out, ConsoleStream& err)
{
    RemovalMutex mutex;
    if (!mutex.isHeld()) {
        err.writeLine("Another removal is running; try again when it has finished.");
        return ERROR_INSTALL_ALREADY_RUNNING;
    }
    Manifest manifest;
    String why;
    if (!readBackup(folder, manifest, why)) {
        err.writeLine("Nothing was restored: " + folder + " is no usable backup, as " + why + ".");
        return ERROR_INVALID_PARAMETER;
    }
    out.writeLine("Restoring " + manifest.product + " as saved " + manifest.time + ".");
    int counts[4] = {};
    String stayed;
    restoreBackup(folder, manifest, force, [&](RestoreOutcome outcome, const String& item, DWORD error) {
        ++counts[static_cast<int>(outcome)];
        switch (outcome) {
        case RestoreOutcome::restored: out.writeLine("restored: " + item); break;
        case RestoreOutcome::unchanged: out.writeLine("already as saved: " + item); break;
        case RestoreOutcome::differs:
            out.writeLine("left alone, changed since the backup (--force overwrites): " + item);
            break;
        default: out.writeLine("failed: " + item + " (" + errorText(error) + ")");
        }
        if (outcome == RestoreOutcome::differs || outcome == RestoreOutcome::failed)
            stayed += String(stayed.length() > 0 ? ", " : "") + item;
    });
    int exitCode = stayed.length() > 0 ? ERROR_INSTALL_FAILURE : ERROR_SUCCESS;
    out.writeLine("Done: " + String::fromInt(counts[0]) + " items restored, " + String::fromInt(counts[1]) +
                  " already as saved, " + String::fromInt(counts[2]) + " left alone, " + String::fromInt(counts[3]) +
                  " failed (exit code " + String::fromInt(exitCode) + ")." +
                  (stayed.length() > 0 ? " Not restored: " + stayed + "." : String("")));
    return exitCode;
}
