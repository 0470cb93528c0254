// The "scan" command: every trace of each of the five products found on the
// machine, whether or not its uninstall entry is still there.
#pragma once

class ConsoleStream;

// A line per trace (model code, kind and path, separated by tabs), or with json
// one document of them; the exit code.
int scanTraces(bool json, ConsoleStream& out, ConsoleStream& err);
