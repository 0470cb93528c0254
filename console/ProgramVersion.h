// The running program's version, as its version resource gives it.
#pragma once

#include "foundation/String.h"

// "1.0.0.0" from the file version of the running program's version resource;
// "unknown" when it has none.
String programVersion();
