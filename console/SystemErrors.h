// The system's own words for its error codes, as the console program shows them.
#pragma once

#include "foundation/String.h"

#include <windows.h>

// The system's text for an error code, with the code: "error 32: The process ...".
String errorText(DWORD error);
