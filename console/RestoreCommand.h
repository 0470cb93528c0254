// The "restore" command: puts back what a removal saved in a backup folder, in
// its turn on the machine like a removal, and answers with a removal's exit codes.
#pragma once

#include "foundation/String.h"

class ConsoleStream;

// A line per item with what became of it and a closing line; the exit code: 0
// when everything is as saved, 1603 when something was left alone or failed,
// 1618 while a removal runs, 87 for a folder that holds no usable backup.
int restoreFromBackup(const String& folder, bool force, ConsoleStream& out, ConsoleStream& err);
