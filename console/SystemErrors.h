// The system's own words for its error codes, as the console program shows them.
#pragma once

#include "foundation/String.h"

#include <windows.h>

// The system's text for an error code, with the code: "error 32: The process ...".
String errorText(DWORD error);

// The text of the exception being handled (call only inside a catch block): a
// character string, as the library's constructors throw their message, a
// standard exception's what(), or what kind it was.
String exceptionText();
