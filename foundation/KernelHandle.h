// Sole owner of one kernel handle (file, event, thread, mapping); closes it with CloseHandle exactly once.
#pragma once

#include <windows.h>

#include "foundation/UniqueHandle.h"

// Null and INVALID_HANDLE_VALUE both mean no handle.
using KernelHandle = UniqueHandle<HANDLE, ::CloseHandle, -1>;
