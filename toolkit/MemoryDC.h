// Sole owner of a memory DC (CreateCompatibleDC); deletes it with DeleteDC exactly once.
#pragma once

#include <windows.h>

#include "foundation/UniqueHandle.h"

// Whatever is selected into it must be selected out by a guard that goes first.
using MemoryDC = UniqueHandle<HDC, ::DeleteDC>;
